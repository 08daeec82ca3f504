// Date and time recognition as a user of the locale writes them, the date test, and the
// display patterns of the date box ("MM/DD/YYYY", "MMM DD, YYYY", "HH:MM AM/PM", ...).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/locale.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {

// Reads a text as a date, a time, or both; nothing when it is none of them. Total: any
// sequence of code units gives an answer. A text without a year takes `today`'s year; a
// two-digit year 00-29 is 20xx, 30-99 19xx; a time-only text is a time on day 0.
std::optional<DateSerial> recognise_date(std::u16string_view text, const Locale& loc,
                                         std::chrono::sys_days today);
inline bool is_date_text(std::u16string_view text, const Locale& loc, std::chrono::sys_days today) {
    return recognise_date(text, loc, today).has_value();
}

// Formats with a display pattern: MM month (or minute right after "HH:"), MMM month
// abbreviation, DD, YYYY, YY, HH (01-12 when the pattern holds AM/PM), SS, AM/PM; every
// other character is copied as it stands.
std::u16string format_date(DateSerial value, std::u16string_view pattern, const Locale& loc);

}  // namespace norvtext
