// Locales built from ICU data and the length-keeping, locale-aware case conversion.
#include "norvtext/platform/locale.hpp"

#include <gtest/gtest.h>

#include "norvtext/platform/error.hpp"
#include "norvtext/platform/text_case.hpp"

namespace norvtext {
namespace {

TEST(Locale, DefaultIsTheLibrarysEnglish) {
    const Locale& loc = Locale::en_us();
    EXPECT_EQ(&loc, &Locale::en_us());
    EXPECT_EQ(loc.name, "en_US");
    EXPECT_EQ(loc.decimal, u".");
    EXPECT_EQ(loc.months[11], u"December");
    EXPECT_EQ(loc.month_abbreviations[8], u"Sep");
}

TEST(Locale, BuiltFromIcuData) {
    struct Case {
        const char* name;
        std::u16string decimal, grouping, december, december_abbreviation, am;
    };
    const Case cases[] = {
        {"de_DE", u",", u".", u"Dezember", u"Dez", u"AM"},
        {"de-DE", u",", u".", u"Dezember", u"Dez", u"AM"},
        {"en_US", u".", u",", u"December", u"Dec", u"AM"},
        // ICU writes French abbreviations with a closing period; it is dropped.
        {"fr_FR", u",", u"\u202F", u"d\u00E9cembre", u"d\u00E9c", u"AM"},
        {"tr_TR", u",", u".", u"Aral\u0131k", u"Ara", u"\u00D6\u00D6"},
        {"ja_JP", u".", u",", u"12\u6708", u"12\u6708", u"\u5348\u524D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Locale loc = Locale::from_name(c.name);
        EXPECT_EQ(loc.name, c.name);
        EXPECT_EQ(loc.decimal, c.decimal);
        EXPECT_EQ(loc.grouping, c.grouping);
        EXPECT_EQ(loc.months[11], c.december);
        EXPECT_EQ(loc.month_abbreviations[11], c.december_abbreviation);
        EXPECT_EQ(loc.am, c.am);
    }
    const Locale german = Locale::from_name("de_DE");
    EXPECT_EQ(german.months[2], u"M\u00E4rz");
    EXPECT_EQ(german.month_abbreviations[2], u"M\u00E4r");
    EXPECT_EQ(german.pm, u"PM");
}

TEST(Locale, UnknownNamesRaiseInvalidPropertyValue) {
    using namespace std::string_literals;
    for (const std::string& name : {"xx_bogus"s, "de_XX"s, ""s, "qq"s, "de_DE\0xx"s, "!!"s, "root"s}) {
        SCOPED_TRACE(name);
        try {
            Locale::from_name(name);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 380);
            // The message is a C string: a name with a NUL shows up to the NUL.
            EXPECT_STREQ(e.what(), ("unknown locale: " + name).c_str());
        }
    }
}

TEST(TextCase, SimpleMappingKeepsTheLength) {
    const Locale turkish = Locale::from_name("tr_TR");
    Locale azeri;
    azeri.name = "az-Latn";
    Locale tr_prefixed;  // a name that merely starts with "tr" is not Turkish
    tr_prefixed.name = "trv";
    struct Case {
        const char* name;
        std::u16string text;
        const Locale& loc;
        std::u16string upper, lower;
    };
    const Case cases[] = {
        {"ascii", u"Abc xyZ 12!", Locale::en_us(), u"ABC XYZ 12!", u"abc xyz 12!"},
        // Full mapping would make "SS"; simple mapping keeps the one character.
        {"sharp s", u"stra\u00DFe", Locale::en_us(), u"STRA\u00DFE", u"stra\u00DFe"},
        {"ligature", u"\uFB01x", Locale::en_us(), u"\uFB01X", u"\uFB01x"},
        {"accents", u"\u00E9t\u00C9", Locale::en_us(), u"\u00C9T\u00C9", u"\u00E9t\u00E9"},
        {"greek final sigma", u"\u03C3\u03C2\u03A3", Locale::en_us(), u"\u03A3\u03A3\u03A3",
         u"\u03C3\u03C2\u03C3"},
        {"english i", u"i\u0131I\u0130", Locale::en_us(), u"II\u0049\u0130", u"i\u0131ii"},
        {"turkish i", u"i\u0131I\u0130", turkish, u"\u0130I\u0049\u0130", u"i\u0131\u0131i"},
        {"azeri i", u"iI", azeri, u"\u0130I", u"i\u0131"},
        {"not turkish", u"iI", tr_prefixed, u"II", u"ii"},
        {"supplementary", u"\U00010428\U00010400", Locale::en_us(), u"\U00010400\U00010400",
         u"\U00010428\U00010428"},
        {"lone surrogates", u"a\xD800" u"b\xDC00", Locale::en_us(), u"A\xD800" u"B\xDC00",
         u"a\xD800" u"b\xDC00"},
        {"reversed pair", u"\xDC00\xD800", Locale::en_us(), u"\xDC00\xD800", u"\xDC00\xD800"},
        {"empty", u"", Locale::en_us(), u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(to_upper(c.text, c.loc), c.upper);
        EXPECT_EQ(to_lower(c.text, c.loc), c.lower);
    }
}

}  // namespace
}  // namespace norvtext
