// Variant conversions between subtypes: rounding, range, refusals and the text forms.
#include "norvtext/platform/variant.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

enum class Target { Boolean, Integer, Long, Double, Currency, Date, String };

const char* target_name(Target t) {
    switch (t) {
        case Target::Boolean: return "Boolean";
        case Target::Integer: return "Integer";
        case Target::Long: return "Long";
        case Target::Double: return "Double";
        case Target::Currency: return "Currency";
        case Target::Date: return "Date";
        case Target::String: return "String";
    }
    return "?";
}

Variant convert(const Variant& v, Target t, const Locale& loc) {
    switch (t) {
        case Target::Boolean: return v.to_boolean(loc);
        case Target::Integer: return v.to_integer(loc);
        case Target::Long: return v.to_long(loc);
        case Target::Double: return v.to_double(loc);
        case Target::Currency: return v.to_currency(loc);
        case Target::Date: return v.to_date(loc);
        case Target::String: return v.to_string(loc);
    }
    return {};
}

constexpr Target all_targets[] = {Target::Boolean, Target::Integer, Target::Long,  Target::Double,
                                  Target::Currency, Target::Date,   Target::String};

// The error number a conversion raises, or 0 with the result in `out`.
int try_convert(const Variant& v, Target t, const Locale& loc, Variant& out) {
    try {
        out = convert(v, t, loc);
        return 0;
    } catch (const Error& e) {
        return e.number();
    }
}

Variant i16(int n) { return Variant(static_cast<std::int16_t>(n)); }
Variant money(std::int64_t ticks) { return Variant(Currency{ticks}); }
Variant date(double serial) { return Variant(DateSerial{serial}); }
DateSerial at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return serial_from_parts({y, mo, d, h, mi, s}).value();
}

constexpr int overflow = 6, mismatch = 13, null_use = 94;

struct Case {
    const char* name;
    Variant in;
    Target to;
    Variant out;  // the result, when `error` is 0
    int error = 0;
};

template <std::size_t N>
void run(const Case (&cases)[N], const Locale& loc = Locale::en_us()) {
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " to " << target_name(c.to));
        Variant out;
        const int error = try_convert(c.in, c.to, loc, out);
        EXPECT_EQ(error, c.error);
        if (error == 0 && c.error == 0) {
            EXPECT_EQ(out.type(), c.out.type());
            EXPECT_TRUE(out == c.out) << "got " << testing::PrintToString(out.storage().index());
            if (c.to == Target::String && out.is_string() && c.out.is_string()) {
                EXPECT_EQ(out.string_ref(), c.out.string_ref());
            }
        }
    }
}

TEST(VariantConversion, NullEmptyAndObjects) {
    const Variant font_value(std::make_shared<Font>());
    const Variant picture_value(std::make_shared<Picture>());
    for (const Target t : all_targets) {
        SCOPED_TRACE(target_name(t));
        Variant out;
        EXPECT_EQ(try_convert(Variant::null(), t, Locale::en_us(), out), null_use);
        EXPECT_EQ(try_convert(Variant::nothing(), t, Locale::en_us(), out), mismatch);
        EXPECT_EQ(try_convert(font_value, t, Locale::en_us(), out), mismatch);
        EXPECT_EQ(try_convert(picture_value, t, Locale::en_us(), out), mismatch);
    }
    const Case cases[] = {
        {"Empty", Variant(), Target::Boolean, false},
        {"Empty", Variant(), Target::Integer, i16(0)},
        {"Empty", Variant(), Target::Long, 0},
        {"Empty", Variant(), Target::Double, 0.0},
        {"Empty", Variant(), Target::Currency, money(0)},
        {"Empty", Variant(), Target::Date, date(0)},
        {"Empty", Variant(), Target::String, u""},
    };
    run(cases);
}

TEST(VariantConversion, WholeNumbersRoundHalfToEven) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"\"2.5\"", u"2.5", Target::Integer, i16(2)},
        {"\"3.5\"", u"3.5", Target::Integer, i16(4)},
        {"\"-2.5\"", u"-2.5", Target::Integer, i16(-2)},
        {"\" 7 \"", u" 7 ", Target::Long, 7},
        {"\"32767.5\"", u"32767.5", Target::Integer, {}, overflow},
        {"\"-32768.5\"", u"-32768.5", Target::Integer, i16(-32768)},
        {"\"abc\"", u"abc", Target::Integer, {}, mismatch},
        {"\"\"", u"", Target::Long, {}, mismatch},
        {"3.5", 3.5, Target::Integer, i16(4)},
        {"2.5000001", 2.5000001, Target::Integer, i16(3)},
        {"32767.4", 32767.4, Target::Integer, i16(32767)},
        {"32767.5", 32767.5, Target::Integer, {}, overflow},
        {"NaN", nan, Target::Long, {}, overflow},
        {"2147483647.5", 2147483647.5, Target::Long, {}, overflow},
        {"-2147483648.5", -2147483648.5, Target::Long, std::int32_t{-2147483647 - 1}},
        {"Long 40000", 40000, Target::Integer, {}, overflow},
        {"Long -32768", -32768, Target::Integer, i16(-32768)},
        {"True", true, Target::Integer, i16(-1)},
        {"False", false, Target::Long, 0},
        // Money rounds on its exact ticks, not on a nearby double.
        {"$2.5", money(25000), Target::Integer, i16(2)},
        {"$3.5", money(35000), Target::Integer, i16(4)},
        {"$-2.5", money(-25000), Target::Integer, i16(-2)},
        {"$-3.5", money(-35000), Target::Long, -4},
        {"$2.5001", money(25001), Target::Integer, i16(3)},
        {"$-2.4999", money(-24999), Target::Integer, i16(-2)},
        {"$32767.5", money(327675000), Target::Integer, {}, overflow},
        {"$-32768.4999", money(-327684999), Target::Integer, i16(-32768)},
        {"$2147483648", money(21474836480000), Target::Long, {}, overflow},
        {"date 2.5", date(2.5), Target::Integer, i16(2)},
        {"date 46361.75", date(46361.75), Target::Long, 46362},
        {"date 46361", date(46361), Target::Integer, {}, overflow},
    };
    run(cases);
}

TEST(VariantConversion, Booleans) {
    const Case cases[] = {
        {"\"True\"", u"True", Target::Boolean, true},
        {"\" tRUE \"", u" tRUE ", Target::Boolean, true},
        {"\"FALSE\"", u"FALSE", Target::Boolean, false},
        {"\"0\"", u"0", Target::Boolean, false},
        {"\"-0.5\"", u"-0.5", Target::Boolean, true},
        {"\"yes\"", u"yes", Target::Boolean, {}, mismatch},
        {"\"\"", u"", Target::Boolean, {}, mismatch},
        {"Integer 0", i16(0), Target::Boolean, false},
        {"Long 5", 5, Target::Boolean, true},
        {"Double 0.1", 0.1, Target::Boolean, true},
        {"$0.0001", money(1), Target::Boolean, true},
        {"date 0", date(0), Target::Boolean, false},
        {"True", true, Target::Double, -1.0},
        {"True", true, Target::Currency, money(-10000)},
        {"True", true, Target::Date, date(-1)},
        {"True", true, Target::String, u"True"},
        {"False", false, Target::String, u"False"},
    };
    run(cases);
}

TEST(VariantConversion, DoublesAndMoney) {
    const Case cases[] = {
        {"\"1,234.5\"", u"1,234.5", Target::Double, 1234.5},
        {"\"x\"", u"x", Target::Double, {}, mismatch},
        {"$1234.5", money(12345000), Target::Double, 1234.5},
        {"date 0.75", date(0.75), Target::Double, 0.75},
        {"Long 7", 7, Target::Currency, money(70000)},
        {"Integer -3", i16(-3), Target::Currency, money(-30000)},
        {"1.23456", 1.23456, Target::Currency, money(12346)},
        {"1e20", 1e20, Target::Currency, {}, overflow},
        {"date 2.5", date(2.5), Target::Currency, money(25000)},
        {"\"12.5\"", u"12.5", Target::Currency, money(125000)},
        {"\"1e20\"", u"1e20", Target::Currency, {}, overflow},
        {"\"12,5x\"", u"12,5x", Target::Currency, {}, mismatch},
    };
    run(cases);

    const Locale german = Locale::from_name("de_DE");
    const Case german_cases[] = {
        {"\"1.234,5\"", u"1.234,5", Target::Double, 1234.5},
        {"\"2,5\"", u"2,5", Target::Integer, i16(2)},
        {"\"12,5\"", u"12,5", Target::Currency, money(125000)},
        {"1234.5", 1234.5, Target::String, u"1234,5"},
        {"$0.25", money(2500), Target::String, u"0,25"},
    };
    run(german_cases, german);
}

TEST(VariantConversion, Dates) {
    Locale designators;
    designators.am = u"vorm.";
    designators.pm = u"nachm.";
    const double afternoon = at(2026, 12, 5, 13, 7, 9).serial;
    const Case cases[] = {
        {"iso", u"2026-12-05 13:07:09", Target::Date, date(afternoon)},
        {"general", u"12/5/2026 1:07:09 PM", Target::Date, date(afternoon)},
        {"general lower case", u" 12/5/2026 1:07:09 pm ", Target::Date, date(afternoon)},
        {"general no space", u"12/5/2026 1:07:09PM", Target::Date, date(afternoon)},
        {"general 24-hour", u"12/05/2026 13:07:09", Target::Date, date(afternoon)},
        {"date only", u"12/5/2026", Target::Date, date(46361)},
        {"time only", u"1:07 PM", Target::Date, date(at(1899, 12, 30, 13, 7).serial)},
        {"midnight", u"12:30 AM", Target::Date, date(at(1899, 12, 30, 0, 30).serial)},
        {"iso time", u"13:07:09", Target::Date, date(at(1899, 12, 30, 13, 7, 9).serial)},
        {"hour 13 with PM", u"13:07 PM", Target::Date, {}, mismatch},
        {"hour 0 with AM", u"0:30 AM", Target::Date, {}, mismatch},
        {"hour 24", u"24:00", Target::Date, {}, mismatch},
        {"two-digit year", u"12/5/26", Target::Date, {}, mismatch},
        {"no such day", u"2/30/2026", Target::Date, {}, mismatch},
        {"one-digit minutes", u"1:7 PM", Target::Date, {}, mismatch},
        {"trailing text", u"12/5/2026 1:07 PM x", Target::Date, {}, mismatch},
        {"date without blank", u"12/5/20261:07", Target::Date, {}, mismatch},
        {"words", u"hello", Target::Date, {}, mismatch},
        // Shapes only people type: the date box reads them, a conversion does not.
        {"month word", u"Dec 5, 2026", Target::Date, {}, mismatch},
        {"dashes", u"12-05-2026", Target::Date, {}, mismatch},
        {"year first with slashes", u"2026/12/05", Target::Date, {}, mismatch},
        {"no year", u"12/5", Target::Date, {}, mismatch},
        {"hour alone", u"1 PM", Target::Date, {}, mismatch},
        {"comma before the time", u"12/5/2026, 1:07 PM", Target::Date, {}, mismatch},
        {"no-break space", u"12/5/2026\u00A01:07 PM", Target::Date, {}, mismatch},
        {"padding beyond a typed date's length", std::u16string(300, u' ') + u"12/5/2026", Target::Date, date(46361)},
        {"Long 5", 5, Target::Date, date(5)},
        {"Integer -1", i16(-1), Target::Date, date(-1)},
        {"$2.5", money(25000), Target::Date, date(2.5)},
        {"-1.25", -1.25, Target::Date, date(-1.25)},
        {"beyond 9999", 2958466.0, Target::Date, {}, overflow},
        {"Long beyond 9999", 3000000, Target::Date, {}, overflow},
        {"before 100", -657435.0, Target::Date, {}, overflow},
        {"date to text", date(afternoon), Target::String, u"12/5/2026 1:07:09 PM"},
        {"time to text", date(0.5), Target::String, u"12:00:00 PM"},
        {"bad date to text", date(1e10), Target::String, {}, overflow},
    };
    run(cases);

    const Case designator_cases[] = {
        {"locale designator", u"9:05 nachm.", Target::Date, date(at(1899, 12, 30, 21, 5).serial)},
        {"English designator", u"9:05 PM", Target::Date, {}, mismatch},
        {"text", date(afternoon), Target::String, u"12/5/2026 1:07:09 nachm."},
    };
    run(designator_cases, designators);

    // Designators compare by upper case, where the Kelvin sign stays itself (folding makes it k).
    Locale kelvin;
    kelvin.pm = u"PK";
    const Case kelvin_cases[] = {
        {"lower case", u"9:05 pk", Target::Date, date(at(1899, 12, 30, 21, 5).serial)},
        {"Kelvin sign", u"9:05 P\u212A", Target::Date, {}, mismatch},
    };
    run(kelvin_cases, kelvin);
}

TEST(VariantConversion, TextForms) {
    const Case cases[] = {
        {"Integer", i16(-5), Target::String, u"-5"},
        {"Long", 70000, Target::String, u"70000"},
        {"Double", 0.5, Target::String, u"0.5"},
        {"Currency", money(-12345000), Target::String, u"-1234.5"},
        {"String", u"as is ", Target::String, u"as is "},
    };
    run(cases);
}

TEST(VariantConversion, ColoursTakeThe32Bits) {
    struct ColourCase {
        const char* name;
        Variant in;
        Colour out;
        int error = 0;
    };
    const ColourCase cases[] = {
        {"Long", std::int32_t{-2147483643}, system_window_background},
        {"Integer -1", i16(-1), 0xFFFFFFFFu},
        {"True", true, 0xFFFFFFFFu},
        {"unsigned Double", 2147483653.0, system_window_background},
        {"unsigned text", u"2147483656", system_window_text},
        {"largest", 4294967295.0, 0xFFFFFFFFu},
        {"half below 2^31 rounds up to it", 2147483647.5, 0x80000000u},
        {"half above -2^31 rounds to even", -2147483648.5, 0x80000000u},
        {"unsigned money", money(21474836530000), system_window_background},
        {"negative money", money(-10000), 0xFFFFFFFFu},
        {"2^32", 4294967296.0, 0, overflow},
        {"just under 2^32 rounds to it", 4294967295.5, 0, overflow},
        {"below -2^31", -2147483649.0, 0, overflow},
        {"money 2^32", money(42949672960000), 0, overflow},
        {"not a number", u"red", 0, mismatch},
        {"Null", Variant::null(), 0, null_use},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            EXPECT_EQ(c.in.to_colour(), c.out);
            EXPECT_EQ(c.error, 0);
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), c.error);
        }
    }
}

TEST(Variant, SubtypesAndObjects) {
    const FontRef font = std::make_shared<Font>();
    const PictureRef picture = std::make_shared<Picture>();
    struct TypeCase {
        Variant v;
        VariantType type;
        const char* name;
        bool numeric;
    };
    const TypeCase cases[] = {
        {true, VariantType::Boolean, "Boolean", true},
        {money(1), VariantType::Currency, "Currency", true},
        {date(1), VariantType::Date, "Date", false},
        {u"1", VariantType::String, "String", false},
        {font, VariantType::Font, "Font", false},
        {Variant::nothing(), VariantType::Object, "Nothing", false},
        {FontRef{}, VariantType::Object, "Nothing", false},
        {PictureRef{}, VariantType::Object, "Nothing", false},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.type(), c.type);
        EXPECT_EQ(type_name(c.v.type()), c.name);
        EXPECT_EQ(c.v.is_numeric_type(), c.numeric);
    }

    EXPECT_EQ(Variant(font).to_font(), font);
    EXPECT_EQ(Variant::nothing().to_font(), nullptr);
    EXPECT_EQ(Variant(picture).to_picture(), picture);
    EXPECT_EQ(Variant::nothing().to_picture(), nullptr);
    EXPECT_EQ(Variant(u"text").string_ref(), u"text");
    const auto expect_mismatch = [](auto&& f, const char* what) {
        SCOPED_TRACE(what);
        try {
            f();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), mismatch);
        }
    };
    expect_mismatch([&] { Variant(picture).to_font(); }, "picture as font");
    expect_mismatch([&] { Variant(font).to_picture(); }, "font as picture");
    expect_mismatch([] { Variant::null().to_font(); }, "Null as font");
    expect_mismatch([] { Variant(u"x").to_picture(); }, "text as picture");
    expect_mismatch([] { Variant(5).string_ref(); }, "Long as text");
}

}  // namespace
}  // namespace norvtext
