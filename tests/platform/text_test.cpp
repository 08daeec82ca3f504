// Texts at the platform's edges: UTF-8 read and written exactly or replacing, the locales
// built from ICU data, and the length-keeping case conversion.
#include "norvtext/platform/locale.hpp"
#include "norvtext/platform/text_case.hpp"
#include "norvtext/platform/utf8.hpp"
#include "tests/support/harness.hpp"

namespace norvtext {
namespace {

using testing::error_of;
const std::u16string bad = u"\uFFFD";

TEST(Utf8, ReadingExactlyOrReplacing) {
    struct Row { const char* rule; std::string bytes; std::u16string replaced; bool exact; };  // from_utf8_exact reads it, as the replaced text
    const Row rows[] = {
        {"nothing", "", u"", true}, {"largest one byte", "\x7F", u"\x7F", true}, {"stray continuation", "a\x80" "b", u"a" + bad + u"b", false},
        {"byte below the two-byte leads", "\xBF", bad, false}, {"smallest two bytes", "\xC2\x80", u"\u0080", true},
        {"largest two bytes", "\xDF\xBF", u"\u07FF", true}, {"smallest three bytes", "\xE0\xA0\x80", u"\u0800", true},
        {"largest three bytes", "\xEF\xBF\xBD", u"\uFFFD", true}, {"smallest four bytes", "\xF0\x90\x80\x80", u"\U00010000", true},
        {"largest character", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", true}, {"beyond U+10FFFF", "\xF4\x90\x80\x80", bad + bad + bad + bad, false},
        {"lead beyond four-byte forms", "\xF8\x80\x80\x80", bad + bad + bad + bad, false}, {"byte no sequence starts with", "\xFF", bad, false},
        {"cut short at the end", "a\xE2\x82", u"a" + bad + bad, false}, {"broken by a plain byte", "\xE2" "A\x82", bad + u"A" + bad, false},
        {"below the surrogates", "\xED\x9F\xBF", u"\uD7FF", true}, {"first surrogate", "\xED\xA0\x80", bad + bad + bad, false},
        {"last surrogate", "\xED\xBF\xBF", bad + bad + bad, false}, {"above the surrogates", "\xEE\x80\x80", u"\uE000", true},
        {"overlong NUL spells NUL", "\xC0\x80", std::u16string(1, u'\0'), false}, {"overlong two bytes", "\xC1\xBF", u"\x7F", false},
        {"overlong three bytes", "\xE0\x9F\xBF", u"\u07FF", false}, {"overlong four bytes", "\xF0\x8F\xBF\xBF", u"\uFFFF", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(from_utf8(row.bytes), row.replaced) << row.rule;
        EXPECT_TRUE(from_utf8_exact(row.bytes) == (row.exact ? std::optional(row.replaced) : std::nullopt) && is_utf8(row.bytes) == row.exact) << row.rule;
    }
}

TEST(Utf8, WritingExactlyOrReplacing) {
    struct Row { const char* rule; std::u16string text; std::string replaced; bool exact; };  // to_utf8_exact writes it, as the replaced text
    const std::string mark = "\xEF\xBF\xBD";
    const Row rows[] = {
        {"NUL and the shorter forms", std::u16string{u'\0', u'A', u'\u00E9', u'\uD7FF', u'\uE000'}, std::string("\0A\xC3\xA9\xED\x9F\xBF\xEE\x80\x80", 10), true},
        {"lowest pair", u"x\U00010000", "x\xF0\x90\x80\x80", true}, {"highest pair", u"\U0010FFFF", "\xF4\x8F\xBF\xBF", true},
        {"high surrogate at the end", std::u16string{u'a', u'\xDBFF'}, "a" + mark, false},
        {"low surrogate alone", std::u16string{u'\xDC00', u'b'}, mark + "b", false},
        {"last low surrogate alone", std::u16string{u'\xDFFF'}, mark, false},
        {"high surrogate before a pair", std::u16string{u'\xD800', u'\xD800', u'\xDC00'}, mark + "\xF0\x90\x80\x80", false},
    };
    for (const Row& row : rows) EXPECT_TRUE(to_utf8(row.text) == row.replaced && to_utf8_exact(row.text) == (row.exact ? std::optional(row.replaced) : std::nullopt)) << row.rule;
}

TEST(Locale, FromIcuData) {
    // decimal, grouping, December, its abbreviation and January's, AM, PM
    struct Row { const char* name; std::u16string symbols; };
    const Row rows[] = {
        {"de_DE", u",.|Dezember|Dez|Jan|AM|PM"}, {"de-DE", u",.|Dezember|Dez|Jan|AM|PM"}, {"en_US", u".,|December|Dec|Jan|AM|PM"},
        // ICU's closing period of an abbreviation is dropped
        {"fr_FR", u",\u202F|d\u00E9cembre|d\u00E9c|janv|AM|PM"}, {"tr_TR", u",.|Aral\u0131k|Ara|Oca|\u00D6\u00D6|\u00D6S"},
    };
    for (const Row& row : rows) {
        const Locale loc = Locale::from_name(row.name);
        EXPECT_EQ(loc.decimal + loc.grouping + u"|" + loc.months[11] + u"|" + loc.month_abbreviations[11] + u"|" +
                      loc.month_abbreviations[0] + u"|" + loc.am + u"|" + loc.pm,
                  row.symbols);
        EXPECT_EQ(loc.name, row.name);
    }
    using namespace std::string_literals;
    for (const std::string& name : {"xx_bogus"s, "de_XX"s, ""s, "qq"s, "de_DE\0xx"s, "root"s}) EXPECT_EQ(error_of([&] { Locale::from_name(name); }), 380) << name;
}

TEST(TextCase, SimpleMappingKeepsTheLength) {
    struct Row { const char* rule; std::u16string text; const char* locale; std::u16string upper, lower; };
    const Row rows[] = {
        {"ascii", u"Abc xyZ 12!", "en_US", u"ABC XYZ 12!", u"abc xyz 12!"},
        {"sharp s stays one character", u"stra\u00DFe", "en_US", u"STRA\u00DFE", u"stra\u00DFe"},
        {"accents", u"\u00E9t\u00C9", "en_US", u"\u00C9T\u00C9", u"\u00E9t\u00E9"},
        {"english i", u"i\u0131I\u0130", "en_US", u"II\u0049\u0130", u"i\u0131ii"},
        {"turkish i", u"i\u0131I\u0130", "tr_TR", u"\u0130I\u0049\u0130", u"i\u0131\u0131i"},
        {"language code alone", u"iI", "tr", u"\u0130I", u"i\u0131"}, {"azeri with a dash", u"iI", "az-Latn", u"\u0130I", u"i\u0131"},
        {"capital code", u"iI", "TR", u"\u0130I", u"i\u0131"},
        {"a longer code is not turkish", u"iI", "trv", u"II", u"ii"}, {"too short", u"iI", "t", u"II", u"ii"},
        {"supplementary", u"\U00010428\U00010400", "en_US", u"\U00010400\U00010400", u"\U00010428\U00010428"},
        {"lone surrogates", u"a\xD800" u"b\xDC00", "en_US", u"A\xD800" u"B\xDC00", u"a\xD800" u"b\xDC00"},
        {"reversed pair", u"\xDC00\xD800", "en_US", u"\xDC00\xD800", u"\xDC00\xD800"},
    };
    for (const Row& row : rows) {
        Locale loc;
        loc.name = row.locale;
        EXPECT_EQ(to_upper(row.text, loc) + u"|" + to_lower(row.text, loc), row.upper + u"|" + row.lower) << row.rule;
    }
}

}  // namespace
}  // namespace norvtext
