// The in-memory plain edit box as a user drives it: typing replaces the selection, keys
// edit and move, and Change comes for every change of text and only then.
#include <gtest/gtest.h>

#include "norvtext/headless/memory_edit_box.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext::headless {
namespace {

struct Counter : EditBoxListener {
    int changes = 0;
    void on_change() override { ++changes; }
};

TEST(MemoryEditBox, KeysEditAndMoveLikeASingleLineBox) {
    struct Step {
        enum Kind { Type, Key, Select } kind;
        std::int16_t a = 0, b = 0;
    };
    struct Case {
        const char* name;
        std::u16string start;
        std::int32_t caret;
        std::vector<Step> steps;
        std::u16string text;
        std::int32_t sel_start, sel_length;
        int changes;
    };
    auto type = [](char16_t c) { return Step{Step::Type, static_cast<std::int16_t>(c)}; };
    auto key = [](std::int16_t code) { return Step{Step::Key, code}; };
    auto sel = [](std::int16_t s, std::int16_t l) { return Step{Step::Select, s, l}; };
    const std::vector<Case> cases = {
        {"typing inserts at the caret", u"ac", 1, {type(u'b')}, u"abc", 2, 0, 1},
        {"typing replaces the selection", u"abcd", 0, {sel(1, 2), type(u'x')}, u"axd", 2, 0, 1},
        {"backspace deletes before the caret", u"abc", 2, {key(8)}, u"ac", 1, 0, 1},
        {"backspace at the start changes nothing", u"abc", 0, {key(8)}, u"abc", 0, 0, 0},
        {"delete deletes after the caret", u"abc", 1, {key(46)}, u"ac", 1, 0, 1},
        {"delete at the end changes nothing", u"abc", 3, {key(46)}, u"abc", 3, 0, 0},
        {"delete removes the selection", u"abcd", 0, {sel(1, 2), key(46)}, u"ad", 1, 0, 1},
        {"left collapses a selection to its start", u"abcd", 0, {sel(1, 2), key(37)}, u"abcd", 1, 0, 0},
        {"right collapses a selection to its end", u"abcd", 0, {sel(1, 2), key(39)}, u"abcd", 3, 0, 0},
        {"home and end", u"abcd", 2, {key(36), type(u'x'), key(35), type(u'y')}, u"xabcdy", 6, 0, 2},
        {"control characters are not inserted", u"ab", 2, {key(13), key(9), key(27)}, u"ab", 2, 0, 0},
        {"a character above 0x7FFF is inserted", u"", 0, {type(u'\u9f8d')}, u"\u9f8d", 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryEditBox box;
        box.set_text(c.start);
        box.set_sel_start(c.caret);
        Counter counter;
        box.set_listener(&counter);
        for (const Step& s : c.steps) {
            switch (s.kind) {
                case Step::Type: box.type(static_cast<char16_t>(s.a), 0, 0); break;
                case Step::Key: {
                    const bool character = s.a == 8 || s.a == 13 || s.a == 9 || s.a == 27;
                    box.press(s.a, 0, character ? s.a : std::int16_t{0});
                    break;
                }
                case Step::Select: box.user_select(s.a, s.b); break;
            }
        }
        EXPECT_EQ(box.text(), c.text);
        EXPECT_EQ(box.sel_start(), c.sel_start);
        EXPECT_EQ(box.sel_length(), c.sel_length);
        EXPECT_EQ(counter.changes, c.changes);
    }
}

TEST(MemoryEditBox, SelectionMembersClampAndRefuseNegatives) {
    MemoryEditBox box;
    box.set_text(u"hello");
    box.set_sel_start(9);
    EXPECT_EQ(box.sel_start(), 5);
    box.set_sel_start(1);
    box.set_sel_length(99);
    EXPECT_EQ(box.sel_length(), 4);
    EXPECT_EQ(box.sel_text(), u"ello");
    box.set_sel_start(2);
    EXPECT_EQ(box.sel_length(), 0) << "a new start collapses the selection";
    for (auto write : {+[](MemoryEditBox& b) { b.set_sel_start(-1); }, +[](MemoryEditBox& b) { b.set_sel_length(-1); }}) {
        try {
            write(box);
            FAIL();
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 380);
        }
    }
    EXPECT_EQ(box.sel_start(), 2);
}

TEST(MemoryEditBox, AssigningTheSameTextChangesNothing) {
    MemoryEditBox box;
    Counter counter;
    box.set_listener(&counter);
    box.set_text(u"abc");
    box.user_select(1, 1);
    box.set_text(u"abc");
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(box.sel_start(), 1);
    EXPECT_EQ(box.sel_length(), 1);
}

TEST(MemoryEditBox, MembersKeepTheirTypes) {
    MemoryEditBox box;
    box.set_member(InnerMember::MousePointer, Variant(u"3"));
    EXPECT_EQ(box.member(InnerMember::MousePointer), Variant(std::int16_t{3}));
    box.set_member(InnerMember::PasswordChar, Variant(u"*#"));
    EXPECT_EQ(box.member(InnerMember::PasswordChar), Variant(u"*"));
    EXPECT_THROW(box.set_member(InnerMember::Enabled, Variant(u"maybe")), Error);
    EXPECT_EQ(box.member(InnerMember::Enabled), Variant(true));
    EXPECT_THROW(box.set_member(InnerMember::LinkTimeout, Variant(std::int32_t{40000})), Error);
    EXPECT_EQ(box.member(InnerMember::LinkTimeout), Variant(std::int16_t{50}));
}

}  // namespace
}  // namespace norvtext::headless
