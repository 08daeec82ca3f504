// Variant conversions between subtypes by the platform's rules: rounding, range, the text
// forms, and the refusals 13 (Type mismatch), 6 (Overflow) and 94 (Invalid use of Null).
#include "norvtext/platform/variant.hpp"

#include <limits>

#include "norvtext/platform/date_serial.hpp"
#include "tests/support/harness.hpp"

namespace norvtext {
namespace {

using testing::error_of;

Variant i16(int n) { return Variant(static_cast<std::int16_t>(n)); }
Variant money(std::int64_t ticks) { return Variant(Currency{ticks}); }
Variant date(double serial) { return Variant(DateSerial{serial}); }
double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return serial_from_parts({y, mo, d, h, mi, s})->serial; }

// b Boolean, i Integer, l Long, d Double, c Currency, t Date, s String, k Colour (as a Long's bits)
Variant convert(const Variant& v, char to, const Locale& loc) {
    switch (to) {
        case 'b': return v.to_boolean(loc);
        case 'i': return v.to_integer(loc);
        case 'l': return v.to_long(loc);
        case 'd': return v.to_double(loc);
        case 'c': return v.to_currency(loc);
        case 't': return v.to_date(loc);
        case 'k': return static_cast<std::int32_t>(v.to_colour(loc));
        default: return v.to_string(loc);
    }
}

TEST(Variant, Conversions) {
    const Locale de = Locale::from_name("de_DE");
    Locale designators;
    designators.pm = u"nachm.";
    const Variant font(std::make_shared<Font>()), picture(std::make_shared<Picture>());
    const double pm = at(2026, 12, 5, 13, 7, 9);
    const std::int32_t bit31 = std::numeric_limits<std::int32_t>::min();
    struct Row { const char* rule; Variant in; char to; Variant out; int error = 0; const Locale& loc = Locale::en_us(); };  // out: when error is 0
    const Row rows[] = {
        {"Empty", Variant(), 'b', false}, {"Empty", Variant(), 'i', i16(0)}, {"Empty", Variant(), 'l', 0}, {"Empty", Variant(), 'd', 0.0},
        {"Empty", Variant(), 'c', money(0)}, {"Empty", Variant(), 't', date(0)}, {"Empty", Variant(), 's', u""}, {"text True", u" tRUE ", 'b', true},
        {"text False", u"FALSE", 'b', false}, {"text 0", u"0", 'b', false}, {"text number", u"-0.5", 'b', true}, {"text word", u"yes", 'b', {}, 13},
        {"empty text", u"", 'b', {}, 13}, {"Integer 0", i16(0), 'b', false}, {"Long 5", 5, 'b', true}, {"Double 0.1", 0.1, 'b', true},
        {"tick", money(1), 'b', true}, {"no ticks", money(0), 'b', false}, {"date 0", date(0), 'b', false},
        {"text half to even", u"2.5", 'i', i16(2)}, {"text half up to even", u"3.5", 'i', i16(4)}, {"text blanks", u" 7 ", 'l', 7},
        {"text beyond Integer", u"32767.5", 'i', {}, 6}, {"text word", u"abc", 'i', {}, 13}, {"Double half", 3.5, 'i', i16(4)},
        {"Double just over half", 2.5000001, 'i', i16(3)}, {"Double NaN", std::numeric_limits<double>::quiet_NaN(), 'l', {}, 6},
        {"Double beyond Long", 2147483647.5, 'l', {}, 6}, {"Double lowest Long", -2147483648.5, 'l', bit31}, {"Long 32767", 32767, 'i', i16(32767)},
        {"Long 32768", 32768, 'i', {}, 6}, {"Long -32768", -32768, 'i', i16(-32768)}, {"Long -32769", -32769, 'i', {}, 6},
        {"True", true, 'i', i16(-1)}, {"False", false, 'l', 0}, {"money 2.5", money(25000), 'i', i16(2)}, {"money 3.5", money(35000), 'i', i16(4)},
        {"True", true, 't', date(-1)}, {"False", false, 't', date(0)},
        {"money 2.5001", money(25001), 'i', i16(3)}, {"money 2.4999", money(24999), 'i', i16(2)}, {"-2.5 to even", money(-25000), 'i', i16(-2)},
        {"-3.5 to even", money(-35000), 'l', -4}, {"-2.5001", money(-25001), 'i', i16(-3)}, {"-2.4999", money(-24999), 'i', i16(-2)},
        {"money beyond Integer", money(327675000), 'i', {}, 6}, {"money lowest Integer", money(-327684999), 'i', i16(-32768)},
        {"money beyond Long", money(21474836480000), 'l', {}, 6}, {"date half", date(2.5), 'i', i16(2)},
        {"date beyond Integer", date(46361), 'i', {}, 6}, {"date to Long", date(46361.75), 'l', 46362}, {"text grouping", u"1,234.5", 'd', 1234.5},
        {"text word", u"x", 'd', {}, 13}, {"money", money(12345000), 'd', 1234.5}, {"date", date(0.75), 'd', 0.75}, {"True", true, 'd', -1.0},
        {"Long", 7, 'c', money(70000)}, {"Integer", i16(-3), 'c', money(-30000)}, {"Double rounds to ticks", 1.23456, 'c', money(12346)},
        {"Double beyond", 1e20, 'c', {}, 6}, {"date", date(2.5), 'c', money(25000)}, {"True", true, 'c', money(-10000)},
        {"text", u"12.5", 'c', money(125000)}, {"text beyond", u"1e20", 'c', {}, 6}, {"text word", u"12,5x", 'c', {}, 13},
        {"locale text", u"1.234,5", 'd', 1234.5, 0, de}, {"locale text", u"2,5", 'i', i16(2), 0, de},
        {"locale text", u"12,5", 'c', money(125000), 0, de}, {"locale Double", 1234.5, 's', u"1234,5", 0, de},
        {"locale money", money(2500), 's', u"0,25", 0, de}, {"exact text", u"2026-12-05 13:07:09", 't', date(pm)},
        {"general text", u"12/5/2026 1:07:09 PM", 't', date(pm)}, {"a typed shape", u"Dec 5, 2026", 't', {}, 13},
        {"locale designator", u"9:05 nachm.", 't', date(at(1899, 12, 30, 21, 5)), 0, designators},
        {"Long", 5, 't', date(5)}, {"Integer", i16(-1), 't', date(-1)},
        {"money", money(25000), 't', date(2.5)}, {"Double before the epoch", -1.25, 't', date(-1.25)}, {"True", true, 't', date(-1)},
        {"Double beyond 9999", 2958466.0, 't', {}, 6}, {"Long beyond 9999", 3000000, 't', {}, 6}, {"Double before 100", -657435.0, 't', {}, 6},
        {"money beyond 9999", money(29584660000), 't', {}, 6}, {"date out of range", date(1e10), 's', {}, 6},
        {"locale designator", date(pm), 's', u"12/5/2026 1:07:09 nachm.", 0, designators}, {"Integer", i16(-5), 's', u"-5"},
        {"money", money(-12345000), 's', u"-1234.5"}, {"text as is", u"as is ", 's', u"as is "}, {"True", true, 's', u"True"},
        {"False", false, 's', u"False"}, {"Long bits", -2147483643, 'k', -2147483643}, {"True", true, 'k', -1},
        {"unsigned Double", 2147483653.0, 'k', -2147483643}, {"unsigned text", u"2147483656", 'k', -2147483640}, {"largest", 4294967295.0, 'k', -1},
        {"half below 2^31", 2147483647.5, 'k', bit31}, {"half above -2^31", -2147483648.5, 'k', bit31},
        {"unsigned money", money(21474836530000), 'k', -2147483643}, {"largest money", money(42949672950000), 'k', -1},
        {"lowest money", money(-21474836480000), 'k', bit31}, {"2^32", 4294967296.0, 'k', {}, 6}, {"rounds to 2^32", 4294967295.5, 'k', {}, 6},
        {"below -2^31", -2147483649.0, 'k', {}, 6}, {"money 2^32", money(42949672960000), 'k', {}, 6},
        {"money below -2^31", money(-21474836490000), 'k', {}, 6}, {"colour word", u"red", 'k', {}, 13},
        {"Null colour", Variant::null(), 'k', {}, 94},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.rule << " to " << row.to);
        Variant out;
        EXPECT_EQ(error_of([&] { out = convert(row.in, row.to, row.loc); }), row.error);
        if (row.error == 0) { EXPECT_TRUE(out == row.out) << ::testing::PrintToString(out.to_string()); }
    }
    // Null has no value to give; Nothing and objects are no values at all.
    for (const char to : std::string_view("bildcts")) {
        SCOPED_TRACE(to);
        EXPECT_EQ(error_of([&] { convert(Variant::null(), to, Locale::en_us()); }), 94);
        for (const Variant& object : {Variant::nothing(), font, picture})
            EXPECT_EQ(error_of([&] { convert(object, to, Locale::en_us()); }), 13);
    }
}

TEST(Variant, SubtypesAndObjects) {
    const FontRef font = std::make_shared<Font>();
    const PictureRef picture = std::make_shared<Picture>();
    struct Row { Variant v; const char* name; bool numeric; };
    const Row rows[] = {
        {Variant(), "Empty", false}, {Variant::null(), "Null", false}, {i16(1), "Integer", true}, {1, "Long", true}, {1.0, "Double", true},
        {true, "Boolean", true}, {money(1), "Currency", true}, {date(1), "Date", false}, {u"1", "String", false}, {font, "Font", false},
        {picture, "Picture", false}, {Variant::nothing(), "Nothing", false}, {FontRef{}, "Nothing", false}, {PictureRef{}, "Nothing", false},
    };
    for (const Row& row : rows) EXPECT_EQ(std::string(type_name(row.v.type())) + (row.v.is_numeric_type() ? " numeric" : ""), std::string(row.name) + (row.numeric ? " numeric" : ""));
    EXPECT_TRUE(Variant(font).to_font() == font && Variant(picture).to_picture() == picture && Variant(u"t").string_ref() == u"t");
    EXPECT_TRUE(Variant::nothing().to_font() == nullptr && Variant::nothing().to_picture() == nullptr);
    EXPECT_EQ(error_of([&] { Variant(picture).to_font(); }) + error_of([&] { Variant(font).to_picture(); }), 26);
    EXPECT_EQ(error_of([] { Variant::null().to_font(); }) + error_of([] { Variant(5).string_ref(); }), 26);
}

}  // namespace
}  // namespace norvtext
