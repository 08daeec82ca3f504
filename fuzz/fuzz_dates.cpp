// libFuzzer target for the date services: every input, read as UTF-16 code units and as
// Latin-1 text, goes through the date reader by each caller's rules in three locales and
// serves as a display pattern; whatever is read must come back unchanged through the texts
// written for it.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/dates.hpp"

namespace {

using namespace norvtext;
namespace chr = std::chrono;

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr chr::sys_days today = chr::sys_days{chr::year{2026} / chr::June / 15};

// English; German with its umlauts; Spanish, whose designators hold dots and a no-break space.
const Locale& locale_at(int i) {
    static const Locale german = Locale::from_name("de_DE");
    static const Locale spanish = Locale::from_name("es_ES");
    return i == 0 ? Locale::en_us() : i == 1 ? german : spanish;
}

struct Pattern {
    std::u16string_view text;
    bool date, time, seconds, two_digit_year;
};
constexpr Pattern display_patterns[] = {
    {u"MM/DD/YYYY", true, false, false, false},
    {u"MMM DD, YYYY", true, false, false, false},
    {u"MMM DD, YY", true, false, false, true},
    {u"MM/DD/YYYY HH:MM:SS", true, true, true, false},
    {u"MM/DD/YYYY HH:MM AM/PM", true, true, false, false},
    {u"HH:MM AM/PM", false, true, false, false},
    {u"HH:MM:SS", false, true, true, false},
};

void check_value(DateSerial value, const Locale& loc) {
    const DateTimeParts parts = parts_from_serial(value);  // a recognised value is a platform date
    check(parts.year >= 100 && parts.year <= 9999);

    const std::u16string full = format_date(value, u"MM/DD/YYYY HH:MM:SS", loc);
    const std::optional<DateSerial> again = recognise_date(full, loc, today);
    check(again.has_value() && again->serial == value.serial);

    for (const Pattern& p : display_patterns) {
        if (p.two_digit_year && (parts.year < 1930 || parts.year > 2029)) continue;
        DateTimeParts kept = parts;
        if (!p.date) kept.year = 1899, kept.month = 12, kept.day = 30;
        if (!p.time) kept.hour = kept.minute = 0;
        if (!p.seconds) kept.second = 0;
        const std::optional<DateSerial> shown = recognise_date(format_date(value, p.text, loc), loc, today);
        check(shown.has_value() && parts_from_serial(*shown) == kept);
    }
}

void check_text(std::u16string_view text) {
    for (int i = 0; i < 3; ++i) {
        const Locale& loc = locale_at(i);
        if (const std::optional<DateSerial> value = recognise_date(text, loc, today)) check_value(*value, loc);
        // The String conversion reads back what it writes.
        if (const std::optional<DateSerial> value = read_date_time(text, general_dates, loc))
            check(read_date_time(general_date_text(*value, loc), general_dates, loc) == value);
    }
    if (const std::optional<DateSerial> value = read_date_time(text, exact_dates)) check(parse_iso(iso_text(*value)) == value);
    // Any text is a pattern: its codes are filled in, everything else is copied.
    const std::u16string shown = format_date(DateSerial{46361.547}, text, Locale::en_us());
    check(text.find(u'M') != std::u16string_view::npos || text.find(u'D') != std::u16string_view::npos ||
          text.find(u'Y') != std::u16string_view::npos || text.find(u'H') != std::u16string_view::npos ||
          text.find(u'S') != std::u16string_view::npos || text.find(u"AM/PM") != std::u16string_view::npos ||
          shown == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    check_text(units);

    const std::u16string latin1(data, data + size);
    check_text(latin1);
    return 0;
}
