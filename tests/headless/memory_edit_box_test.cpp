// The in-memory plain edit box as a user drives it: typing replaces the selection, keys
// edit and move, and Change comes for every change of text and only then.
#include "norvtext/headless/memory_edit_box.hpp"
#include "tests/support/harness.hpp"

namespace norvtext::headless {
namespace {

using namespace testing;

TEST(MemoryEditBox, KeysEditAndMoveLikeASingleLineBox) {
    // sel_start and sel_length: selected by the user before the keys, which are as play() takes them
    struct Case { const char* name; std::u16string start; std::int32_t sel_start, sel_length; std::u16string keys, text;
        std::int32_t sel_start_after, sel_length_after; int changes; };
    const std::vector<Case> cases = {
        {"typing inserts at the caret", u"ac", 1, 0, u"b", u"abc", 2, 0, 1},
        {"typing replaces the selection", u"abcd", 1, 2, u"x", u"axd", 2, 0, 1},
        {"a selection of one is replaced too", u"abcd", 1, 1, u"x", u"axcd", 2, 0, 1},
        {"backspace deletes before the caret", u"abc", 2, 0, u"\b", u"ac", 1, 0, 1},
        {"backspace at the start changes nothing", u"abc", 0, 0, u"\b", u"abc", 0, 0, 0},
        {"delete deletes after the caret", u"abc", 1, 0, {key::del}, u"ac", 1, 0, 1},
        {"delete at the end changes nothing", u"abc", 3, 0, {key::del}, u"abc", 3, 0, 0},
        {"delete removes the selection", u"abcd", 1, 2, {key::del}, u"ad", 1, 0, 1},
        {"left collapses a selection to its start", u"abcd", 1, 2, {key::left}, u"abcd", 1, 0, 0},
        {"left collapses a selection of one too", u"abcd", 2, 1, {key::left}, u"abcd", 2, 0, 0},
        {"right collapses a selection to its end", u"abcd", 1, 2, {key::right}, u"abcd", 3, 0, 0},
        {"home and end", u"abcd", 2, 0, {key::home, u'x', key::end, u'y'}, u"xabcdy", 6, 0, 2},
        {"home drops a selection", u"abcd", 1, 2, {key::home}, u"abcd", 0, 0, 0},
        {"control characters are not inserted", u"ab", 2, 0, u"\r\t\x1b", u"ab", 2, 0, 0},
        {"a character above 0x7FFF is inserted", u"", 0, 0, u"\u9f8d", u"\u9f8d", 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryEditBox box;
        box.set_text(c.start);
        box.user_select(c.sel_start, c.sel_length);
        ChangeCounter counter;
        box.set_listener(&counter);
        play(box, c.keys);
        EXPECT_EQ(box.text(), c.text);
        EXPECT_EQ(box.sel_start(), c.sel_start_after);
        EXPECT_EQ(box.sel_length(), c.sel_length_after);
        EXPECT_EQ(counter.changes, c.changes);
    }
}

// A negative SelStart's refusal is in tests/scripts/commands.nts.
TEST(MemoryEditBox, SelectionMembersClampAndTheSameTextKeepsThem) {
    MemoryEditBox box;
    ChangeCounter counter;
    box.set_listener(&counter);
    box.set_text(u"hello");
    box.set_sel_start(9);
    EXPECT_EQ(box.sel_start(), 5);
    box.set_sel_start(1);
    box.set_sel_length(99);
    EXPECT_EQ(box.sel_length(), 4);
    EXPECT_EQ(box.sel_text(), u"ello");
    box.set_text(u"hello");
    EXPECT_EQ(counter.changes, 1) << "assigning the text shown changes nothing";
    EXPECT_TRUE(box.sel_start() == 1 && box.sel_length() == 4) << "nor the selection";
    box.set_sel_start(2);
    EXPECT_EQ(box.sel_length(), 0) << "a new start collapses the selection";
    EXPECT_EQ(error_of([&] { box.set_sel_length(-1); }), 380);
    EXPECT_EQ(box.sel_start(), 2);
}

// A wrongly typed member value is refused through a load (every_control_test.cpp).
TEST(MemoryEditBox, MembersKeepTheirTypes) {
    MemoryEditBox box;
    box.set_member(InnerMember::MousePointer, Variant(u"3"));
    EXPECT_EQ(box.member(InnerMember::MousePointer), Variant(std::int16_t{3}));
    box.set_member(InnerMember::PasswordChar, Variant(u"*#"));
    EXPECT_EQ(box.member(InnerMember::PasswordChar), Variant(u"*"));
}

}  // namespace
}  // namespace norvtext::headless
