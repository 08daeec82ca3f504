// The one reader of date and time texts, with the rules each kind of caller reads by, and the
// display patterns of the date box ("MM/DD/YYYY", "MMM DD, YYYY", "HH:MM AM/PM", ...).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/blanks.hpp"
#include "norvtext/platform/locale.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {

// How one kind of caller writes dates. The reader has one grammar (dates.cpp); each rule here
// narrows it, for the reason given.
struct DateRules {
    // People type every shape of the grammar. A program's text keeps the one shape
    // general_date_text writes, M/D/YYYY H:MM:SS AM/PM with the seconds and the designator
    // optional, so nothing about it is guessed.
    bool any_shape = true;
    // A box being typed into: a prompt "_" means unfinished, and a pasted page is no date, so
    // each keystroke's check stays cheap.
    bool typing = true;
    // The blanks between and around the parts; blanks.hpp says why each set is what it is.
    bool (*is_blank)(char16_t) = is_date_blank;
    // The String conversion compares a designator by its upper case (to_upper), the date box
    // by case folding; they part only on rare letters (the Kelvin sign) and on a locale name
    // in capitals ("TR").
    bool upper_case_designators = false;
    // Form files and script literals: only YYYY-MM-DD, HH:MM:SS, or both with one space
    // between, so a file reads the same in every locale and a hand-edited value is never guessed.
    bool one_picture = false;
};

inline constexpr DateRules typed_dates{};
inline constexpr DateRules general_dates{
    .any_shape = false, .typing = false, .is_blank = is_value_blank, .upper_case_designators = true};
inline constexpr DateRules exact_dates{.one_picture = true};

// Reads a text as a date, a time, or both; nothing when it is none of them. Total: any
// sequence of code units gives an answer. `today` gives the year to a typed text without one.
std::optional<DateSerial> read_date_time(std::u16string_view text, const DateRules& rules,
                                         const Locale& loc = Locale::en_us(), std::chrono::sys_days today = {});

// The date box's recognition: a two-digit year 00-29 is 20xx, 30-99 19xx; a time-only text is
// a time on day 0.
inline std::optional<DateSerial> recognise_date(std::u16string_view text, const Locale& loc,
                                                std::chrono::sys_days today) {
    return read_date_time(text, typed_dates, loc, today);
}

// Formats with a display pattern: MM month (or minute right after "HH:"), MMM month
// abbreviation, DD, YYYY, YY, HH (01-12 when the pattern holds AM/PM), SS, AM/PM; every
// other character is copied as it stands.
std::u16string format_date(DateSerial value, std::u16string_view pattern, const Locale& loc);

}  // namespace norvtext
