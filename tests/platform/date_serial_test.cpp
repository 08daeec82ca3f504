// The date serial: calendar anchors, field validation, rounding to the second, negative
// serials, and the ISO and general text forms.
#include "norvtext/platform/date_serial.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

constexpr double seconds(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

void expect_overflow(DateSerial d) {
    try {
        parts_from_serial(d);
        ADD_FAILURE() << "no error for " << d.serial;
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 6) << d.serial;
    }
}

TEST(DateSerial, KnownDatesHaveTheirSerials) {
    struct Case {
        DateTimeParts parts;
        double serial;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0},
        {{1899, 12, 31, 0, 0, 0}, 1},
        {{1900, 1, 1, 0, 0, 0}, 2},
        {{1900, 2, 28, 0, 0, 0}, 60},
        {{1900, 3, 1, 0, 0, 0}, 61},  // 1900 has no Feb 29
        {{2000, 2, 29, 0, 0, 0}, 36585},
        {{2000, 3, 1, 0, 0, 0}, 36586},
        {{2026, 12, 5, 13, 7, 9}, 46361 + seconds(13, 7, 9)},
        {{1899, 12, 30, 18, 0, 0}, 0.75},
        {{1899, 12, 29, 6, 0, 0}, -1.25},  // the time counts forward from midnight
        {{1752, 9, 14, 0, 0, 0}, -53797},
        {{1600, 2, 29, 12, 0, 0}, -109512.5},
        {{100, 1, 1, 0, 0, 0}, -657434},
        {{100, 1, 1, 23, 59, 59}, -657434 - seconds(23, 59, 59)},
        {{9999, 12, 31, 23, 59, 59}, 2958465 + seconds(23, 59, 59)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parts.year << "-" << c.parts.month << "-" << c.parts.day << " "
                                        << c.parts.hour << ":" << c.parts.minute << ":" << c.parts.second);
        const std::optional<DateSerial> serial = serial_from_parts(c.parts);
        ASSERT_TRUE(serial.has_value());
        EXPECT_DOUBLE_EQ(serial->serial, c.serial);
        EXPECT_EQ(parts_from_serial(DateSerial{c.serial}), c.parts);
    }
}

TEST(DateSerial, FieldsOutOfRangeHaveNoSerial) {
    struct Case {
        const char* name;
        DateTimeParts parts;
    };
    const Case cases[] = {
        {"Feb 29 in 1900", {1900, 2, 29, 0, 0, 0}},
        {"Feb 29 in 2100", {2100, 2, 29, 0, 0, 0}},
        {"Feb 30 in a leap year", {2024, 2, 30, 0, 0, 0}},
        {"April 31", {2026, 4, 31, 0, 0, 0}},
        {"day 0", {2026, 1, 0, 0, 0, 0}},
        {"month 0", {2026, 0, 1, 0, 0, 0}},
        {"month 13", {2026, 13, 1, 0, 0, 0}},
        {"year 99", {99, 12, 31, 0, 0, 0}},
        {"year 10000", {10000, 1, 1, 0, 0, 0}},
        {"hour 24", {2026, 1, 1, 24, 0, 0}},
        {"minute 60", {2026, 1, 1, 0, 60, 0}},
        {"second 60", {2026, 1, 1, 0, 0, 60}},
        {"negative second", {2026, 1, 1, 0, 0, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(serial_from_parts(c.parts).has_value());
    }
    EXPECT_TRUE(serial_from_parts({2024, 2, 29, 0, 0, 0}).has_value());
}

TEST(DateSerial, EveryThirtySeventhDayRoundTrips) {
    // Day numbers are checked against a plain count, not only against the inverse function,
    // so a calendar slip on both sides cannot hide.
    const DateSerial first = *serial_from_parts({100, 1, 1, 0, 0, 0});
    ASSERT_EQ(first.serial, -657434);
    int checked = 0;
    for (int day = -657434, k = 0; day <= 2958465; day += 37, ++k) {
        const int second_of_day = static_cast<int>((static_cast<long long>(k) * 7919) % 86400);
        const double time = second_of_day / 86400.0;
        const DateSerial serial{day >= 0 ? day + time : day - time};
        const DateTimeParts parts = parts_from_serial(serial);
        ASSERT_EQ(parts.hour * 3600 + parts.minute * 60 + parts.second, second_of_day) << serial.serial;
        const std::optional<DateSerial> back = serial_from_parts(parts);
        ASSERT_TRUE(back.has_value()) << serial.serial;
        ASSERT_EQ(std::trunc(back->serial), day);
        ASSERT_NEAR(back->serial, serial.serial, 1e-9) << serial.serial;
        ASSERT_EQ(parse_iso(iso_text(serial)).value_or(DateSerial{-1e9}).serial, back->serial) << iso_text(serial);
        ++checked;
    }
    EXPECT_GT(checked, 97000);
}

TEST(DateSerial, RoundsToTheNearestSecond) {
    struct Case {
        double serial;
        DateTimeParts parts;
    };
    const double half_second = 0.5 / 86400;
    const Case cases[] = {
        {1 + half_second * 0.98, {1899, 12, 31, 0, 0, 0}},
        {1 + half_second * 1.02, {1899, 12, 31, 0, 0, 1}},
        {2 - half_second * 0.5, {1900, 1, 1, 0, 0, 0}},  // carries into the next day
        {-1.999999999, {1899, 12, 30, 0, 0, 0}},         // 23:59:59.99 of Dec 29 is Dec 30
        {-0.5, {1899, 12, 30, 12, 0, 0}},
        {-657434.9999999999, {100, 1, 2, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.serial);
        EXPECT_EQ(parts_from_serial(DateSerial{c.serial}), c.parts);
    }
    EXPECT_FALSE(has_time(DateSerial{2 - half_second * 0.5}));
    EXPECT_TRUE(has_date(DateSerial{1 - half_second * 0.5}));
}

TEST(DateSerial, SerialsOutsideTheDateRangeOverflow) {
    for (const double s : {2958466.0, 2958465.9999999999, -657435.0, 1e300, -1e300,
                           std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(testing::Message() << s);
        expect_overflow(DateSerial{s});
    }
}

TEST(DateSerial, IsoText) {
    struct Case {
        double serial;
        const char* text;
    };
    const Case cases[] = {
        {0, "00:00:00"},
        {0.75, "18:00:00"},
        {-0.25, "06:00:00"},
        {1, "1899-12-31"},
        {46361, "2026-12-05"},
        {46361 + seconds(13, 7, 9), "2026-12-05 13:07:09"},
        {-1.25, "1899-12-29 06:00:00"},
        {-657434, "0100-01-01"},
        {2958465 + seconds(23, 59, 59), "9999-12-31 23:59:59"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(iso_text(DateSerial{c.serial}), c.text);
        const std::optional<DateSerial> back = parse_iso(c.text);
        ASSERT_TRUE(back.has_value());
        // -0.25 and 0.25 name the same time; the text reads back as the positive one.
        EXPECT_DOUBLE_EQ(back->serial, c.serial == -0.25 ? 0.25 : c.serial);
    }
    EXPECT_EQ(parse_iso("2026-12-05 00:00:00").value_or(DateSerial{-1}).serial, 46361);
    EXPECT_EQ(parse_iso("1899-12-30").value_or(DateSerial{-1}).serial, 0);
}

TEST(DateSerial, IsoReadingIsStrict) {
    for (const char* text : {"", "2026-12-5", "2026-1-05", "26-12-05", "02026-12-05", "2026/12/05",
                             "2026-12-05T13:07:09", "2026-12-05  13:07:09", "2026-12-05 13:07", "13:07",
                             "1:07:09", " 2026-12-05", "2026-12-05 ", "2026-02-30", "1900-02-29", "0099-12-31",
                             "24:00:00", "12:60:00", "12:00:60", "+026-12-05", "2026-12-0x", "2026-12-05 1a:00:00",
                             "2026-12-05 13:07:09.5", "12/05/2026", "13:07:09 PM", "2026-12-05\t13:07:09"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parse_iso(text).has_value());
    }
}

TEST(DateSerial, GeneralDateText) {
    Locale designators;
    designators.am = u"vorm.";
    designators.pm = u"nachm.";
    struct Case {
        double serial;
        const Locale& loc;
        std::u16string text;
    };
    const Case cases[] = {
        {46361 + seconds(13, 7, 9), Locale::en_us(), u"12/5/2026 1:07:09 PM"},
        {46361, Locale::en_us(), u"12/5/2026"},
        {46361 + seconds(0, 0, 1), Locale::en_us(), u"12/5/2026 12:00:01 AM"},
        {46361 + seconds(12, 30, 0), Locale::en_us(), u"12/5/2026 12:30:00 PM"},
        {seconds(9, 5, 0), Locale::en_us(), u"9:05:00 AM"},
        {0, Locale::en_us(), u"12:00:00 AM"},
        {-1.25, Locale::en_us(), u"12/29/1899 6:00:00 AM"},
        {-657434, Locale::en_us(), u"1/1/0100"},
        {46361 + seconds(23, 59, 59), designators, u"12/5/2026 11:59:59 nachm."},
        {seconds(11, 0, 0), designators, u"11:00:00 vorm."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.serial);
        EXPECT_EQ(general_date_text(DateSerial{c.serial}, c.loc), c.text);
    }
}

}  // namespace
}  // namespace norvtext
