// Values as scripts write them (literals) and as the script host prints them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/variant.hpp"

namespace norvtext::script {

// A one-word literal other than a quoted text: Empty Null True False Nothing, a whole number
// (Integer, Long or Double by size), 1.5 / 1e3 (Double), 12.5@ (Currency), #2026-12-05#,
// #13:07:09#, #2026-12-05 13:07:09# (Date). Nothing when it is none of these.
std::optional<Variant> parse_literal(std::string_view text);

// "Integer 5", "String \"abc\"", "Date 2026-12-05", "Font \"Arial\" 9", "Nothing", ...
std::string print_value(const Variant& v);
// A text in double quotes with the input escapes, and a quoted word's text (raises
// ScriptError naming the line for a word that is not one).
std::string quote(std::u16string_view text);
std::u16string unquote(const std::string& word, int line);

}  // namespace norvtext::script
