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
    return DateTimeParts{static_cast<int>(ymd.year()),
                         static_cast<int>(static_cast<unsigned>(ymd.month())),
                         static_cast<int>(static_cast<unsigned>(ymd.day())),
                         ds.second / 3600,
                         ds.second / 60 % 60,
                         ds.second % 60};
}

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace

std::optional<DateSerial> serial_from_parts(const DateTimeParts& parts) {
    if (parts.year < 100 || parts.year > 9999) return std::nullopt;
    if (parts.hour < 0 || parts.hour > 23 || parts.minute < 0 || parts.minute > 59 || parts.second < 0 ||
        parts.second > 59)
        return std::nullopt;
    if (parts.month < 1 || parts.month > 12 || parts.day < 1 || parts.day > 31) return std::nullopt;
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
    const bool date = ds.day != 0;
    const bool time = ds.second != 0;
    char buffer[64];
    if (!date) {
        // Day 0 with no time is midnight of day 0, a time like any other.
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", p.hour, p.minute, p.second);
    } else if (!time) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                      p.minute, p.second);
    }
    return buffer;
}

std::optional<DateSerial> parse_iso(std::string_view text) { return read_date_time(widen(text), exact_dates); }

// The year is written with four digits ("1/1/0100") so the text always has one shape.
std::u16string general_date_text(DateSerial d, const Locale& loc) {
    const DayAndSecond ds = split(d);
    const DateTimeParts p = to_parts(ds);
    const bool date = ds.day != 0;
    // Midnight of day 0 has neither part; it is shown as the time it is.
    const bool time = ds.second != 0 || !date;
    std::u16string out;
    char buffer[64];
    if (date) {
        std::snprintf(buffer, sizeof buffer, "%d/%d/%04d", p.month, p.day, p.year);
        out += widen(buffer);
    }
    if (time) {
        if (!out.empty()) out += u' ';
        const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
        std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", hour12, p.minute, p.second);
        out += widen(buffer);
        out += u' ';
        out += p.hour < 12 ? loc.am : loc.pm;
    }
    return out;
}

}  // namespace norvtext
