// Values as scripts write them (literals) and as the script host prints them.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/variant.hpp"

namespace norvtext::script {

// All of `text` as a number of type T (a base may follow for a whole number); nothing when
// any of it is not the number or the number does not fit.
template <class T, class... Base>
std::optional<T> read_number(std::string_view text, Base... base) {
    T n{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n, base...);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

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
