// Dates: the one date-and-time reader under each caller's rules, the display patterns, and
// the date serial with its range, parts and fixed text forms.
#include "norvtext/platform/dates.hpp"

#include <chrono>
#include <cmath>
#include <limits>

#include "norvtext/platform/date_serial.hpp"
#include "tests/support/harness.hpp"

namespace norvtext {
namespace {

namespace chr = std::chrono;
using testing::error_of;
using testing::u8;
double seconds(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

TEST(Dates, ReadingByEachCallersRules) {
    const Locale de = Locale::from_name("de_DE"), es = Locale::from_name("es_ES"), ja = Locale::from_name("ja_JP"),
                 tr = Locale::from_name("tr_TR");
    Locale kelvin;  // upper case keeps the Kelvin sign itself, case folding makes it a k
    kelvin.pm = u"PK";
    const std::u16string pad(247, u' ');
    // rules: T typed_dates, G general_dates, X exact_dates; want: the value's exact text, "" when it is no date
    struct Row { const char* rule; char rules; std::u16string text; const char* want; const Locale* loc = &Locale::en_us(); int year = 2026; };
    const Row rows[] = {
        {"month day year", 'T', u"12/5/2026", "2026-12-05"}, {"points", 'T', u"12.05.2026", "2026-12-05"},
        {"blanks", 'T', u"12 5 2026", "2026-12-05"}, {"blanks at separators", 'T', u"12 / 5 / 2026", "2026-12-05"},
        {"year first", 'T', u"2026-12-05", "2026-12-05"}, {"two-digit year 29", 'T', u"12/5/29", "2029-12-05"},
        {"two-digit year 30", 'T', u"12/5/30", "1930-12-05"}, {"three-digit year", 'T', u"12/5/026", ""}, {"one-digit year", 'T', u"12/5/6", ""},
        {"five digits", 'T', u"12/5/02026", ""}, {"three-digit month", 'T', u"012/5/2026", ""}, {"Feb 29 common", 'T', u"2/29/2026", ""},
        {"Feb 29 leap", 'T', u"2/29/2028", "2028-02-29"}, {"month word", 'T', u"December 5, 2026", "2026-12-05"},
        {"capitals", 'T', u"DEC. 5, 2026", "2026-12-05"}, {"day month year", 'T', u"5 Dec 2026", "2026-12-05"},
        {"ymd word", 'T', u"2026 Dec 5", "2026-12-05"}, {"month year", 'T', u"Dec 2026", "2026-12-01"},
        {"year month", 'T', u"2026 Dec", "2026-12-01"}, {"month day", 'T', u"Dec 5", "2026-12-05"}, {"day month", 'T', u"5 Dec", "2026-12-05"},
        {"numbers month year", 'T', u"12/2026", "2026-12-01"}, {"numbers year month", 'T', u"2026-12", "2026-12-01"},
        {"numbers month day", 'T', u"12/26", "2026-12-26"}, {"today's year", 'T', u"2/29", "2028-02-29", &Locale::en_us(), 2028},
        {"today's common year", 'T', u"2/29", ""}, {"two month words", 'T', u"Dec Dec 2026", ""}, {"word last", 'T', u"5 2026 Dec", ""},
        {"mixed separators", 'T', u"12/05-2026", ""}, {"word runs on", 'T', u"Decx 5, 2026", ""}, {"word alone", 'T', u"Dec", ""},
        {"ends after a gap", 'T', u"12/05/", ""}, {"starts with a gap", 'T', u"/12/05/2026", ""}, {"two separators", 'T', u"12//05/2026", ""},
        {"a fourth field", 'T', u"12/05/2026/1", ""}, {"meridiem as a field", 'T', u"12/PM/2026", ""}, {"blank", 'T', u"  ", ""},
        {"time", 'T', u"1:07 PM", "13:07:00"}, {"24-hour", 'T', u"13:07", "13:07:00"}, {"hour 0", 'T', u"0:00", "00:00:00"},
        {"12 AM is midnight", 'T', u"12:30 AM", "00:30:00"}, {"12 PM is noon", 'T', u"12:30 PM", "12:30:00"}, {"1 AM", 'T', u"1 AM", "01:00:00"},
        {"hour with designator", 'T', u"1 PM", "13:00:00"}, {"hour 0 with designator", 'T', u"0:30 AM", ""},
        {"hour 13 with it", 'T', u"13:07 PM", ""}, {"hour 24", 'T', u"24:00", ""}, {"one-digit minute", 'T', u"1:7", "01:07:00"},
        {"three-digit hour", 'T', u"001:07", ""}, {"ends at a colon", 'T', u"1:07:", ""},
        {"three-digit second", 'T', u"1:07:123", ""}, {"two colons", 'T', u"1::07", ""},
        {"two designators", 'T', u"1:07 PM PM", ""}, {"designator first", 'T', u"PM 1:07", ""},
        {"date and time", 'T', u"12/05/2026 13:07:09", "2026-12-05 13:07:09"},
        {"comma join", 'T', u"December 5, 2026, 1:07 PM", "2026-12-05 13:07:00"}, {"blank before the comma", 'T', u"12/5/2026 , 1:07 PM", ""},
        {"comma without a blank", 'T', u"12/5/2026,1:07 PM", ""}, {"comma before a time alone", 'T', u", 1 PM", "13:00:00"},
        {"month day time", 'T', u"12/5 9:30", "2026-12-05 09:30:00"}, {"one field then time", 'T', u"Dec 1:07 PM", ""},
        {"narrow no-break space", 'T', u"1:07\u202FPM", "13:07:00"}, {"a prompt", 'T', u"12/05/20_6", ""},
        {"256 units", 'T', pad + u"12/5/2026", "2026-12-05"}, {"257 units", 'T', pad + u" 12/5/2026", ""},
        {"general", 'G', u"12/5/2026 1:07:09 PM", "2026-12-05 13:07:09"}, {"padded lower", 'G', u" 12/5/2026 1:07:09 pm\t", "2026-12-05 13:07:09"},
        {"24-hour", 'G', u"12/05/2026 13:07:09", "2026-12-05 13:07:09"}, {"hour 0", 'G', u"12/5/2026 0:07:09", "2026-12-05 00:07:09"},
        {"midnight", 'G', u"0:00:00", "00:00:00"}, {"long padding", 'G', std::u16string(300, u' ') + u"12/5/2026", "2026-12-05"},
        {"two-digit year", 'G', u"12/5/26", ""}, {"month word", 'G', u"Dec 5, 2026", ""}, {"dashes", 'G', u"12-05-2026", ""},
        {"blanks at slashes", 'G', u"12 / 5 / 2026", ""}, {"year first", 'G', u"2026/12/05", ""}, {"no year", 'G', u"12/5", ""},
        {"hour alone", 'G', u"1 PM", ""}, {"one-digit minute", 'G', u"1:7 PM", ""}, {"comma", 'G', u"12/5/2026, 1:07 PM", ""},
        {"narrow blank", 'G', u"1:07\u202FPM", ""}, {"exact", 'X', u"2026-12-05 13:07:09", "2026-12-05 13:07:09"},
        {"date", 'X', u"2026-12-05", "2026-12-05"}, {"time", 'X', u"13:07:09", "13:07:09"}, {"one-digit day", 'X', u"2026-12-5", ""},
        {"short", 'X', u"2026-12-05 13:07", ""}, {"month first", 'X', u"12/05/2026", ""}, {"padded", 'X', u" 2026-12-05", ""},
        {"locale month", 'T', u"5. Januar 2026", "2026-01-05", &de}, {"locale umlaut capitals", 'T', u"M\u00C4R 1, 2026", "2026-03-01", &de},
        {"locale Z folds", 'T', u"5 DEZ 2026", "2026-12-05", &de}, {"English in German", 'T', u"December 5, 2026", "", &de},
        {"locale designator", 'T', u"1:07 p.\u00A0m.", "13:07:00", &es}, {"month word of digits", 'T', u"12\u6708 5, 2026", "2026-12-05", &ja},
        {"Turkish dotless capitals", 'T', u"5 ARALIK 2026", "2026-12-05", &tr}, {"Kelvin folds to k", 'T', u"9:05 P\u212A", "21:05:00", &kelvin},
        {"Kelvin in upper case", 'G', u"9:05 P\u212A", "", &kelvin}, {"designator by upper case", 'G', u"9:05 pk", "21:05:00", &kelvin},
    };
    for (const Row& row : rows) {
        const DateRules& rules = row.rules == 'T' ? typed_dates : row.rules == 'G' ? general_dates : exact_dates;
        const auto got = read_date_time(row.text, rules, *row.loc, chr::year{row.year} / chr::June / 15);
        EXPECT_EQ(got ? iso_text(*got) : "", row.want) << row.rules << " " << row.rule << ": " << u8(row.text);
    }
}

TEST(Dates, FormatDate) {
    Locale custom;
    custom.month_abbreviations[11] = u"dcbr";
    custom.pm = u"pm";
    struct Row { const char* rule; DateTimeParts value; std::u16string pattern, text; const Locale& loc = Locale::en_us(); };
    const DateTimeParts pm{2026, 12, 5, 13, 7, 9}, early{2026, 3, 9, 4, 45, 6};
    const Row rows[] = {
        {"month first", pm, u"MM/DD/YYYY", u"12/05/2026"}, {"abbreviation", pm, u"MMM DD, YYYY", u"Dec 05, 2026"},
        {"two-digit year", pm, u"MM/YY", u"12/26"}, {"24 hours", pm, u"MM/DD/YYYY HH:MM:SS", u"12/05/2026 13:07:09"},
        {"12 hours", pm, u"HH:MM AM/PM", u"01:07 PM"}, {"MM after HH. is a month", early, u"HH.MM", u"04.03"},
        {"MM after H: is a month", early, u"xH:MM", u"xH:03"}, {"midnight is 12 AM", {2026, 12, 5, 0, 0, 0}, u"HH:MM AM/PM", u"12:00 AM"},
        {"noon is 12 PM", {2026, 12, 5, 12, 0, 0}, u"HH:MM AM/PM", u"12:00 PM"},
        {"last AM minute", {2026, 12, 5, 11, 59, 59}, u"HH:MM AM/PM", u"11:59 AM"}, {"hour 0", {2026, 12, 5, 0, 30, 0}, u"HH:MM:SS", u"00:30:00"},
        {"four-digit year 100", {100, 1, 1, 0, 0, 0}, u"MM/DD/YYYY", u"01/01/0100"},
        {"year 2000 as 00", {2000, 3, 9, 4, 45, 6}, u"MMM DD, YY", u"Mar 09, 00"},
        {"locale words", pm, u"MMM DD, YYYY HH:MM AM/PM", u"dcbr 05, 2026 01:07 pm", custom},
    };
    for (const Row& row : rows) EXPECT_EQ(format_date(*serial_from_parts(row.value), row.pattern, row.loc), row.text) << row.rule;
    EXPECT_EQ(error_of([] { format_date(DateSerial{1e10}, u"YYYY", Locale::en_us()); }), 6);
}

TEST(Dates, SerialFromParts) {
    struct Row { const char* rule; DateTimeParts parts; double serial; };  // serial NaN: none
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {
        {"epoch", {1899, 12, 30, 0, 0, 0}, 0}, {"day 1", {1899, 12, 31, 0, 0, 0}, 1}, {"no Feb 29 in 1900", {1900, 3, 1, 0, 0, 0}, 61},
        {"Feb 29 in 2000", {2000, 2, 29, 0, 0, 0}, 36585}, {"day 31", {2026, 12, 31, 0, 0, 0}, 46387},
        {"time on day 0", {1899, 12, 30, 18, 0, 0}, 0.75}, {"time forward before the epoch", {1899, 12, 29, 6, 0, 0}, -1.25},
        {"first day", {100, 1, 1, 0, 0, 0}, -657434}, {"last second", {9999, 12, 31, 23, 59, 59}, 2958465 + seconds(23, 59, 59)},
        {"year 99", {99, 12, 31, 0, 0, 0}, none}, {"year 10000", {10000, 1, 1, 0, 0, 0}, none}, {"month 0", {2026, 0, 1, 0, 0, 0}, none},
        {"month 13", {2026, 13, 1, 0, 0, 0}, none}, {"day 0", {2026, 1, 0, 0, 0, 0}, none}, {"day 32", {2026, 1, 32, 0, 0, 0}, none},
        {"April 31", {2026, 4, 31, 0, 0, 0}, none}, {"Feb 29 in 2100", {2100, 2, 29, 0, 0, 0}, none}, {"hour 24", {2026, 1, 1, 24, 0, 0}, none},
        {"hour -1", {2026, 1, 1, -1, 0, 0}, none}, {"minute 60", {2026, 1, 1, 0, 60, 0}, none}, {"minute -1", {2026, 1, 1, 0, -1, 0}, none},
        {"second 60", {2026, 1, 1, 0, 0, 60}, none}, {"second -1", {2026, 1, 1, 0, 0, -1}, none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        const std::optional<DateSerial> serial = serial_from_parts(row.parts);
        ASSERT_EQ(serial.has_value(), !std::isnan(row.serial));
        if (serial) { EXPECT_DOUBLE_EQ(serial->serial, row.serial); EXPECT_EQ(parts_from_serial(*serial), row.parts); }
    }
}

TEST(Dates, SerialRangeRoundingAndTexts) {
    const double half = 0.5 / 86400;
    struct Row { const char* rule; double serial; const char* iso; };  // "overflow": Error 6
    const Row rounding[] = {
        {"below half a second", 1 + half * 0.98, "1899-12-31"}, {"above half a second", 1 + half * 1.02, "1899-12-31 00:00:01"},
        {"rounds into the next day", 2 - half * 0.5, "1900-01-01"}, {"negative rounds into the next day", -1.999999999, "00:00:00"},
        {"negative fraction counts forward", -0.5, "12:00:00"}, {"first day rounds up", -657434.9999999999, "0100-01-02"},
        {"first day", -657434.5, "0100-01-01 12:00:00"}, {"last day", 2958465.9999, "9999-12-31 23:59:51"},
        {"rounds past the last day", 2958465.99999999, "overflow"}, {"after the last day", 2958466, "overflow"},
        {"before the first day", -657435, "overflow"}, {"far out", 1e300, "overflow"},
        {"infinity", std::numeric_limits<double>::infinity(), "overflow"}, {"NaN", std::numeric_limits<double>::quiet_NaN(), "overflow"},
    };
    for (const Row& row : rounding) {
        std::string got;
        EXPECT_EQ(error_of([&] { got = iso_text(DateSerial{row.serial}); }) == 6 ? "overflow" : got, row.iso) << row.rule;
        EXPECT_EQ(error_of([&] { parts_from_serial(DateSerial{row.serial}); }) == 6, got.empty()) << row.rule;
    }
    Locale designators;
    designators.pm = u"nachm.";
    struct Text { const char* rule; double serial; const char* iso; std::u16string general; const Locale& loc = Locale::en_us(); };
    const Text texts[] = {
        {"midnight of day 0 is a time", 0, "00:00:00", u"12:00:00 AM"}, {"noon", 0.5, "12:00:00", u"12:00:00 PM"},
        {"evening", 0.75, "18:00:00", u"6:00:00 PM"}, {"a date alone", 1, "1899-12-31", u"12/31/1899"},
        {"no leading zeros", 46361, "2026-12-05", u"12/5/2026"},
        {"date and time", 46361 + seconds(13, 7, 9), "2026-12-05 13:07:09", u"12/5/2026 1:07:09 PM"},
        {"year 100", -657434, "0100-01-01", u"1/1/0100"},
        {"hour 0 is 12 AM", 46361 + seconds(0, 0, 1), "2026-12-05 00:00:01", u"12/5/2026 12:00:01 AM"},
        {"last AM second", 46361 + seconds(11, 59, 59), "2026-12-05 11:59:59", u"12/5/2026 11:59:59 AM"},
        {"before the epoch", -1.25, "1899-12-29 06:00:00", u"12/29/1899 6:00:00 AM"},
        {"locale designator", 46361 + seconds(23, 59, 59), "2026-12-05 23:59:59", u"12/5/2026 11:59:59 nachm.", designators},
    };
    for (const Text& row : texts) {
        EXPECT_EQ(iso_text(DateSerial{row.serial}), row.iso) << row.rule;
        EXPECT_EQ(general_date_text(DateSerial{row.serial}, row.loc), row.general) << row.rule;
        EXPECT_DOUBLE_EQ(parse_iso(row.iso).value_or(DateSerial{-1e9}).serial, row.serial) << row.rule;
    }
    EXPECT_TRUE(has_time(DateSerial{0.5}) && has_date(DateSerial{-1.25}));
    EXPECT_FALSE(has_time(DateSerial{2 - half * 0.5}) || has_date(DateSerial{0.75}));
}

}  // namespace
}  // namespace norvtext
