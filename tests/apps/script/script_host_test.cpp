// The script host's literals, printing and line errors; what a script prints is pinned by
// the tour (tests/scripts/tour.out) and tests/scripts/commands.nts.
#include <gtest/gtest.h>

#include <sstream>

#include "apps/script/script_host.hpp"
#include "apps/script/value_text.hpp"

namespace norvtext::script {
namespace {

TEST(ScriptLiterals, ParseAndPrint) {
    struct Case { std::string literal, printed; };
    const Case cases[] = {
        {"Empty", "Empty"}, {"Null", "Null"}, {"Nothing", "Nothing"}, {"-32768", "Integer -32768"}, {"32768", "Long 32768"},
        {"-2147483649", "Double -2147483649"}, {"1.5", "Double 1.5"}, {"1e3", "Double 1000"}, {"12.5@", "Currency 12.5"},
        {"#13:07:09#", "Date 13:07:09"}, {"#2026-12-05 13:07:09#", "Date 2026-12-05 13:07:09"},
    };
    for (const Case& c : cases) {
        auto v = parse_literal(c.literal);
        ASSERT_TRUE(v) << c.literal;
        EXPECT_EQ(print_value(*v), c.printed);
    }
    for (std::string bad : {"abc", "1e400", "#2026-13-01#", "12.5.5", "", "1x"}) EXPECT_FALSE(parse_literal(bad)) << bad;
}

TEST(ScriptLiterals, QuotingEscapesWhatAPlainLineCannotHold) {
    EXPECT_EQ(quote(u"a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(quote(u"tab\there"), "\"tab\\u0009here\"");
    EXPECT_EQ(quote(std::u16string(1, char16_t{0xD800})), "\"\\uD800\"");
    EXPECT_EQ(quote(u"\u00e9"), "\"\xc3\xa9\"");
}

void run(const std::string& script) {
    std::ostringstream out;
    std::istringstream in(script);
    ScriptHost(out).run(in);
}

TEST(ScriptHost, ALineThatCannotBeParsedStopsTheRunNamingTheLine) {
    struct Case { std::string script, message; };
    const Case cases[] = {
        {"new txtNorvText t1\nfrobnicate t1\n", "line 2: unknown command frobnicate"},
        {"new txtNoSuchBox t1\n", "line 1: unknown class txtNoSuchBox"}, {"get t9 Text\n", "line 1: no control named t9"},
        {"new txtNorvText t1\nset t1 Text \"open\n", "line 2: unterminated string"},
        {"new txtNorvText t1\nset t1 Text bogus\n", "line 2: bad value bogus"},
        {"bag B {\"Text\": \n", "line 1: bag B: line 1, column 10: "},
    };
    for (const Case& c : cases) {
        std::string message = "(no script error)";
        try { run(c.script); } catch (const ScriptError& e) { message = e.what(); }
        EXPECT_TRUE(message.starts_with(c.message)) << c.script << " gives " << message;
    }
}

}  // namespace
}  // namespace norvtext::script
