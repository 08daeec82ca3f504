// The general text box driven as a host and a user would: typing through the filter,
// leaving, assignment, the numeric Value, late binding and persistence, checked by the
// exact lines the host sees.
#include <gtest/gtest.h>

#include <algorithm>

#include "norvtext/controls/text/text_box.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/services/memory_property_bag.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

using headless::MemoryForm;
using headless::MemoryHost;
using services::MemoryPropertyBag;
using Lines = std::vector<std::string>;

struct TextBoxTest : ::testing::Test {
    MemoryForm form;
    MemoryHost host{form, "t1"};
    txtNorvText box{host};

    TextBoxTest() { box.InitProperties(); }
    headless::SimulatedUser& user() { return *host.user(); }
    void type(std::u16string_view text) {
        for (char16_t c : text) user().type(c, 0, 0);
    }
    // The transcript since the last call.
    Lines take() {
        Lines out = std::move(form.transcript);
        form.transcript.clear();
        return out;
    }
    std::u16string text() const { return std::u16string(box.textbox().text()); }
};

TEST_F(TextBoxTest, TypingPassesTheFilterInItsFixedOrder) {
    struct Case {
        const char* name;
        std::int16_t chars;
        std::u16string char_table;
        std::int16_t max_chars;
        std::u16string start;
        char16_t key;
        std::u16string expected;
        Lines lines;
    };
    const std::vector<Case> cases = {
        {"upper case converts", 1, u"", 0, u"", u'a', u"A", {"t1: KeyPress 65", "t1: Change"}},
        {"upper case leaves digits", 1, u"", 0, u"", u'1', u"1", {"t1: KeyPress 49", "t1: Change"}},
        {"upper and lower end lower", 65, u"", 0, u"", u'A', u"a", {"t1: KeyPress 97", "t1: Change"}},
        {"no letters swallows quietly", 8, u"xX", 0, u"", u'x', u"", {}},
        {"table rescues with flag 32", 40, u"xX", 0, u"", u'x', u"x", {"t1: KeyPress 120", "t1: Change"}},
        {"table does not rescue others", 40, u"xX", 0, u"", u'y', u"", {}},
        {"case converts before the table", 41, u"x", 0, u"", u'x', u"", {}},
        {"empty table rescues nothing", 40, u"", 0, u"", u'x', u"", {}},
        {"no spaces", 2, u"", 0, u"a", u' ', u"a", {}},
        {"no digits", 4, u"", 0, u"", u'7', u"", {}},
        {"punctuation includes accented letters", 16, u"", 0, u"", u'\u00e9', u"", {}},
        {"punctuation leaves letters", 16, u"", 0, u"", u'q', u"q", {"t1: KeyPress 113", "t1: Change"}},
        {"bits above 128 ignored", static_cast<std::int16_t>(0x100 | 1), u"", 0, u"", u'b', u"B",
         {"t1: KeyPress 66", "t1: Change"}},
        {"limit beeps before class tests", 4, u"", 3, u"abc", u'1', u"abc", {"beep"}},
        {"limit beeps for an allowed key", 0, u"", 3, u"abc", u'd', u"abc", {"beep"}},
        {"negative limit is none", 0, u"", -1, u"abc", u'd', u"abcd", {"t1: KeyPress 100", "t1: Change"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box.setChars(c.chars);
        box.setCharTable(c.char_table);
        box.setMaxChars(c.max_chars);
        box.textbox().set_text(c.start);
        box.textbox().set_sel_start(static_cast<std::int32_t>(c.start.size()));
        take();
        user().type(c.key, 0, 0);
        EXPECT_EQ(text(), c.expected);
        Lines lines = take();
        // KeyDown and KeyUp frame every typed key.
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines.front(), "t1: KeyDown 0 0");
        EXPECT_EQ(lines.back(), "t1: KeyUp 0 0");
        EXPECT_EQ(Lines(lines.begin() + 1, lines.end() - 1), c.lines);
    }
}

TEST_F(TextBoxTest, AtTheLimitBackspaceStillDeletesAndASelectionIsReplaced) {
    box.setMaxChars(5);
    box.setText(u"abcde");
    box.textbox().set_sel_start(5);
    take();
    user().press(8, 0, 8);
    EXPECT_EQ(text(), u"abcd");
    // Backspace is never offered to the host.
    EXPECT_EQ(take(), (Lines{"t1: KeyDown 8 0", "t1: Change", "t1: KeyUp 8 0"}));
    type(u"e");
    user().user_select(0, 1);
    type(u"f");
    EXPECT_EQ(text(), u"fbcde");
}

TEST_F(TextBoxTest, ReadOnlySwallowsEveryTypedCharacterButNotDelete) {
    box.setText(u"abc");
    box.setReadOnly(true);
    box.textbox().set_sel_start(1);
    take();
    type(u"x");
    user().press(8, 0, 8);
    EXPECT_EQ(text(), u"abc");
    user().press(46, 0, 0);
    EXPECT_EQ(text(), u"ac");
    for (const std::string& line : take()) EXPECT_EQ(line.find("KeyPress"), std::string::npos) << line;
}

TEST_F(TextBoxTest, HostHandlerValueIsInsertedUnfiltered) {
    box.setChars(chars_flag::no_digits);
    host.key_press_override = std::int16_t{'5'};
    type(u"a");
    EXPECT_EQ(text(), u"5");
}

TEST(TextBoxProperCase, PCaseTable) {
    struct Case {
        std::u16string in, out;
    };
    const Case cases[] = {
        {u"hELLO wORLD", u"Hello World"},
        {u"  mary-jane o'neil", u"  Mary-jane O'neil"},
        {u"   ", u""},
        {u"", u""},
        {u"a\tb c", u"A\tb C"},
        {u"\u00e9cole \u00c9T\u00c9", u"\u00c9cole \u00c9t\u00e9"},
    };
    MemoryForm form;
    MemoryHost host{form, "t"};
    txtNorvText box{host};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.in.begin(), c.in.end()));
        EXPECT_EQ(box.PCase(c.in), c.out);
    }
}

TEST_F(TextBoxTest, LeavingAppliesProperCaseAndCollapsesUnlessBlinking) {
    box.setChars(chars_flag::proper_case);
    box.setText(u"the cat");
    EXPECT_EQ(text(), u"the cat");  // assignment is not proper-cased
    user().got_focus();
    EXPECT_EQ(box.SelLength(), 7);
    user().lost_focus();
    EXPECT_EQ(text(), u"The Cat");
    EXPECT_EQ(box.SelLength(), 0);

    box.setBlink(true);
    host.manual_timer()->advance(500);
    EXPECT_EQ(box.SelLength(), 7);
    user().lost_focus();
    EXPECT_EQ(box.SelLength(), 7) << "a blinking box keeps blinking after focus has gone";
}

TEST_F(TextBoxTest, AssignmentCutsAndUpperCasesOnly) {
    struct Case {
        std::int16_t chars, max_chars;
        std::u16string assigned, shown;
    };
    const Case cases[] = {
        {1, 3, u"abcdef", u"ABC"},
        {64, 3, u"abcdef", u"abc"},
        {8 | 4 | 2, 0, u"a 1", u"a 1"},
        {0, 0, u"x", u"x"},
    };
    for (const Case& c : cases) {
        box.setChars(c.chars);
        box.setMaxChars(c.max_chars);
        box.setValue(c.assigned);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(box.stored_value(), c.shown);
    }
    take();
    box.setValue(u"hello");
    EXPECT_EQ(take(), (Lines{"t1: Change", "t1: changed Value"}));
}

TEST_F(TextBoxTest, MaxCharsDoesNotCutExistingText) {
    box.setText(u"abcdef");
    box.setMaxChars(3);
    EXPECT_EQ(text(), u"abcdef");
    take();
    type(u"g");
    EXPECT_EQ(take(), (Lines{"t1: KeyDown 0 0", "beep", "t1: KeyUp 0 0"}));
    box.setText(u"abcdef");
    EXPECT_EQ(text(), u"abc");
}

TEST_F(TextBoxTest, ValueReadsTheNumberTheBoxShows) {
    struct Case {
        std::u16string text, value;
    };
    const Case cases[] = {
        {u"abc", u"0"},    {u"12abc", u"0"},  {u"", u"0"},       {u"42", u"42"},   {u" 3.50 ", u"3.5"},
        {u"1e3", u"1000"}, {u"-5", u"-5"},    {u".5", u"0.5"},   {u"5.", u"5"},    {u"1e400", u"0"},
        {u"1,000", u"1000"}, {u"$5", u"5"},   {u"(12)", u"-12"}, {u"1e15", u"1E+15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        box.textbox().set_text(c.text);
        EXPECT_EQ(box.Value(), c.value);
    }
}

TEST_F(TextBoxTest, ValueFollowsTheLocaleDecimalSymbol) {
    form.locale.decimal = u",";
    form.locale.grouping = u".";
    box.textbox().set_text(u"1.234,5");
    EXPECT_EQ(box.Value(), u"1234,5");
}

TEST_F(TextBoxTest, EscapeClearsOnReleaseAndAlwaysRelaysKeyUp) {
    box.setText(u"abc");
    take();
    user().press(27, 0, 27);
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(take(), (Lines{"t1: KeyDown 27 0", "t1: KeyPress 27", "t1: Change", "t1: KeyUp 27 0"}));
    box.setEscapeClear(false);
    box.setText(u"abc");
    take();
    user().press(27, 0, 27);
    EXPECT_EQ(text(), u"abc");
    EXPECT_EQ(take().back(), "t1: KeyUp 27 0");
}

TEST_F(TextBoxTest, FocusSelectAndBlinking) {
    box.setText(u"hello");
    box.setFocusSelect(false);
    box.textbox().set_sel_start(5);
    user().got_focus();
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 0);

    box.setBlink(true);
    EXPECT_TRUE(box.Blink());
    user().got_focus();
    EXPECT_TRUE(box.Blink()) << "the general box leaves the timer alone on focus";
    std::vector<std::int32_t> seen;
    for (int i = 0; i < 4; ++i) {
        host.manual_timer()->advance(500);
        seen.push_back(box.SelLength());
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{5, 0, 5, 0}));
    host.manual_timer()->advance(500);
    box.setBlink(false);
    EXPECT_EQ(box.SelLength(), 0);
}

TEST_F(TextBoxTest, LateBindingChecksAccessAndConverts) {
    take();
    EXPECT_EQ(box.get("Value"), Variant(u"0"));
    box.put("MaxChars", Variant(u"7"));
    EXPECT_EQ(box.MaxChars(), 7);
    try {
        box.put("Alignment", Variant(std::int32_t{1}));
        FAIL() << "Alignment has no writer";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 383);
    }
    EXPECT_EQ(box.Alignment(), 0);
    try {
        box.get("Zip_5");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 438);
    }
    try {
        box.put("MaxChars", Variant(u"lots"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 13);
    }
    EXPECT_EQ(box.MaxChars(), 7);
    EXPECT_EQ(box.invoke("PCase", std::vector<Variant>{Variant(u"ab cd")}), Variant(u"Ab Cd"));
    EXPECT_EQ(take(), (Lines{"t1: changed MaxChars"}));
}

TEST_F(TextBoxTest, AboutOpensTheDialogWhateverIsWritten) {
    take();
    box.put("About", Variant(false));
    EXPECT_EQ(box.get("About"), Variant(true));
    EXPECT_EQ(take(), (Lines{"t1: about", "t1: changed About"}));
}

TEST_F(TextBoxTest, ResizeMakesTheInnerBoxTheControlsSize) {
    host.control_width = 3000;
    host.control_height = 400;
    box.Resize();
    auto* inner = dynamic_cast<headless::MemoryEditBox*>(&box.textbox());
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->width(), 3000);
    EXPECT_EQ(inner->height(), 400);
}

// Persistence ---------------------------------------------------------------------------

TEST_F(TextBoxTest, SavingWritesTheKeysInOrderWithTheTypedTextFirst) {
    box.setText(u"abc");
    box.textbox().set_sel_start(3);
    type(u"d");
    MemoryPropertyBag bag;
    Lines writes;
    bag.on_write = [&](std::string_view key, const Variant& v, const std::optional<Variant>&) {
        std::string line(key);
        if (key == "Value" || key == "Text") {
            const std::u16string& text = v.string_ref();
            line += "=" + std::string(text.begin(), text.end());
        }
        writes.push_back(line);
    };
    bag.begin_save();
    box.WriteProperties(bag);
    EXPECT_EQ(writes, (Lines{"BackColor", "Enabled", "Font", "MouseIcon", "MousePointer", "MaxChars", "Text=abcd",
                             "ForeColor", "PasswordChar", "SelLength", "SelStart", "SelText", "Value=abcd", "Chars",
                             "LinkItem", "LinkMode", "LinkTimeout", "LinkTopic", "Locked", "ToolTipText",
                             "RightToLeft", "OLEDragMode", "OLEDropMode", "Value=abc", "CharTable", "FocusSelect",
                             "EscapeClear", "ReadOnly", "Blink"}));

    // The bag keeps the first "Value", so the typed 'd' survives the round trip.
    MemoryForm form2;
    MemoryHost host2{form2, "t2"};
    txtNorvText loaded{host2};
    Lines reads;
    bag.on_read = [&](std::string_view key, const Variant&) { reads.emplace_back(key); };
    loaded.ReadProperties(bag);
    EXPECT_EQ(std::u16string(loaded.textbox().text()), u"abcd");
    EXPECT_EQ(reads, (Lines{"BackColor", "Enabled", "MousePointer", "MouseIcon", "Font", "MaxChars", "Text",
                            "ForeColor", "PasswordChar", "SelLength", "SelStart", "SelText", "Value", "Chars",
                            "LinkItem", "LinkMode", "LinkTimeout", "LinkTopic", "Locked", "ToolTipText",
                            "RightToLeft", "OLEDragMode", "OLEDropMode", "Value", "CharTable", "FocusSelect",
                            "EscapeClear", "ReadOnly", "Blink"}));
    EXPECT_TRUE(form2.transcript.empty() ||
                std::all_of(form2.transcript.begin(), form2.transcript.end(),
                            [](const std::string& l) { return l == "t2: Change"; }))
        << "loading announces nothing";
}

TEST_F(TextBoxTest, RoundTripRestoresSettingsAndLeavesDefaultsOut) {
    box.setChars(40);
    box.setCharTable(u"x-");
    box.setMaxChars(12);
    box.setFocusSelect(false);
    box.setEscapeClear(false);
    box.setReadOnly(true);
    box.setText(u"Krovint");
    box.setBlink(true);
    MemoryPropertyBag bag;
    bag.begin_save();
    box.WriteProperties(bag);
    EXPECT_FALSE(bag.find("Text")) << "a text equal to the default is left out";
    EXPECT_FALSE(bag.find("BackColor"));

    MemoryForm form2;
    MemoryHost host2{form2, "t2"};
    txtNorvText loaded{host2};
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.Text(), u"Krovint");
    EXPECT_EQ(loaded.Chars(), 40);
    EXPECT_EQ(loaded.CharTable(), u"x-");
    EXPECT_EQ(loaded.MaxChars(), 12);
    EXPECT_FALSE(loaded.FocusSelect());
    EXPECT_FALSE(loaded.EscapeClear());
    EXPECT_TRUE(loaded.ReadOnly());
    EXPECT_TRUE(loaded.Blink());
}

TEST_F(TextBoxTest, ABagFailureStopsTheLoadOrSaveAtTheFailingKey) {
    MemoryPropertyBag bag;
    Lines reads;
    bag.on_read = [&](std::string_view key, const Variant&) { reads.emplace_back(key); };
    box.setText(u"before");
    bag.set("MaxChars", Variant(std::int16_t{4}));
    bag.set("Text", Variant(u"after"));
    bag.fail_at_read(7);  // "Text"
    EXPECT_THROW(box.ReadProperties(bag), Error);
    EXPECT_EQ(reads.size(), 6u);
    EXPECT_EQ(box.MaxChars(), 4) << "keys before the failing one were loaded";
    EXPECT_EQ(box.Text(), u"before") << "nothing from the failing key on";

    Lines writes;
    bag.on_write = [&](std::string_view key, const Variant&, const std::optional<Variant>&) {
        writes.emplace_back(key);
    };
    bag.begin_save();
    bag.fail_at_write(3);
    EXPECT_THROW(box.WriteProperties(bag), Error);
    EXPECT_EQ(writes, (Lines{"BackColor", "Enabled"}));
}

TEST_F(TextBoxTest, ABagValueOfTheWrongTypeIsAnErrorNotABrokenBox) {
    MemoryPropertyBag bag;
    bag.set("MaxChars", Variant(u"many"));
    try {
        box.ReadProperties(bag);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 13);
    }
    bag.set("MaxChars", Variant(std::int32_t{70000}));
    try {
        box.ReadProperties(bag);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

}  // namespace
}  // namespace norvtext
