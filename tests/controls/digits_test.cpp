// The digit extraction the telephone, social security and ZIP boxes share: what counts as
// a number as a whole, which characters are kept, and the 16-bit counter's limit.
#include <gtest/gtest.h>

#include <string>

#include "norvtext/controls/digits.hpp"
#include "norvtext/platform/error.hpp"
#include "tests/controls/digit_box_harness.hpp"

namespace norvtext {
namespace {

using testing::error_of;

TEST(DigitsOnly, KeepsNumbersAndCollectsTheDigitsOfEverythingElse) {
    struct Case {
        const char* name;
        Variant in;
        Variant out;
    };
    const Case cases[] = {
        {"masked telephone text", Variant(u"(555) 12_-____"), Variant(u"55512")},
        {"no digit at all", Variant(u"abc"), Variant(u"")},
        {"numeric text stays as given", Variant(u" 12 "), Variant(u" 12 ")},
        {"grouped number stays whole", Variant(u"5,551,234"), Variant(u"5,551,234")},
        {"dash-joined digits are not one number", Variant(u"123-45-6789"), Variant(u"123456789")},
        {"a number keeps its subtype", Variant(std::int32_t{5551234}), Variant(std::int32_t{5551234})},
        {"Empty is the number zero", Variant(), Variant()},
        {"only ASCII digits count", Variant(u"\uff11a\u0661 7"), Variant(u"7")},
        {"a date's text gives its digits", Variant(DateSerial{46361}), Variant(u"1252026")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DigitsOnly(c.in, Locale::en_us()), c.out);
    }
}

TEST(DigitsOnly, SixteenBitCounterOverflowsAt32767CharactersOfText) {
    const std::u16string below(32766, u'x');
    EXPECT_EQ(DigitsOnly(Variant(below + u""), Locale::en_us()), Variant(u""));
    EXPECT_EQ(error_of([&] { DigitsOnly(Variant(below + u"1"), Locale::en_us()); }), 6);
    // A text that reads as a number as a whole is returned before anything is counted.
    const std::u16string numeric = std::u16string(32767, u' ') + u"1";
    EXPECT_EQ(DigitsOnly(Variant(numeric), Locale::en_us()), Variant(numeric));
    EXPECT_EQ(error_of([&] { DigitsOnly(Variant::null(), Locale::en_us()); }), 94);
}

TEST(DigitsOnly, NumberTestFollowsTheLocale) {
    // In German "1.234,5" is one number; in English it is not, and its digits are taken.
    const Locale de = Locale::from_name("de_DE");
    EXPECT_EQ(DigitsOnly(Variant(u"1.234,5"), de), Variant(u"1.234,5"));
    EXPECT_EQ(DigitsOnly(Variant(u"1.234,5"), Locale::en_us()), Variant(u"12345"));
}

}  // namespace
}  // namespace norvtext
