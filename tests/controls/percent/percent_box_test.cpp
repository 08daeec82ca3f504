// The percent box's own rules: the display form on leaving, only the "%" coming off on
// return, the Value and Text readers in both states, the writers and the stored text they
// keep, MaxChars on a shown percentage, and loading through the Font and MouseIcon writers.
#include <gtest/gtest.h>

#include "norvtext/controls/percent/percent_box.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/services/memory_property_bag.hpp"
#include "tests/controls/numeric_box_harness.hpp"

namespace norvtext {
namespace {

using headless::MemoryForm;
using headless::MemoryHost;
using services::MemoryPropertyBag;
using Lines = std::vector<std::string>;

using testing::narrow;

struct PercentBoxTest : ::testing::Test, testing::NumericBoxHarness<txtNorvPercent> {
    PercentBoxTest() : NumericBoxHarness("p1") {}
};

TEST_F(PercentBoxTest, LeavingShowsTwoDecimalsAndThePercentSign) {
    struct Case {
        std::u16string typed, shown;
        bool blink;
    };
    const Case cases[] = {
        {u"12.5", u"12.50%", false},
        {u"0.5", u".50%", false},
        {u"1234.567", u"1234.57%", false},  // no grouping
        {u"-3", u"-3.00%", false},
        // Halves round away from zero on the number as typed, not on its binary value
        // (1.005 and 2.675 are stored just below the half).
        {u"1.005", u"1.01%", false},
        {u"2.675", u"2.68%", false},
        {u"-1.005", u"-1.01%", false},
        {u"0.001", u".00%", false},
        {u"0", u"0.00%", false},
        {u"-0", u"0.00%", false},
        {u"0.00", u"0.00%", false},
        {u"000", u"0.00%", false},
        {u"1.2.3", u"1.2.3", true},
        {u"", u"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.typed));
        enter(c.typed);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(box.Blink(), c.blink);
        EXPECT_EQ(box.SelStart(), 0);
    }
}

TEST_F(PercentBoxTest, ComingBackOnlyTakesOffTheTrailingPercent) {
    struct Case {
        std::u16string shown, editing;
    };
    const Case cases[] = {
        {u"12.50%", u"12.50"}, {u"0.00%", u"0.00"}, {u".50%", u".50"}, {u"1.2.3", u"1.2.3"},
        {u"%", u""},           {u"5%%", u"5%"},     {u"12", u"12"},    {u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.shown));
        box.textbox().set_text(c.shown);
        box.setBlink(true);
        user().got_focus();
        EXPECT_EQ(text(), c.editing);
        EXPECT_FALSE(box.Blink());
        EXPECT_EQ(box.SelLength(), static_cast<std::int32_t>(c.editing.size()));
    }
}

TEST_F(PercentBoxTest, ReadersGiveTheSameNumberShownOrEdited) {
    struct Case {
        std::u16string inner, value, text;
    };
    const Case cases[] = {
        {u"12.50%", u"12.5", u"12.50%"}, {u"12.50", u"12.5", u"12.50%"}, {u"12.5", u"12.5", u"12.50%"},
        // A shown negative percentage reads as its number, as it does while edited.
        {u"-3.00%", u"-3", u"-3.00%"},   {u"-3.00", u"-3", u"-3.00%"},
        {u"0.00%", u"0", u".00%"},       {u"0", u"0", u".00%"},         {u".50%", u"0.5", u".50%"},
        {u"", u"0", u"0.00%"},           {u"abc", u"0", u"0.00%"},      {u"%", u"0", u"0.00%"},
        {u"1.2.3", u"0", u"0.00%"},      {u"12.5%%", u"0", u"0.00%"},   {u"1e20", u"1E+20", u"100000000000000000000.00%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.inner));
        box.textbox().set_text(c.inner);
        EXPECT_EQ(box.Value(), c.value);
        EXPECT_EQ(box.Text(), c.text);
    }
}

TEST_F(PercentBoxTest, ValueWriterRefusesAPercentSignAndKeepsWhatItShows) {
    box.setValue(u"12.5");
    EXPECT_EQ(text(), u"12.50%");
    EXPECT_EQ(box.stored_text(), u"12.50%");
    take();
    box.setValue(u"12.5%");
    EXPECT_EQ(text(), u"0.00%");
    EXPECT_EQ(box.stored_text(), u"0.00%") << "the failed write's text is kept too";
    EXPECT_TRUE(box.Blink());
    EXPECT_EQ(take(), (Lines{"p1: Change"}));
}

TEST_F(PercentBoxTest, TextWriterKeepsTheTextWhenItFails) {
    struct Case {
        std::u16string written;
        bool blink_on_error;
        std::u16string shown;
        bool blink;
        Lines lines;
    };
    const Case cases[] = {
        {u"12.5%", true, u"12.50%", false, {"p1: Change", "p1: changed Text"}},
        {u"12.5", true, u"12.50%", false, {"p1: Change", "p1: changed Text"}},
        {u"0%", true, u"0.00%", false, {"p1: Change", "p1: changed Text"}},
        {u"", true, u"9", false, {"p1: changed Text"}},
        // Not a number: the text stays and blinks, whatever BlinkOnError says.
        {u"abc", true, u"9", true, {"p1: changed Text"}},
        {u"abc", false, u"9", true, {"p1: changed Text"}},
        {u"%", false, u"9", true, {"p1: changed Text"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.written) + (c.blink_on_error ? " blink on error" : " quiet"));
        box.setBlinkOnError(c.blink_on_error);
        box.textbox().set_text(u"9");
        box.setBlink(true);
        take();
        box.setText(c.written);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(box.Blink(), c.blink);
        EXPECT_EQ(box.stored_text(), c.shown);
        EXPECT_EQ(take(), c.lines);
    }
}

TEST_F(PercentBoxTest, MaxCharsOnAShownPercentageDoesNotFlagIt) {
    struct Case {
        std::u16string inner, shown;
        bool blink;
    };
    const Case cases[] = {
        {u"12.50%", u"12.50%", false},
        {u"12.5%", u"12.50%", false},
        {u"0.00%", u"0.00%", false},
        {u"7", u"7.00%", false},
        {u"abc", u"abc", true},
        {u"%", u"%", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.inner));
        box.textbox().set_text(c.inner);
        box.setBlink(false);
        box.setMaxChars(5);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(box.Blink(), c.blink);
    }
    // The typing limit counts the editing text: '12.50' is full at 5.
    box.setValue(u"12.5");
    user().got_focus();
    user().user_select(5, 0);
    take();
    user().press(0, 0, '1');
    EXPECT_EQ(take(), (Lines{"p1: KeyDown 0 0", "beep", "p1: KeyUp 0 0"}));
}

TEST_F(PercentBoxTest, GermanLocaleReadsAndWritesItsOwnSymbols) {
    MemoryForm de_form;
    de_form.locale = Locale::from_name("de_DE");
    MemoryHost de_host{de_form, "d1"};
    txtNorvPercent de{de_host};
    de.InitProperties();
    de.setText(u"1234,567%");
    EXPECT_EQ(std::u16string(de.textbox().text()), u"1234,57%");
    EXPECT_EQ(de.Value(), u"1234,57");
}

TEST_F(PercentBoxTest, LoadingAnnouncesTheFontTwiceAndTheMouseIconOnce) {
    MemoryPropertyBag bag;
    bag.set("Text", Variant(u"12.5"));
    Lines reads;
    bag.on_read = [&](std::string_view key, const Variant&) { reads.emplace_back(key); };
    take();
    box.ReadProperties(bag);
    EXPECT_EQ(take(), (Lines{"p1: changed Font", "p1: changed MouseIcon", "p1: changed Font", "p1: Change"}));
    EXPECT_EQ(reads, (Lines{"BackColor", "Enabled", "Font", "MousePointer", "BackColor", "Enabled", "MousePointer",
                            "MouseIcon", "Font", "MaxChars", "Text", "ForeColor", "BackColor", "ForeColor",
                            "Enabled", "MousePointer", "SelLength", "SelStart", "SelText", "Text", "OLEDragMode",
                            "OLEDropMode", "ToolTipText", "FocusSelect", "EscapeClear", "Blink", "BlinkOnError",
                            "ReadOnly"}));
    EXPECT_EQ(text(), u"12.5") << "shown as stored";
    user().got_focus();
    user().lost_focus();
    EXPECT_EQ(text(), u"12.50%");
}

TEST_F(PercentBoxTest, SavingWritesTheKeysInOrderAndTheStoredTextFollowsTheWriters) {
    box.setValue(u"7");
    MemoryPropertyBag bag;
    Lines writes;
    bag.on_write = [&](std::string_view key, const Variant& v, const std::optional<Variant>& def) {
        std::string line(key);
        if (key == "Text") line += "=" + narrow(v.string_ref()) + " default " + narrow(def->string_ref());
        writes.push_back(line);
    };
    bag.begin_save();
    box.WriteProperties(bag);
    EXPECT_EQ(writes, (Lines{"BackColor", "Enabled", "Font", "MouseIcon", "MousePointer", "BackColor", "Enabled",
                             "MousePointer", "MouseIcon", "MaxChars", "Text=7.00% default Krovint", "ForeColor",
                             "BackColor", "ForeColor", "Enabled", "MousePointer", "Font", "SelLength", "SelStart",
                             "SelText", "OLEDragMode", "OLEDropMode", "ToolTipText", "FocusSelect", "EscapeClear",
                             "Blink", "BlinkOnError", "Text=7.00% default 0.00%", "ReadOnly"}));
}

}  // namespace
}  // namespace norvtext
