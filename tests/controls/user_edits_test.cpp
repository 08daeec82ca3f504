// The user's edits that are no keystrokes (paste, drop, input-method text, cut and copy) in
// every box: what the box's rules make of them, that one edit is one Change and at most one
// beep, and that a read-only box takes none of them. Undo and redo go back and forth over
// the user's edits whatever a filter does with the keys' control characters; program code's
// changes end the history. The keypad's decimal key is in tests/scripts/commands.nts.
#include "tests/support/harness.hpp"

#include <algorithm>

namespace norvtext::testing {
namespace {

using P = Placed<>;
using Step = void (*)(P&);
const std::u16string a100(100, u'a');

void read_only_hello(P& p) {
    p.box.put("Text", Variant(u"hello"));
    p.box.put("ReadOnly", Variant(true));
}
void ctrl(P& p, std::int16_t letter, std::int16_t shift = keys::CtrlMask) {
    p.user().press(letter, shift, static_cast<std::int16_t>(letter - 'A' + 1));
}

// setup: before the user comes into the box, which selects everything in it; text: what the box
// shows afterwards; clipboard: what the form's clipboard holds afterwards; key_presses: a Ctrl
// key's KeyPress, where the box offers it (-1: typing); caret: where the caret ends (-1: not checked)
struct Row { const char* rule; std::string_view cls; Step setup, edit; std::u16string_view text; bool beeps;
    std::u16string_view clipboard; int key_presses = 0; std::int32_t caret = -1; };

const Row rows[] = {
    {"a digits-only box keeps the digits and beeps once", "txtNorvText", [](P& p) { p.box.put("Chars", Variant(26)); },
     [](P& p) { p.form.clipboard = u"ab12", ctrl(p, 'V'); }, u"12", true, u"ab12"},
    {"case converts as typed; MaxChars cuts the rest off with a beep", "txtNorvText",
     [](P& p) { p.box.put("Chars", Variant(1)), p.box.put("MaxChars", Variant(5)); },
     [](P& p) { p.user().input_method_commit(u"hello world"); }, u"HELLO", true, u""},
    {"MaxChars counts after the selection is replaced", "txtNorvText",
     [](P& p) { p.box.put("MaxChars", Variant(5)), p.box.put("Text", Variant(u"abcde")); },
     [](P& p) { p.user().input_method_commit(u"xyz"); }, u"xyz", false, u""},
    {"a space is text, a line break drops out quietly", "txtNorvText", nullptr,
     [](P& p) { p.user().input_method_commit(u"a b\r\n"); }, u"a b", false, u""},
    {"Shift+Insert: a formatted amount pastes as its number, quietly", "txtNorvCurrency", nullptr,
     [](P& p) { p.form.clipboard = u"$1,234.50", p.user().press(keys::Insert, keys::ShiftMask, 0); }, u"1234.50", false,
     u"$1,234.50"},
    {"a letter in an amount beeps", "txtNorvCurrency", nullptr, [](P& p) { p.user().input_method_commit(u"12x"); },
     u"12", true, u""},
    {"an SSN with its dashes fills the box", "txtNorvSocialSecurity", nullptr,
     [](P& p) { p.form.clipboard = u"078-05-1120", p.user().paste(); }, u"078-05-1120", false, u"078-05-1120"},
    // A drop, to a box that takes drops (OLEDropMode not None), lays its text as a paste does.
    {"laying stops at the end of the mask", "txtNorvZip", nullptr,
     [](P& p) { p.box.put("OLEDropMode", Variant(1)), p.user().drop(u"123456789"); }, u"12345", false, u""},
    {"cut takes the selection to the clipboard", "txtNorvText", [](P& p) { p.box.put("Text", Variant(u"hello")); },
     [](P& p) { ctrl(p, 'X'); }, u"", false, u"hello", 1},
    {"Ctrl+A selects from the first character", "txtNorvText", [](P& p) { p.box.put("Text", Variant(u"hello")); },
     [](P& p) { p.box.put("SelLength", Variant(0)), ctrl(p, 'A'), p.user().cut(); }, u"", false, u"hello", 1},
    {"a password box copies nothing", "txtNorvText",
     [](P& p) { p.box.put("Text", Variant(u"secret")), p.box.put("PasswordChar", Variant(u"*")); },
     [](P& p) { ctrl(p, 'C'); }, u"secret", false, u"", 1},
    // A read-only box: copy still works, nothing else the user does changes the text (a
    // paste, a drop and an input-method text are refused at one place).
    {"read-only: copy works", "txtNorvText", read_only_hello, [](P& p) { ctrl(p, 'C'); }, u"hello", false, u"hello"},
    {"read-only: no cut, not even its copy", "txtNorvText", read_only_hello, [](P& p) { p.user().cut(); }, u"hello",
     false, u""},
    {"read-only: no paste", "txtNorvText", read_only_hello, [](P& p) { p.form.clipboard = u"x", ctrl(p, 'V'); },
     u"hello", false, u"x"},
    {"a box that takes no drops ignores one", "txtNorvText", nullptr, [](P& p) { p.user().drop(u"x"); }, u"", false,
     u""},
    {"read-only: no Delete", "txtNorvText", read_only_hello,
     [](P& p) { p.key(keys::Home), p.key(keys::Delete); }, u"hello", false, u""},
    // Undo and redo, after typing: one step per user edit.
    {"a filter that swallows Ctrl+Z's character still undoes", "txtNorvCurrency", nullptr,
     [](P& p) { p.type(u"12"), ctrl(p, 'Z'); }, u"1", false, u"", -1, 1},
    {"undo twice and redo once", "txtNorvText", nullptr,
     [](P& p) { p.type(u"ab"), ctrl(p, 'Z'), ctrl(p, 'Z'), ctrl(p, 'Y'); }, u"a", false, u"", -1, 1},
    {"Ctrl+Shift+Z redoes too", "txtNorvText", nullptr,
     [](P& p) { p.type(u"a"), ctrl(p, 'Z'), ctrl(p, 'Z', keys::CtrlMask | keys::ShiftMask); }, u"a", false, u"", -1, 1},
    {"undo puts the caret back where the edit found it", "txtNorvText", nullptr,
     [](P& p) { p.type(u"abc"), p.key(keys::Home), p.key(keys::Delete), ctrl(p, 'Z'); }, u"abc", false, u"", -1, 0},
    {"a paste is one step", "txtNorvText", nullptr,
     [](P& p) { p.type(u"a"), p.form.clipboard = u"xyz", ctrl(p, 'V'), ctrl(p, 'Z'); }, u"a", false, u"xyz", -1, 1},
    {"Escape's clearing is undone", "txtNorvText", nullptr,
     [](P& p) { p.type(u"ab"), p.escape(), ctrl(p, 'Z'); }, u"ab", false, u"", -1, 2},
    // Coming back, the focus selection is typed over; the second undo finds no older step.
    {"the formatting on leaving ends the history", "txtNorvCurrency", nullptr,
     [](P& p) { p.type(u"12"), p.user().lost_focus(), p.user().got_focus(), p.type(u"3"), ctrl(p, 'Z'), ctrl(p, 'Z'); },
     u"12", false, u"", -1, 0},
    // 200 keys: the oldest steps go out of reach one by one, and out of the history at 200.
    {"the history keeps the last hundred steps", "txtNorvText", nullptr,
     [](P& p) { p.type(std::u16string(200, u'a')); for (int i = 0; i < 101; ++i) ctrl(p, 'Z'); }, a100, false, u"", -1},
    {"a read-only box offers no undo", "txtNorvText", nullptr,
     [](P& p) { p.type(u"ab"), p.box.put("ReadOnly", Variant(true)), ctrl(p, 'Z'); }, u"ab", false, u"", -1, 2},
};

TEST(UserEdits, GoThroughTheBoxsRulesAndTheHistory) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        P p(row.cls);
        if (row.setup) row.setup(p);
        p.user().got_focus();
        const std::u16string before = p.text();
        p.take();
        row.edit(p);
        const Lines lines = p.take();
        EXPECT_EQ(p.text(), row.text);
        EXPECT_EQ(p.form.clipboard, row.clipboard);
        if (row.caret >= 0) {
            EXPECT_EQ(p.box.textbox().sel_start(), row.caret);
        }
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "beep"), row.beeps ? 1 : 0);
        // One edit, one Change, and none without a change. A paste, drop or commit is no
        // keystroke: the host's KeyPress never hears of it.
        if (row.key_presses < 0) continue;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "b1: Change"), before == p.text() ? 0 : 1);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.starts_with("b1: KeyPress"); }),
                  row.key_presses);
    }
}

}  // namespace
}  // namespace norvtext::testing
