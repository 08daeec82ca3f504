// UTF-8 at the edges: the exact conversions refuse what the replacing ones mend, row by row.
#include "norvtext/platform/utf8.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace norvtext {
namespace {

const std::u16string bad = u"\uFFFD";

TEST(Utf8, ReadingExactlyOrReplacing) {
    struct Case {
        const char* rule;
        std::string bytes;
        std::optional<std::u16string> exact;
        std::u16string replaced;
    };
    const Case cases[] = {
        {"nothing", "", u"", u""},
        {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", u"\u00E9\u20AC\U0001F600",
         u"\u00E9\u20AC\U0001F600"},
        {"a stray continuation byte", "a\x80" "b", std::nullopt, u"a" + bad + u"b"},
        {"a sequence cut short at the end", "a\xE2\x82", std::nullopt, u"a" + bad + bad},
        {"a sequence broken by a plain byte", "\xE2" "A\x82", std::nullopt, bad + u"A" + bad},
        {"an encoded surrogate", "\xED\xA0\x80", std::nullopt, bad + bad + bad},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", std::nullopt, bad + bad + bad + bad},
        {"a lead byte beyond four-byte forms", "\xF5\x80\x80\x80", std::nullopt, bad + bad + bad + bad},
        {"a byte no sequence starts with", "\xFF", std::nullopt, bad},
        {"an overlong NUL spells NUL", "\xC0\x80", std::nullopt, std::u16string(1, u'\0')},
        {"an overlong three-byte slash spells a slash", "\xE0\x80\xAF", std::nullopt, u"/"},
        {"an overlong four-byte A spells A", "\xF0\x80\x81\x81", std::nullopt, u"A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(from_utf8_exact(c.bytes), c.exact);
        EXPECT_EQ(is_utf8(c.bytes), c.exact.has_value());
        EXPECT_EQ(from_utf8(c.bytes), c.replaced);
    }
}

TEST(Utf8, WritingExactlyOrReplacing) {
    struct Case {
        const char* rule;
        std::u16string text;
        std::optional<std::string> exact;
        std::string replaced;
    };
    const std::string replacement = "\xEF\xBF\xBD";
    const Case cases[] = {
        {"NUL and the three shorter forms", std::u16string{u'\0', u'A', u'\u00E9', u'\u20AC'},
         std::string("\0A\xC3\xA9\xE2\x82\xAC", 7), std::string("\0A\xC3\xA9\xE2\x82\xAC", 7)},
        {"a surrogate pair", u"x\U0001F600", "x\xF0\x9F\x98\x80", "x\xF0\x9F\x98\x80"},
        {"a high surrogate at the end", std::u16string{u'a', char16_t(0xD800)}, std::nullopt, "a" + replacement},
        {"a low surrogate alone", std::u16string{char16_t(0xDC00), u'b'}, std::nullopt, replacement + "b"},
        {"a high surrogate before a pair", std::u16string{char16_t(0xD800), char16_t(0xD800), char16_t(0xDC00)},
         std::nullopt, replacement + "\xF0\x90\x80\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(to_utf8_exact(c.text), c.exact);
        EXPECT_EQ(to_utf8(c.text), c.replaced);
    }
}

}  // namespace
}  // namespace norvtext
