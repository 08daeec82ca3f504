// The date serial <-> calendar fields, and the two fixed text forms of a serial: the exact
// ISO form of form files and scripts, and the general date text of the String conversion.
#include "norvtext/platform/date_serial.hpp"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "norvtext/platform/dates.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {

namespace {

using std::chrono::sys_days;
namespace chr = std::chrono;

constexpr sys_days serial_epoch = sys_days{chr::year{1899} / chr::December / 30};
constexpr std::int32_t seconds_per_day = 86400;
constexpr auto first_day = static_cast<std::int32_t>(first_date_serial);
constexpr auto last_day = static_cast<std::int32_t>(last_date_serial);
static_assert(sys_days{chr::year{100} / chr::January / 1} == serial_epoch + chr::days{first_day});
static_assert(sys_days{chr::year{9999} / chr::December / 31} == serial_epoch + chr::days{last_day});

// A serial split into its calendar day (relative to the epoch) and the second of that day.
struct DayAndSecond {
    std::int32_t day = 0;
    std::int32_t second = 0;
};

// Every reader of a serial goes through here, so they all agree on rounding and range: a
// serial that is not a date of the platform's range raises Overflow.
DayAndSecond split(DateSerial d) {
    const double s = d.serial;
    if (!in_date_range(s)) raise(ErrorCode::Overflow);
    const double whole = std::trunc(s);
    // A negative serial's fraction still counts forward from that day's midnight.
    const double fraction = std::fabs(s - whole);
    DayAndSecond out{static_cast<std::int32_t>(whole),
                     static_cast<std::int32_t>(std::lround(fraction * seconds_per_day))};
    if (out.second == seconds_per_day) {
        // 23:59:59.6 is midnight of the next calendar day, whichever side of the epoch.
        out.second = 0;
        ++out.day;
    }
    if (out.day < first_day || out.day > last_day) raise(ErrorCode::Overflow);
    return out;
}

DateTimeParts to_parts(DayAndSecond ds) {
    const chr::year_month_day ymd{serial_epoch + chr::days{ds.day}};
    const auto number = [](auto field) { return static_cast<int>(static_cast<unsigned>(field)); };
    return DateTimeParts{static_cast<int>(ymd.year()), number(ymd.month()), number(ymd.day()),
                         ds.second / 3600, ds.second / 60 % 60, ds.second % 60};
}

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// A serial's text from the texts of its date and its time: day 0 is written as its time,
// midnight too (a time like any other), and a day at midnight as its date alone.
template <class Text>
Text date_time_text(DayAndSecond ds, const Text& date, const Text& time) {
    if (ds.day == 0) return time;
    return ds.second == 0 ? date : date + Text(1, ' ') + time;
}

}  // namespace

std::optional<DateSerial> serial_from_parts(const DateTimeParts& parts) {
    // The fields are checked before chrono sees them: its month and day keep only a byte.
    const auto within = [](int field, int low, int high) { return field >= low && field <= high; };
    if (!within(parts.year, 100, 9999) || !within(parts.month, 1, 12) || !within(parts.day, 1, 31)) return std::nullopt;
    if (!within(parts.hour, 0, 23) || !within(parts.minute, 0, 59) || !within(parts.second, 0, 59)) return std::nullopt;
    const chr::year_month_day ymd{chr::year{parts.year}, chr::month{static_cast<unsigned>(parts.month)},
                                  chr::day{static_cast<unsigned>(parts.day)}};
    if (!ymd.ok()) return std::nullopt;
    const auto days = (sys_days{ymd} - serial_epoch).count();
    const double time = (parts.hour * 3600 + parts.minute * 60 + parts.second) / double{seconds_per_day};
    // Before the epoch the time is still added forward from midnight, which moves the
    // serial away from zero.
    return DateSerial{days >= 0 ? days + time : days - time};
}

DateTimeParts parts_from_serial(DateSerial d) { return to_parts(split(d)); }

bool has_time(DateSerial d) { return split(d).second != 0; }
bool has_date(DateSerial d) { return split(d).day != 0; }

std::string iso_text(DateSerial d) {
    const DayAndSecond ds = split(d);
    const DateTimeParts p = to_parts(ds);
    char date[64];
    char time[64];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", p.year, p.month, p.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", p.hour, p.minute, p.second);
    return date_time_text<std::string>(ds, date, time);
}

std::optional<DateSerial> parse_iso(std::string_view text) { return read_date_time(widen(text), exact_dates); }

// The year is written with four digits ("1/1/0100") so the text always has one shape.
std::u16string general_date_text(DateSerial d, const Locale& loc) {
    const DayAndSecond ds = split(d);
    const DateTimeParts p = to_parts(ds);
    char date[64];
    char time[64];
    std::snprintf(date, sizeof date, "%d/%d/%04d", p.month, p.day, p.year);
    std::snprintf(time, sizeof time, "%d:%02d:%02d ", (p.hour + 11) % 12 + 1, p.minute, p.second);
    return date_time_text(ds, widen(date), widen(time) + (p.hour < 12 ? loc.am : loc.pm));
}

}  // namespace norvtext
