// Values as scripts write them (literals) and as the script host prints them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/variant.hpp"

namespace norvtext::script {

// A literal: Empty Null True False Nothing, "text" (escapes \" \\ \uXXXX), a whole number
// (Integer, Long or Double by size), 1.5 / 1e3 (Double), 12.5@ (Currency), #2026-12-05#,
// #13:07:09#, #2026-12-05 13:07:09# (Date), Font "Arial" 9. Nothing when it is none of these.
std::optional<Variant> parse_literal(std::string_view text);

// "Integer 5", "String \"abc\"", "Date 2026-12-05", "Font \"Arial\" 9", "Nothing", ...
std::string print_value(const Variant& v);
// A text in double quotes with the input escapes.
std::string quote(std::u16string_view text);

}  // namespace norvtext::script
