// Date services: the display patterns, every pattern's text read back as its value over
// many dates and locales, the forms users type, and the texts that must not pass as dates.
#include "norvtext/platform/dates.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "norvtext/platform/date_serial.hpp"

namespace norvtext {
namespace {

namespace chr = std::chrono;

constexpr chr::sys_days june_15_2026 = chr::sys_days{chr::year{2026} / chr::June / 15};

// Readable in a failure message: non-ASCII units appear as \uXXXX.
std::string narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

std::string show(const DateTimeParts& p) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
    return buffer;
}

// What a recognised text denotes, in a comparable form; "none" when it is no date.
std::string read_back(std::u16string_view text, const Locale& loc, chr::sys_days today = june_15_2026) {
    const std::optional<DateSerial> value = recognise_date(text, loc, today);
    return value ? show(parts_from_serial(*value)) : "none";
}

DateSerial serial_of(const DateTimeParts& p) {
    const std::optional<DateSerial> serial = serial_from_parts(p);
    if (!serial) ADD_FAILURE() << "no serial for " << show(p);
    return serial.value_or(DateSerial{});
}

TEST(FormatDate, WritesEachCodeOfThePattern) {
    struct Case {
        DateTimeParts value;
        std::u16string_view pattern;
        std::u16string_view expected;
    };
    const DateTimeParts afternoon{2026, 12, 5, 13, 7, 9};
    const Case cases[] = {
        {afternoon, u"MM/DD/YYYY", u"12/05/2026"},
        {afternoon, u"MMM DD, YYYY", u"Dec 05, 2026"},
        {afternoon, u"MMM DD, YY", u"Dec 05, 26"},
        {afternoon, u"MM/DD/YYYY HH:MM:SS", u"12/05/2026 13:07:09"},
        {afternoon, u"MM/DD/YYYY HH:MM AM/PM", u"12/05/2026 01:07 PM"},
        {afternoon, u"HH:MM AM/PM", u"01:07 PM"},
        {afternoon, u"HH:MM:SS", u"13:07:09"},
        {afternoon, u"MM/YY", u"12/26"},
        {{2026, 12, 5, 0, 0, 0}, u"HH:MM AM/PM", u"12:00 AM"},
        {{2026, 12, 5, 12, 0, 0}, u"HH:MM AM/PM", u"12:00 PM"},
        {{2026, 12, 5, 11, 59, 59}, u"HH:MM AM/PM", u"11:59 AM"},
        {{2026, 12, 5, 0, 30, 0}, u"HH:MM:SS", u"00:30:00"},
        {{1899, 12, 30, 23, 59, 59}, u"MM/DD/YYYY HH:MM AM/PM", u"12/30/1899 11:59 PM"},
        {{100, 1, 1, 0, 0, 0}, u"MM/DD/YYYY", u"01/01/0100"},
        {{2000, 3, 9, 0, 0, 0}, u"MMM DD, YY", u"Mar 09, 00"},
        // Minutes only where the pattern asks for them after the hour.
        {{2026, 3, 9, 4, 45, 6}, u"MM/DD/YYYY HH:MM:SS", u"03/09/2026 04:45:06"},
        {{2026, 3, 9, 4, 45, 6}, u"HH.MM", u"04.03"},
        {{2026, 3, 9, 4, 45, 6}, u"Date: DD", u"Date: 09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << show(c.value) << " as " << narrow(c.pattern));
        EXPECT_EQ(narrow(format_date(serial_of(c.value), c.pattern, Locale::en_us())), narrow(c.expected));
    }
}

TEST(FormatDate, TakesMonthNamesAndDesignatorsFromTheLocale) {
    const DateSerial value = serial_of({2026, 12, 5, 13, 7, 9});
    EXPECT_EQ(format_date(value, u"MMM DD, YY", Locale::from_name("de_DE")), u"Dez 05, 26");
    Locale custom;
    custom.month_abbreviations[11] = u"dcbr";
    custom.pm = u"pm";
    EXPECT_EQ(format_date(value, u"MMM DD, YYYY HH:MM AM/PM", custom), u"dcbr 05, 2026 01:07 pm");
}

// The display patterns with the fields each one keeps; a two-digit year only comes back
// within its window.
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

// Every `step`th day from `first` to `last`, each at a different time of day, written with
// every pattern and read back.
void expect_round_trips(const Locale& loc, chr::sys_days first, chr::sys_days last, int step) {
    int k = 0;
    for (chr::sys_days day = first; day <= last; day += chr::days{step}, ++k) {
        const chr::year_month_day ymd{day};
        // 3541 s is prime to a day's seconds, so hours, minutes and seconds all vary.
        const int second_of_day = k * 3541 % 86400;
        const DateTimeParts value{static_cast<int>(ymd.year()),
                                  static_cast<int>(static_cast<unsigned>(ymd.month())),
                                  static_cast<int>(static_cast<unsigned>(ymd.day())),
                                  second_of_day / 3600,
                                  second_of_day / 60 % 60,
                                  second_of_day % 60};
        for (const Pattern& p : display_patterns) {
            if (p.two_digit_year && (value.year < 1930 || value.year > 2029)) continue;
            DateTimeParts kept = value;
            if (!p.date) kept.year = 1899, kept.month = 12, kept.day = 30;
            if (!p.time) kept.hour = kept.minute = 0;
            if (!p.seconds) kept.second = 0;
            const std::u16string text = format_date(serial_of(value), p.text, loc);
            ASSERT_EQ(read_back(text, loc), show(kept)) << loc.name << " " << narrow(text);
        }
    }
}

TEST(RecogniseDate, EveryDisplayedTextReadsBackAsItsValue) {
    const chr::sys_days from_1930 = chr::year{1930} / chr::January / 1;
    const chr::sys_days to_2029 = chr::year{2029} / chr::December / 31;
    expect_round_trips(Locale::en_us(), from_1930, to_2029, 13);
    // The whole range of the platform's dates, more sparsely.
    expect_round_trips(Locale::en_us(), chr::year{100} / chr::January / 1, chr::year{9999} / chr::December / 31, 4999);
}

TEST(RecogniseDate, DisplayedTextsReadBackInOtherLocales) {
    // German umlauts, Spanish "p. m." with a no-break space, French accents, Japanese month
    // names that begin with digits, Turkish dotted capitals, Russian Cyrillic.
    for (const char* name : {"de_DE", "es_ES", "fr_FR", "ja_JP", "tr_TR", "ru_RU"}) {
        SCOPED_TRACE(name);
        expect_round_trips(Locale::from_name(name), chr::year{1930} / chr::January / 1,
                           chr::year{2029} / chr::December / 31, 211);
    }
}

TEST(RecogniseDate, ReadsTheFormsUsersType) {
    struct Case {
        std::u16string_view text;
        const char* expected;
    };
    const Case cases[] = {
        {u"12/5/2026", "2026-12-05 00:00:00"},
        {u"12-05-2026", "2026-12-05 00:00:00"},
        {u"12.05.2026", "2026-12-05 00:00:00"},
        {u"12 5 2026", "2026-12-05 00:00:00"},
        {u"2026-12-05", "2026-12-05 00:00:00"},
        {u"12/5/26", "2026-12-05 00:00:00"},
        {u"12/5/29", "2029-12-05 00:00:00"},
        {u"12/5/30", "1930-12-05 00:00:00"},
        {u"December 5, 2026", "2026-12-05 00:00:00"},
        {u"Dec 5 2026", "2026-12-05 00:00:00"},
        {u"DEC. 5, 2026", "2026-12-05 00:00:00"},
        {u"Dec 05, 26", "2026-12-05 00:00:00"},
        {u"5 Dec 2026", "2026-12-05 00:00:00"},
        {u"5-dec-26", "2026-12-05 00:00:00"},
        {u"2026 Dec 5", "2026-12-05 00:00:00"},
        {u"Feb 29, 2028", "2028-02-29 00:00:00"},
        {u"  12/5/2026\t", "2026-12-05 00:00:00"},
        // Without a year: today's year. A number of four digits is the year, on day 1.
        {u"12/26", "2026-12-26 00:00:00"},
        {u"05/30", "2026-05-30 00:00:00"},
        {u"Dec 5", "2026-12-05 00:00:00"},
        {u"5 Dec", "2026-12-05 00:00:00"},
        {u"Dec 2026", "2026-12-01 00:00:00"},
        {u"12/2026", "2026-12-01 00:00:00"},
        {u"2026-12", "2026-12-01 00:00:00"},
        // Times alone are times on day 0.
        {u"1:07 PM", "1899-12-30 13:07:00"},
        {u"1:07pm", "1899-12-30 13:07:00"},
        {u"13:07", "1899-12-30 13:07:00"},
        {u"0:00", "1899-12-30 00:00:00"},
        {u"12:00 AM", "1899-12-30 00:00:00"},
        {u"12:30 PM", "1899-12-30 12:30:00"},
        {u"1 PM", "1899-12-30 13:00:00"},
        // Dates with times.
        {u"12/05/2026 13:07:09", "2026-12-05 13:07:09"},
        {u"12/05/2026 01:07 PM", "2026-12-05 13:07:00"},
        {u"2026-12-05 13:07:09", "2026-12-05 13:07:09"},
        {u"December 5, 2026, 1:07 PM", "2026-12-05 13:07:00"},
        {u"12/5 9:30", "2026-12-05 09:30:00"},
        {u"01/01/0100", "0100-01-01 00:00:00"},
        {u"12/31/9999 23:59:59", "9999-12-31 23:59:59"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.text));
        EXPECT_EQ(read_back(c.text, Locale::en_us()), c.expected);
    }
}

TEST(RecogniseDate, RejectsTextsThatAreNoDates) {
    const std::u16string texts[] = {
        // Not finished typing: a prompt anywhere.
        u"__/__/____", u"12/05/____", u"12/05/2026 13:07:0_", u"_12/05/2026", u"___ __, ____",
        // Fields out of range.
        u"13/05/2026", u"00/05/2026", u"12/32/2026", u"12/00/2026", u"2/30/2026", u"2/29/2026", u"2/29/1900",
        u"25:00", u"24:00", u"12:60", u"12:00:60", u"13:07 PM", u"0:30 AM", u"12/31/0099", u"Feb 30, 2026",
        // Blank, numbers alone, words.
        u"", u" ", u"\t \u00A0", u"5", u"12345", u"2026", u"0", u"hello", u"Dec", u"PM", u"December fifth",
        // Digit counts: three-digit and one-digit years, three-digit months and days, long hours.
        u"12/5/026", u"12/5/6", u"012/5/2026", u"12/005/2026", u"001:07", u"12:007", u"2026-012-05",
        // Broken shapes.
        u"12/05/", u"/12/05/2026", u"12//05/2026", u"12/05/2026/", u"12/05-2026", u"12/05/2026-13:07",
        u"1:07 PM 12/5/2026", u"PM 1:07", u"1:07 PM PM", u"1:07:", u":07", u"1::07", u"12/5/2026 13",
        u"Dec Dec 2026", u"5 Dec Dec", u"Decx 5, 2026", u"Dec5x2026", u"12/5/2026 1:07 XM", u"12/5/2026 + 1",
        u"5 Dec1:07 PM",
        // A lone surrogate, a non-character, full-width digits.
        std::u16string(1, char16_t{0xD800}), u"12/5/2026\uFFFF", u"\uFF11\uFF12/5/2026",
    };
    for (const std::u16string& text : texts) {
        SCOPED_TRACE(narrow(text));
        EXPECT_EQ(read_back(text, Locale::en_us()), "none");
    }
}

TEST(RecogniseDate, TextsWithoutAYearTakeTodaysYear) {
    struct Case {
        std::u16string_view text;
        chr::sys_days today;
        const char* expected;
    };
    const Case cases[] = {
        {u"12/26", chr::year{1999} / chr::January / 1, "1999-12-26 00:00:00"},
        {u"Dec 5", chr::year{2031} / chr::December / 31, "2031-12-05 00:00:00"},
        {u"2/29", chr::year{2028} / chr::March / 1, "2028-02-29 00:00:00"},
        {u"2/29", chr::year{2026} / chr::March / 1, "none"},
        {u"12/5/2026", chr::year{1999} / chr::January / 1, "2026-12-05 00:00:00"},
        {u"1:07 PM", chr::year{1999} / chr::January / 1, "1899-12-30 13:07:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.text));
        EXPECT_EQ(read_back(c.text, Locale::en_us(), c.today), c.expected);
    }
}

TEST(RecogniseDate, ReadsTheLocalesMonthNamesAndDesignators) {
    struct Case {
        const char* locale;
        std::u16string_view text;
        const char* expected;
    };
    const Case cases[] = {
        {"de_DE", u"5. Dezember 2026", "2026-12-05 00:00:00"},
        {"de_DE", u"5 Dez 2026", "2026-12-05 00:00:00"},
        {"de_DE", u"M\u00C4R 1, 2026", "2026-03-01 00:00:00"},
        {"de_DE", u"m\u00e4rz 1, 2026", "2026-03-01 00:00:00"},
        {"de_DE", u"December 5, 2026", "none"},
        {"de_DE", u"12/05/2026", "2026-12-05 00:00:00"},  // numbers stay month first
        {"es_ES", u"1:07 p.\u00A0m.", "1899-12-30 13:07:00"},
        {"es_ES", u"1:07 P.\u00A0M.", "1899-12-30 13:07:00"},
        {"es_ES", u"1:07 PM", "none"},
        {"es_ES", u"5 dic 2026", "2026-12-05 00:00:00"},
        {"es_ES", u"5 sept 2026", "2026-09-05 00:00:00"},
        {"ja_JP", u"12\u6708 5, 2026", "2026-12-05 00:00:00"},
        {"ja_JP", u"1\u6708 5, 2026", "2026-01-05 00:00:00"},
        {"tr_TR", u"5 A\u011Fustos 2026", "2026-08-05 00:00:00"},
        {"tr_TR", u"5 ARALIK 2026", "2026-12-05 00:00:00"},
        {"en_US", u"5 Dezember 2026", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.locale << " " << narrow(c.text));
        EXPECT_EQ(read_back(c.text, Locale::from_name(c.locale)), c.expected);
    }
}

TEST(RecogniseDate, VeryLongTextsAreNoDates) {
    const std::u16string padding(240, u' ');
    EXPECT_EQ(read_back(padding + u"12/5/2026", Locale::en_us()), "2026-12-05 00:00:00");
    EXPECT_EQ(read_back(padding + padding + u"12/5/2026", Locale::en_us()), "none");
    EXPECT_EQ(read_back(std::u16string(100000, u'1'), Locale::en_us()), "none");
}

}  // namespace
}  // namespace norvtext
