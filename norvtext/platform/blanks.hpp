// The blank characters of each kind of text the platform reads. They differ because each kind
// comes from a different writer; keeping them side by side keeps every difference deliberate.
#pragma once

#include <string_view>

namespace norvtext {

// Number texts: locale data writes a no-break space as a grouping symbol and beside a sign.
constexpr bool is_number_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0'; }
// The leading number reads the start of any text, a multi-line one too: a line feed is skipped.
constexpr bool is_leading_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
// A Variant's text ("True", the general date text) loses only the padding a program adds.
constexpr bool is_value_blank(char16_t c) { return c == u' ' || c == u'\t'; }
// Typed dates: locale data also puts narrow no-break spaces inside dates and AM/PM designators.
constexpr bool is_date_blank(char16_t c) { return is_number_blank(c) || c == u'\u202F'; }

constexpr std::u16string_view trim_blanks(std::u16string_view text, bool (*is_blank)(char16_t)) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace norvtext
