// Tests for the number services: the numeric test, the leading number, the general number
// text, the pattern formatter, money conversions and rounding to the integer types.
#include "norvtext/platform/numbers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

Locale german() {
    Locale loc;
    loc.name = "de_DE";
    loc.decimal = u",";
    loc.grouping = u".";
    return loc;
}

std::string narrow(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

constexpr double no = std::numeric_limits<double>::quiet_NaN();  // "not a number" in the tables

TEST(NumericTest, ReadsTheFormsItShould) {
    struct Case {
        std::u16string text;
        bool de;
        double expected;  // NaN: not numeric
    };
    const Case cases[] = {
        {u"abc", false, no},        {u"12abc", false, no},      {u"", false, no},
        {u"   ", false, no},        {u"42", false, 42},         {u" 3.50 ", false, 3.5},
        {u"1e3", false, 1000},      {u"1E-2", false, 0.01},     {u"1,000", false, 1000},
        {u"1,00", false, 100},      {u"1,000.5", false, 1000.5}, {u"-5", false, -5},
        {u"5-", false, -5},         {u"5 -", false, -5},        {u"+5", false, 5},
        {u".5", false, 0.5},        {u"5.", false, 5},          {u".", false, no},
        {u"$5", false, 5},          {u"-$5", false, -5},        {u"$ - 5", false, -5},
        {u"(12)", false, -12},      {u"( $12 )", false, -12},   {u"(-12)", false, no},
        {u"(12", false, no},        {u"12)", false, no},        {u"$(12)", false, no},
        {u"-", false, no},          {u"$", false, no},          {u"1e", false, no},
        {u"1e+", false, no},        {u".e5", false, no},        {u"--5", false, no},
        {u"-5-", false, no},        {u"$$5", false, no},        {u"5$", false, no},
        {u"1e400", false, no},      {u"1e-400", false, 0},      {u"1.000,5", false, no},
        {u",5", false, no},         {u"1,", false, no},         {u"1,,000", false, no},
        {u"1.2.3", false, no},      {u"1 2", false, no},        {u"12%", false, no},
        {u"1e3.5", false, no},      {u"\u00A05\t", false, 5},
        {u"1.7976931348623157e308", false, 1.7976931348623157e308},
        {u"1.79769313486232E+308", false, no},  // the 15-digit text of the largest Double
        {u"1234,5", true, 1234.5},  {u"1.234,5", true, 1234.5}, {u"-0,5", true, -0.5},
        {u"1,234.5", true, no},     {u"1.5", true, 15},
    };
    const Locale de = german();
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.text) + (c.de ? " (de)" : ""));
        const Locale& loc = c.de ? de : Locale::en_us();
        const std::optional<double> got = parse_double(c.text, loc);
        EXPECT_EQ(is_numeric(c.text, loc), got.has_value());
        if (std::isnan(c.expected)) {
            EXPECT_FALSE(got.has_value());
        } else {
            ASSERT_TRUE(got.has_value());
            EXPECT_EQ(*got, c.expected);
        }
    }
}

TEST(NumericTest, KeepsTheExactDigits) {
    struct Case {
        std::u16string text;
        Decimal expected;
    };
    const Case cases[] = {
        {u"007.50", {false, "75", 1}},
        {u"0.0", {}},
        {u"-0", {}},
        {u"1,000", {false, "1", 4}},
        {u"-0.001e-2", {true, "1", -4}},
        {u"12345678901234567890.5", {false, "123456789012345678905", 20}},
        {u"1e-400", {false, "1", -399}},
        {u"(0.10)", {true, "1", 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.text));
        EXPECT_EQ(parse_number(c.text), c.expected);
    }
}

TEST(LeadingNumber, ReadsUpToTheFirstOtherCharacter) {
    struct Case {
        std::u16string text;
        double expected;
    };
    const Case cases[] = {
        {u"12abc", 12}, {u"abc", 0},      {u"", 0},       {u"1 2", 12},    {u" -3.5e2x", -350},
        {u"1.2.3", 1.2}, {u"1,000", 1},   {u"\t\n+7", 7}, {u"12e", 12},    {u"12e+", 12},
        {u"1e-2", 0.01}, {u".5", 0.5},    {u"-", 0},      {u"1e-400", 0},  {u"$5", 0},
        {u"- 3", -3},    {u"1 e 2", 100}, {u"0.1", 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.text));
        EXPECT_EQ(leading_number(c.text), c.expected);
    }
}

TEST(LeadingNumber, BeyondDoubleRaisesOverflow) {
    try {
        leading_number(u"1e400");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorCode::Overflow));
    }
}

TEST(GeneralNumberText, FifteenDigitsNoTrailingZeros) {
    struct Case {
        double value;
        std::u16string expected;
        bool de = false;
    };
    const Case cases[] = {
        {0.0, u"0"},
        {-0.0, u"0"},
        {0.5, u"0.5"},
        {-0.5, u"-0.5"},
        {42, u"42"},
        {3.5, u"3.5"},
        {0.1 + 0.2, u"0.3"},
        {1.0 / 3, u"0.333333333333333"},
        {2.0 / 3, u"0.666666666666667"},
        {999999999999999.0, u"999999999999999"},
        {999999999999999.9, u"1E+15"},  // rounding carries into the exponent form
        {1e15, u"1E+15"},
        {123456789012345678.0, u"1.23456789012346E+17"},
        {1e100, u"1E+100"},
        {0.0001, u"0.0001"},
        {1e-5, u"1E-05"},
        {-2.5e-7, u"-2.5E-07"},
        {5e-324, u"5E-324"},  // the shortest digits of the smallest Double
        {1234.5, u"1234,5", true},
        {-0.25, u"-0,25", true},
        {std::numeric_limits<double>::quiet_NaN(), u"NaN"},
        {-std::numeric_limits<double>::infinity(), u"-Infinity"},
    };
    const Locale de = german();
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.expected));
        EXPECT_EQ(general_number_text(c.value, c.de ? de : Locale::en_us()), c.expected);
    }
}

TEST(FormatPattern, DigitPositionsLiteralsAndRounding) {
    struct Case {
        double value;
        std::u16string pattern;
        std::u16string expected;
    };
    const Case cases[] = {
        {1234.5, u"$#,##.00", u"$1,234.50"},
        {1234567.891, u"$#,##.00", u"$1,234,567.89"},
        {0, u"$#,##.00", u"$.00"},
        {0.5, u"$#,##.00", u"$.50"},
        {-5, u"$#,##.00", u"-$5.00"},
        {1.005, u"#.00", u"1.01"},
        {2.675, u"#.00", u"2.68"},
        {0.125, u"#.00", u".13"},
        {0.999, u"#.00", u"1.00"},
        {-0.001, u"#.00", u".00"},
        {-0.005, u"#.00", u"-.01"},
        {12.5, u"#.00%", u"12.50%"},
        {123, u"000-00-0000", u"000-00-0123"},
        {12345678901, u"(000) 000-0000", u"(1234) 567-8901"},
        {5551234, u"(000) 000-0000", u"(000) 555-1234"},
        {1234, u"00000", u"01234"},
        {123456, u"00000", u"123456"},
        {5, u"#,##0.00", u"5.00"},
        {1234567, u"#,##0.00", u"1,234,567.00"},
        {999.995, u"#,##0.00", u"1,000.00"},
        {1e20, u"#,##0", u"100,000,000,000,000,000,000"},
        {5, u"0,000", u"0,005"},
        {2.5, u"0", u"3"},
        {-2.5, u"0", u"-3"},
        {7, u".00", u"7.00"},
        {0.25, u".00", u".25"},
        {3.14159, u"#.0#", u"3.14"},
        {3.1, u"#.0#", u"3.1"},
        {3, u"#.0#", u"3.0"},
        {5, u"abc", u"abc5"},
        {5, u",#", u",5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.pattern) + " " + narrow(c.expected));
        EXPECT_EQ(format_pattern(c.value, c.pattern), c.expected);
    }
}

TEST(FormatPattern, LocaleSymbolsAndExactDecimals) {
    EXPECT_EQ(format_pattern(1234.5, u"$#,##.00", german()), u"$1.234,50");
    // Digits beyond a Double's precision are formatted as given.
    const Decimal big{true, "1234567890123456789012345", 25};
    EXPECT_EQ(format_pattern(big, u"#,##0"), u"-1,234,567,890,123,456,789,012,345");
    const Decimal tie{false, "1" + std::string(70, '0') + "5", 1};  // 1.00...005 with 71 decimals
    EXPECT_EQ(format_pattern(tie, u"0." + std::u16string(70, u'0')), u"1." + std::u16string(69, u'0') + u"1");
    EXPECT_THROW(format_pattern(std::numeric_limits<double>::infinity(), u"#"), Error);
}

TEST(Currency, ReadsRoundingHalvesToEvenWithinTheRange) {
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    struct Case {
        std::u16string text;
        std::optional<std::int64_t> ticks;
    };
    const Case cases[] = {
        {u"1234.5", 12345000},
        {u"$1,234.50", 12345000},
        {u"-$1,234.50", -12345000},
        {u"0.00005", 0},
        {u"0.00015", 2},
        {u"0.00025", 2},
        {u"0.000251", 3},
        {u"-0.00015", -2},
        {u"0.00001", 0},
        {u"922337203685477.5807", max},
        {u"922337203685477.58074", max},
        {u"922337203685477.58075", std::nullopt},
        {u"922337203685477.5808", std::nullopt},
        {u"-922337203685477.5808", min},
        {u"-922337203685477.5809", std::nullopt},
        {u"1e15", std::nullopt},
        {u"abc", std::nullopt},
        {u"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.text));
        const std::optional<Currency> got = parse_currency(c.text);
        ASSERT_EQ(got.has_value(), c.ticks.has_value());
        if (got) {
            EXPECT_EQ(got->ticks, *c.ticks);
            // The plain text reads back as the same amount.
            EXPECT_EQ(parse_currency(currency_plain_text(*got)), got);
        }
    }
}

TEST(Currency, ExactTextHasOneShape) {
    struct Case {
        const char* name;
        std::string_view text;
        std::optional<Currency> amount;
    };
    const Case cases[] = {
        {"four decimals", "1234.5678", Currency{12345678}},
        {"trailing zeros", "1234.5000", Currency{12345000}},
        {"leading zeros", "007", Currency{70000}},
        {"negative", "-0.0001", Currency{-1}},
        {"negative zero", "-0", Currency{0}},
        {"largest", "922337203685477.5807", Currency{std::numeric_limits<std::int64_t>::max()}},
        {"smallest", "-922337203685477.5808", Currency{std::numeric_limits<std::int64_t>::min()}},
        {"beyond the largest", "922337203685477.5808", std::nullopt},
        {"five decimals", "1.23456", std::nullopt},
        {"point without decimals", "5.", std::nullopt},
        {"point without whole part", ".5", std::nullopt},
        {"sign alone", "-", std::nullopt},
        {"plus sign", "+5", std::nullopt},
        {"exponent", "1e3", std::nullopt},
        {"grouping", "1,234", std::nullopt},
        {"currency sign", "$5", std::nullopt},
        {"blank", " 5", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parse_exact_currency(c.text), c.amount);
    }
}

TEST(Currency, PlainTextAndDoubles) {
    struct Case {
        std::int64_t ticks;
        std::u16string expected;
    };
    const Case cases[] = {
        {0, u"0"},           {12345000, u"1234.5"}, {-1, u"-0.0001"}, {10000, u"1"}, {10100, u"1.01"},
        {std::numeric_limits<std::int64_t>::min(), u"-922337203685477.5808"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.expected));
        EXPECT_EQ(currency_plain_text(Currency{c.ticks}), c.expected);
        EXPECT_EQ(exact_currency_text(Currency{c.ticks}), narrow(c.expected));
    }
    EXPECT_EQ(currency_plain_text(Currency{12345000}, german()), u"1234,5");

    EXPECT_EQ(currency_from_double(1.00005), Currency{10000});
    EXPECT_EQ(currency_from_double(1.00015), Currency{10002});
    EXPECT_EQ(currency_from_double(-0.1), Currency{-1000});
    EXPECT_EQ(currency_from_double(922337203685477.5807), std::nullopt);  // the nearest Double lies above
    EXPECT_EQ(currency_from_double(std::nan("")), std::nullopt);
    EXPECT_EQ(currency_to_double(Currency{12345000}), 1234.5);
    EXPECT_EQ(currency_to_double(Currency{1}), 0.0001);
    EXPECT_EQ(Decimal::from_currency(Currency{-1}), (Decimal{true, "1", -3}));
    EXPECT_EQ(Decimal::from_integer(std::numeric_limits<std::int64_t>::min()),
              (Decimal{true, "9223372036854775808", 19}));
    EXPECT_EQ(Decimal::from_integer(1200), (Decimal{false, "12", 4}));
}

TEST(RoundToInteger, HalvesToEvenWithinTheRange) {
    struct Case {
        double value;
        std::optional<std::int32_t> integer;  // round_to_integer
        std::optional<std::int32_t> long_;    // round_to_long
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 4},
        {-2.5, -2, -2},
        {-3.5, -4, -4},
        {0.5, 0, 0},
        {1.4999999999999998, 1, 1},
        {32767.4, 32767, 32767},
        {32767.5, std::nullopt, 32768},
        {-32768.5, -32768, -32768},
        {-32768.6, std::nullopt, -32769},
        {2147483646.5, std::nullopt, 2147483646},
        {2147483647.5, std::nullopt, std::nullopt},
        {-2147483648.5, std::nullopt, std::numeric_limits<std::int32_t>::min()},
        {std::nan(""), std::nullopt, std::nullopt},
        {inf, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const auto i = round_to_integer(c.value);
        EXPECT_EQ(i ? std::optional<std::int32_t>(*i) : std::nullopt, c.integer);
        EXPECT_EQ(round_to_long(c.value), c.long_);
    }
}

}  // namespace
}  // namespace norvtext
