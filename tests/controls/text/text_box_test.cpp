// The general text box's own rules: the key filter, proper case, assignment, the numeric
// Value and the bag behaviours form files depend on. What it shares with every control is
// in tests/controls/every_control_test.cpp.
#include "norvtext/controls/text/text_box.hpp"

#include <algorithm>

#include "tests/support/harness.hpp"

namespace norvtext::testing {
namespace {

using Box = Placed<txtNorvText>;

// The filter's steps in their order: Backspace, the length limit, case, then the classes
// by plain code ranges on both sides of each, with CharTable rescuing what a class forbids.
TEST(TextBoxFilter, EveryKeyByItsClass) {
    namespace f = chars_flag;
    // keys: typed one by one into the start text; shown: the text after; selected: selected before the caret
    struct Row { const char* rule; std::int16_t chars; std::u16string keys, shown, table = u""; std::int16_t max_chars = 0;
        std::u16string start = u""; long beeps = 0; std::int32_t selected = 0; };
    const Row rows[] = {
        {"digits are 0 to 9", f::no_digits, u"/09:", u"/:"}, {"capitals are A to Z", f::no_letters, u"@AZ[", u"@["},
        {"small letters are a to z", f::no_letters, u"`az{", u"`{"}, {"no spaces", f::no_spaces, u"x y", u"xy"},
        {"punctuation is all else, accented letters too", f::no_punctuation, u"q5 \u00e9!", u"q5 "},
        {"upper case converts a to z only", f::upper_case, u"`az{", u"`AZ{"},
        {"lower case converts A to Z only", f::lower_case, u"@AZ[", u"@az["},
        {"upper then lower ends lower", f::upper_case | f::lower_case, u"aB", u"ab"},
        {"bits above 128 change nothing", 0x100 | f::upper_case, u"b", u"B"},
        {"the table rescues its own with its flag", f::no_letters | f::char_table, u"xyX", u"xX", u"xX"},
        {"no table without its flag", f::no_letters, u"x", u"", u"x"},
        {"case converts before the table", f::no_letters | f::char_table | f::upper_case, u"x", u"", u"x"},
        {"at the limit every key beeps", f::no_digits, u"d1", u"abc", u"", 3, u"abc", 2},
        {"a negative limit is none", 0, u"d", u"abcd", u"", -1, u"abc"},
        {"at the limit Backspace edits quietly", 0, u"\b", u"ab", u"", 3, u"abc"},
        {"at the limit a selection is typed over", 0, u"x", u"abx", u"", 3, u"abc", 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Box t;
        t.box.setChars(row.chars);
        t.box.setCharTable(row.table);
        t.box.setMaxChars(row.max_chars);
        t.box.textbox().set_text(row.start);
        t.user().user_select(static_cast<std::int32_t>(row.start.size()) - row.selected, row.selected);
        t.take();
        t.type(row.keys);
        EXPECT_EQ(t.text(), row.shown);
        const Lines lines = t.take();
        const auto count = [&](std::string_view what) {
            return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(what) != l.npos; });
        };
        const long backspaces = std::count(row.keys.begin(), row.keys.end(), u'\b');
        EXPECT_EQ(count("KeyPress"), static_cast<long>(row.shown.size() + row.selected - row.start.size()) + backspaces)
            << "the host sees what goes in, and no Backspace";
        EXPECT_EQ(count("beep"), row.beeps);
    }
}

// What the box makes of a text given to it: PCase's result, the whole number Value reads,
// and an assignment (cut to MaxChars, then upper-cased; the other case and the classes are
// for typing only).
TEST(TextBoxTexts, ProperCaseValueAndAssignment) {
    enum How { pcase, value, assigned };
    struct Row { const char* rule; How how; std::u16string in, out; std::int16_t chars = 0, max_chars = 0; };
    const Row rows[] = {
        {"each word capitalised, the rest small", pcase, u"hELLO wORLD", u"Hello World"},
        {"only a space starts a word", pcase, u"  mary-jane o'neil\tx", u"  Mary-jane O'neil\tx"},
        {"only spaces become empty", pcase, u"   ", u""}, {"empty stays empty", pcase, u"", u""},
        {"accented letters convert", pcase, u"\u00e9cole \u00c9T\u00c9", u"\u00c9cole \u00c9t\u00e9"},
        {"two code units are one character", pcase, u"\U00010428\U00010400 \U00010400", u"\U00010400\U00010428 \U00010400"},
        {"a lone high surrogate is a character of its own", pcase, u" \xD801\xFF21", u" \xD801\xFF41"},
        {"no number", value, u"abc", u"0"}, {"leading digits only", value, u"12abc", u"0"},
        {"grouping", value, u"1,000", u"1000"}, {"currency sign", value, u"$5", u"5"},
        {"parentheses are negative", value, u"(12)", u"-12"}, {"the general number text", value, u"1e15", u"1E+15"},
        {"cut, then upper case", assigned, u"abcd", u"ABC", chars_flag::upper_case, 3},
        {"a limit of 1", assigned, u"ab", u"a", 0, 1}, {"no limit", assigned, u"abc", u"abc"},
        {"lower case is for typing only", assigned, u"aB", u"aB", chars_flag::lower_case},
        {"proper case is for leaving only", assigned, u"the cat", u"the cat", chars_flag::proper_case},
        {"a negative limit is none", assigned, u"abc", u"abc", 0, -1},
        {"classes are for typing only", assigned, u"1", u"1", chars_flag::no_digits},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Box t;
        t.box.setChars(row.chars);
        t.box.setMaxChars(row.max_chars);
        if (row.how == value) t.box.textbox().set_text(row.in);
        if (row.how == assigned) t.box.setValue(row.in);
        EXPECT_EQ(row.how == pcase ? t.box.PCase(row.in) : row.how == value ? t.box.Value() : t.text(), row.out);
        if (row.how == assigned) { EXPECT_EQ(t.box.stored_value(), row.out); }
    }
}

// Proper case on leaving is in the tour's transcript (tests/scripts/tour.out).
TEST(TextBoxLeaving, DropsTheSelectionButABlinkingBoxKeepsIt) {
    Box t;
    t.box.setText(u"the cat");
    t.user().got_focus();
    t.box.setSelLength(3);
    t.user().lost_focus();
    EXPECT_EQ(t.box.SelLength(), 0) << "leaving drops the selection";
    t.box.setBlink(true);
    t.tick();
    t.user().lost_focus();
    EXPECT_EQ(t.box.SelLength(), 7) << "a blinking box goes on blinking after focus has gone";
}

TEST(TextBoxBag, AFailingReadOrWriteStopsThereAndReachesTheCaller) {
    Box t;
    services::MemoryPropertyBag bag;
    bag.set("MaxChars", Variant(std::int16_t{4}));  // the 6th read
    bag.set("Text", Variant(u"after"));             // the 7th
    bag.fail_at_read(7);
    EXPECT_EQ(error_of([&] { t.box.ReadProperties(bag); }), static_cast<int>(ErrorCode::FileError));
    EXPECT_EQ(t.box.MaxChars(), 4);
    EXPECT_EQ(t.text(), u"");
    int writes = 0;
    bag.on_write = [&](std::string_view, const Variant&, const std::optional<Variant>&) { ++writes; };
    bag.begin_save();
    bag.fail_at_write(3);
    EXPECT_EQ(error_of([&] { t.box.WriteProperties(bag); }), static_cast<int>(ErrorCode::FileError));
    EXPECT_EQ(writes, 2) << "the third write fails, and nothing after it is tried";
}

}  // namespace
}  // namespace norvtext::testing
