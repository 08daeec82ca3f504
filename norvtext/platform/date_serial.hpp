// The platform's date serial (days since 1899-12-30, the fraction the time of day) and its
// exact text forms used by form files and the script host.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/locale.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {

// The platform's dates run from 100-01-01 to 9999-12-31.
inline constexpr double first_date_serial = -657434;
inline constexpr double last_date_serial = 2958465;
// Whether a serial falls on one of those days, its time of day moving it up to a day away
// from zero; NaN and the infinities do not.
constexpr bool in_date_range(double serial) {
    return serial > first_date_serial - 1.0 && serial < last_date_serial + 1.0;
}

struct DateTimeParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    friend bool operator==(const DateTimeParts&, const DateTimeParts&) = default;
};

// Nothing when a field is out of range (month 13, Feb 30, hour 24, ...) or the year is
// outside 100..9999.
std::optional<DateSerial> serial_from_parts(const DateTimeParts& parts);
// Rounded to the nearest second. A negative serial's fraction still counts forward from
// midnight (-1.25 is 1899-12-29 06:00:00).
DateTimeParts parts_from_serial(DateSerial d);
bool has_time(DateSerial d);  // a fraction of a day is present
bool has_date(DateSerial d);  // the day is not 0 (1899-12-30)

// "2026-12-05 13:07:09"; "2026-12-05" without a time; "13:07:09" for a time on day 0.
std::string iso_text(DateSerial d);
// The inverse of iso_text (also "2026-12-05 00:00:00"); nothing for anything else. Reads by
// the exact rules of dates.hpp.
std::optional<DateSerial> parse_iso(std::string_view text);
// The platform's general date text, the String conversion of a Date:
// "12/5/2026 1:07:09 PM", "12/5/2026" without a time, "1:07:09 PM" for a time on day 0.
std::u16string general_date_text(DateSerial d, const Locale& loc = Locale::en_us());

}  // namespace norvtext
