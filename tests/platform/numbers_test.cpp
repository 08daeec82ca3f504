// The number services: the numeric reading every box and conversion uses, the leading number,
// the general number text, the pattern formatter, money amounts and rounding to whole numbers.
#include "norvtext/platform/numbers.hpp"

#include <cmath>
#include <limits>

#include "tests/support/harness.hpp"

namespace norvtext {
namespace {

using testing::error_of;
using testing::u8;
constexpr double no = std::numeric_limits<double>::quiet_NaN();  // "not a number" in the tables
constexpr std::int64_t max64 = std::numeric_limits<std::int64_t>::max(), min64 = std::numeric_limits<std::int64_t>::min();

Locale german() {
    Locale loc;
    loc.decimal = u",";
    loc.grouping = u".";
    return loc;
}

TEST(Numbers, ReadingWholeTexts) {
    struct Row { const char* rule; std::u16string text; double value; bool de = false; };  // value NaN: not a number
    const Row rows[] = {
        {"digits 0 and 9", u"90", 90}, {"'/' borders the digits", u"1/", no}, {"':' borders the digits", u":1", no}, {"empty", u"", no},
        {"blanks around", u"\u00A05\t", 5}, {"blanks alone", u"  ", no}, {"grouping", u"1,000", 1000}, {"grouping anywhere", u"1,00", 100},
        {"grouping at the end", u"1,", no}, {"grouping before a letter", u"1,a", no}, {"grouping twice", u"1,,0", no},
        {"leading grouping", u",5", no}, {"decimal", u"1,000.5", 1000.5}, {"two decimals", u"1.2.3", no}, {"decimal first", u".5", 0.5},
        {"decimal last", u"5.", 5}, {"decimal alone", u".", no}, {"decimal then exponent", u".e5", no}, {"exponent", u"1e3", 1000},
        {"negative exponent", u"1E-2", 0.01}, {"fraction exponent", u"1.5e1", 15}, {"exponent without digits", u"1e", no},
        {"exponent sign alone", u"1e+", no}, {"exponent then decimal", u"1e3.5", no}, {"sign", u"-5", -5}, {"plus", u"+5", 5},
        {"trailing sign", u"5-", -5}, {"trailing sign after a blank", u"5 -", -5}, {"two signs", u"-5-", no}, {"sign twice", u"--5", no},
        {"sign alone", u"-", no}, {"dollar", u"$5", 5}, {"sign then dollar", u"-$5", -5}, {"dollar then sign", u"$ - 5", -5},
        {"dollar twice", u"$$5", no}, {"dollar after", u"5$", no}, {"dollar alone", u"$", no}, {"parentheses", u"(12)", -12},
        {"blanks in parentheses", u"( $12 ) ", -12}, {"sign in parentheses", u"(-12)", no}, {"sign before parentheses", u"-(12)", no},
        {"dollar before parentheses", u"$(12)", no}, {"parentheses twice", u"((12))", no}, {"sign after parentheses", u"(12)-", no},
        {"text after parentheses", u"(12) x", no}, {"unclosed", u"(12", no}, {"unopened", u"12)", no}, {"letters after", u"12abc", no},
        {"blank inside", u"1 2", no}, {"percent", u"12%", no}, {"largest Double", u"1.7976931348623157e308", 1.7976931348623157e308},
        {"1e308 in range", u"1e308", 1e308}, {"beyond Double at point 309", u"1.8e308", no}, {"beyond Double", u"1e400", no},
        {"below Double is zero", u"1e-400", 0}, {"locale decimal", u"1234,5", 1234.5, true}, {"locale grouping", u"1.234,5", 1234.5, true},
        {"the other locale", u"1,234.5", no, true}, {"locale grouping only between digits", u"1.5", 15, true},
    };
    const Locale de = german();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        const Locale& loc = row.de ? de : Locale::en_us();
        const std::optional<double> got = parse_double(row.text, loc);
        EXPECT_EQ(is_numeric(row.text, loc), !std::isnan(row.value));
        EXPECT_TRUE(got ? *got == row.value : std::isnan(row.value)) << "got " << got.value_or(no);
    }
    // The digits themselves are kept exactly, beyond a Double's precision too.
    EXPECT_EQ(parse_number(u"007.50"), (Decimal{false, "75", 1}));
    EXPECT_EQ(parse_number(u"(-0.001e-2)"), std::nullopt);
    EXPECT_EQ(parse_number(u"12345678901234567890.5"), (Decimal{false, "123456789012345678905", 20}));
}

TEST(Numbers, LeadingNumber) {
    struct Row { const char* rule; std::u16string text; double value; };
    const Row rows[] = {
        {"stops at a letter", u"12abc", 12}, {"no digits", u"abc", 0}, {"empty", u"", 0}, {"blanks skipped", u"1 2", 12},
        {"exponent", u" -3.5e2x", -350}, {"second point stops", u"1.2.3", 1.2}, {"comma stops", u"1,000", 1}, {"line feed", u"\t\n+7", 7},
        {"exponent without digits", u"12e", 12}, {"exponent sign alone", u"12e+", 12}, {"sign alone", u"-", 0}, {"dollar stops", u"$5", 0},
        {"blank after sign", u"- 3", -3}, {"blanks in exponent", u"1 e - 2", 0.01}, {"exponent without mantissa", u"e5", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(leading_number(row.text), row.value) << row.rule;
    EXPECT_EQ(error_of([] { leading_number(u"1e400"); }), 6);
}

TEST(Numbers, GeneralNumberText) {
    struct Row { const char* rule; double value; std::u16string text; bool de = false; };
    const Row rows[] = {
        {"zero", 0.0, u"0"}, {"negative zero", -0.0, u"0"}, {"point first", 0.5, u"0.5"}, {"sign", -0.5, u"-0.5"},
        {"zeros after the point", 0.05, u"0.05"}, {"digits end at the point", 12, u"12"}, {"zeros before the point", 100, u"100"},
        {"binary noise gone", 0.1 + 0.2, u"0.3"}, {"15 digits, rounded", 2.0 / 3, u"0.666666666666667"},
        {"largest plain", 999999999999999.0, u"999999999999999"}, {"rounding makes an exponent", 999999999999999.9, u"1E+15"},
        {"exponent at 1E15", 1e15, u"1E+15"}, {"exponent with digits", 1.5e20, u"1.5E+20"}, {"three-digit exponent", 1e100, u"1E+100"},
        {"smallest plain", 0.0001, u"0.0001"}, {"negative exponent padded", 1e-5, u"1E-05"}, {"two-digit exponent", 1e-10, u"1E-10"},
        {"negative with exponent", -2.5e-7, u"-2.5E-07"}, {"smallest Double", 5e-324, u"5E-324"},
        {"one digit, negative", -1e-7, u"-1E-07"},
        {"15 digits before an exponent", 123456789012345678.0, u"1.23456789012346E+17"}, {"locale decimal", 1234.5, u"1234,5", true},
        {"locale decimal with exponent", 1.5e20, u"1,5E+20", true}, {"NaN", no, u"NaN"},
        {"-Infinity", -std::numeric_limits<double>::infinity(), u"-Infinity"}, {"Infinity", std::numeric_limits<double>::infinity(), u"Infinity"},
    };
    for (const Row& row : rows) EXPECT_EQ(general_number_text(row.value, row.de ? german() : Locale::en_us()), row.text) << row.rule;
}

TEST(Numbers, PatternFormatting) {
    struct Row { const char* rule; double value; std::u16string pattern, text; };
    const Row rows[] = {
        {"grouped amount", 1234.5, u"$#,##.00", u"$1,234.50"}, {"groups of three", 1234567.891, u"$#,##.00", u"$1,234,567.89"},
        {"no group under 1000", 999, u"#,##0", u"999"}, {"group at 1000", 1000, u"#,##0", u"1,000"}, {"zero", 0, u"$#,##.00", u"$.00"},
        {"negative sign first", -5, u"$#,##.00", u"-$5.00"}, {"halves away from zero", 1.005, u"#.00", u"1.01"},
        {"half of a short decimal", 0.125, u"#.00", u".13"}, {"below half", 0.124, u"#.00", u".12"}, {"carry", 0.999, u"#.00", u"1.00"},
        {"carry into a group", 999.995, u"#,##0.00", u"1,000.00"}, {"negative rounding to zero", -0.001, u"#.00", u".00"},
        {"negative half", -0.005, u"#.00", u"-.01"}, {"literal after", 12.5, u"#.00%", u"12.50%"},
        {"leading zeros", 123, u"000-00-0000", u"000-00-0123"}, {"surplus in front", 12345678901, u"(000) 000-0000", u"(1234) 567-8901"},
        {"zeros from the first 0", 5, u"#0,000", u"0,005"}, {"more digits than positions", 123456, u"00000", u"123456"},
        {"big number", 1e20, u"#,##0", u"100,000,000,000,000,000,000"}, {"whole half", 2.5, u"0", u"3"}, {"negative half", -2.5, u"0", u"-3"},
        {"no integer positions", 7, u".00", u"7.00"}, {"optional fraction", 3.14159, u"#.0#", u"3.14"}, {"optional unused", 3.1, u"#.0#", u"3.1"},
        {"required fraction", 3, u"#.0#", u"3.0"}, {"zero, no fraction digit", 0, u"#.#", u"."}, {"no positions", 5, u"abc", u"abc5"}, {"leading comma is literal", 5, u",#", u",5"},
        {"beyond the buffer", 0.5, u"." + std::u16string(130, u'0'), u".5" + std::u16string(129, u'0')},
    };
    for (const Row& row : rows) EXPECT_EQ(format_pattern(row.value, row.pattern), row.text) << row.rule;
    // The locale's decimal symbol typed in, formatted with the locale's symbols.
    EXPECT_EQ(format_pattern(*parse_number(u"1234,5", german()), u"$#,##.00", german()), u"$1.234,50");
    EXPECT_EQ(format_pattern(Decimal{true, "1234567890123456789012345", 25}, u"#,##0"), u"-1,234,567,890,123,456,789,012,345");
    const Decimal tie{false, "1" + std::string(70, '0') + "5", 1};  // a half at the 71st decimal
    EXPECT_EQ(format_pattern(tie, u"0." + std::u16string(70, u'0')), u"1." + std::u16string(69, u'0') + u"1");
    EXPECT_EQ(error_of([] { format_pattern(std::numeric_limits<double>::infinity(), u"#"); }) + error_of([] { Decimal::from_double(no); }), 12);
}

TEST(Numbers, CurrencyAmounts) {
    struct Row { const char* rule; std::u16string text; std::optional<std::int64_t> ticks; bool exact; };  // exact: parse_exact_currency
    const Row rows[] = {
        {"plain", u"1234.5", 12345000, true}, {"formatted", u"-$1,234.50", -12345000, false}, {"below half a tick", u"0.00004", 0, false},
        {"half a tick to even 0", u"0.00005", 0, false}, {"above half at the fifth place", u"0.00009", 1, false},
        {"half to even 2", u"0.00015", 2, false}, {"half to even stays 2", u"0.00025", 2, false}, {"above half", u"0.000251", 3, false},
        {"negative half", u"-0.00015", -2, false}, {"far below a tick", u"0.0000009", 0, false},
        {"nineteen digits", u"100000000000000", 1000000000000000000, true}, {"largest", u"922337203685477.5807", max64, true},
        {"largest rounded down", u"922337203685477.58074", max64, false}, {"rounds past the largest", u"922337203685477.58075", {}, false},
        {"past the largest", u"922337203685477.5808", {}, true}, {"smallest", u"-922337203685477.5808", min64, true},
        {"past the smallest", u"-922337203685477.5809", {}, true}, {"1e15", u"1e15", {}, false}, {"not a number", u"abc", {}, true},
        {"four decimals", u"1234.5678", 12345678, true}, {"trailing zeros", u"1234.5000", 12345000, true}, {"leading zeros", u"007", 70000, true},
        {"negative", u"-0.0001", -1, true}, {"negative zero", u"-0", 0, true}, {"point without decimals", u"5.", 50000, false},
        {"no whole part", u".5", 5000, false}, {"negative without whole part", u"-.5", -5000, false}, {"plus", u"+5", 50000, false},
        {"exponent", u"1e3", 10000000, false}, {"grouping", u"1,234", 12340000, false}, {"dollar", u"$5", 50000, false},
        {"blank", u" 5", 50000, false}, {"sign alone", u"-", {}, true}, {"empty", u"", {}, true}, {"letter in fraction", u"1.2a", {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        const std::optional<Currency> amount = row.ticks ? std::optional(Currency{*row.ticks}) : std::nullopt;
        EXPECT_EQ(parse_currency(row.text), amount);
        const std::optional<Currency> exact = parse_exact_currency(u8(row.text));
        EXPECT_EQ(exact, row.exact ? amount : std::nullopt);
        if (exact) { EXPECT_EQ(parse_exact_currency(exact_currency_text(*exact)), exact); }
    }
    EXPECT_EQ(exact_currency_text(Currency{10100}) + " " + exact_currency_text(Currency{min64}), "1.01 -922337203685477.5808");
    const std::pair<double, std::optional<Currency>> doubles[] = {
        {1.00005, Currency{10000}}, {1.00015, Currency{10002}}, {-0.1, Currency{-1000}}, {no, std::nullopt}, {922337203685477.5807, std::nullopt},
        // the nearest Double lies above the largest amount
    };
    for (const auto& [d, amount] : doubles) EXPECT_EQ(currency_from_double(d), amount) << d;
    EXPECT_EQ(currency_to_double(Currency{12345000}) + currency_to_double(Currency{-1}), 1234.5 - 0.0001);
    EXPECT_TRUE(Decimal::from_integer(min64) == (Decimal{true, "9223372036854775808", 19}) && Decimal::from_integer(1200) == (Decimal{false, "12", 4}));
}

TEST(Numbers, RoundingToIntegerAndLong) {
    struct Row { const char* rule; double value; std::optional<std::int32_t> integer, long_; };
    const Row rows[] = {
        {"half down to even", 2.5, 2, 2}, {"half up to even", 3.5, 4, 4}, {"negative half to even", -2.5, -2, -2}, {"negative half up", -3.5, -4, -4},
        {"half to zero", 0.5, 0, 0}, {"above half", 2.5000001, 3, 3}, {"below half", 1.4999999999999998, 1, 1},
        {"Integer's top", 32767.4, 32767, 32767}, {"above Integer", 32767.5, {}, 32768}, {"Integer's bottom", -32768.5, -32768, -32768},
        {"below Integer", -32768.6, {}, -32769}, {"Long's top", 2147483646.5, {}, 2147483646}, {"above Long", 2147483647.5, {}, {}},
        {"Long's bottom", -2147483648.5, {}, std::numeric_limits<std::int32_t>::min()}, {"below Long", -2147483649.0, {}, {}}, {"NaN", no, {}, {}},
        {"infinity", std::numeric_limits<double>::infinity(), {}, {}},
    };
    for (const Row& row : rows) EXPECT_TRUE(round_to_integer(row.value) == row.integer && round_to_long(row.value) == row.long_) << row.rule;
}

}  // namespace
}  // namespace norvtext
