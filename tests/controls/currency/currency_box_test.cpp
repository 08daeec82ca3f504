// The currency box's own rules: the display and plain forms of an amount on leaving and
// coming back, the Value and Text readers, the Text writer's failure path, the amount's
// range, the locale, and the bag keys in their order.
#include <gtest/gtest.h>

#include "norvtext/controls/currency/currency_box.hpp"
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

constexpr std::u16string_view twenty_digits = u"12345678901234567890";

struct CurrencyBoxTest : ::testing::Test, testing::NumericBoxHarness<txtNorvCurrency> {
    CurrencyBoxTest() : NumericBoxHarness("c1") {}
};

TEST_F(CurrencyBoxTest, LeavingShowsTheDisplayFormOfTheAmount) {
    // Value is read from the text: the typed amount while it is edited, what the display
    // form keeps of it once the box has been left.
    struct Case {
        std::u16string typed, shown;
        bool blink;
        std::u16string value_editing, value_shown;
    };
    const Case cases[] = {
        {u"1234.5", u"$1,234.50", false, u"1234.5", u"1234.5"},
        {u"0.5", u"$.50", false, u"0.5", u"0.5"},
        {u"-12", u"-$12.00", false, u"-12", u"-12"},
        {u"1234567.891", u"$1,234,567.89", false, u"1234567.891", u"1234567.89"},
        {u"1.005", u"$1.01", false, u"1.005", u"1.01"},  // halves away from zero on the exact amount
        {u"-1.005", u"-$1.01", false, u"-1.005", u"-1.01"},
        {u"0.001", u"$.00", false, u"0.001", u"0"},      // not 0, only rounds to it
        {u"0", u"$0.00", false, u"0", u"0"},
        {u"-0", u"$0.00", false, u"0", u"0"},
        {u"0.00", u"$0.00", false, u"0", u"0"},
        {u"000", u"$0.00", false, u"0", u"0"},
        {u"0.00001", u"$0.00", false, u"0", u"0"},       // rounds to 0 on reading
        {u"922337203685477.5807", u"$922,337,203,685,477.58", false, u"922337203685477.5807",
         u"922337203685477.58"},
        {u"-922337203685477.5808", u"-$922,337,203,685,477.58", false, u"-922337203685477.5808",
         u"-922337203685477.58"},
        // Beyond the amount's range a number is treated as a text that is not a number.
        {u"922337203685477.5808", u"922337203685477.5808", true, u"0", u"0"},
        {std::u16string(twenty_digits), std::u16string(twenty_digits), true, u"0", u"0"},
        {u"1.2.3", u"1.2.3", true, u"0", u"0"},
        {u"--5", u"--5", true, u"0", u"0"},
        {u"-", u"-", true, u"0", u"0"},
        {u"", u"", true, u"0", u"0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.typed));
        user().got_focus();
        if (box.SelLength() > 0) user().press(0, 0, 8);
        for (char16_t ch : c.typed) user().press(0, 0, static_cast<std::int16_t>(ch));
        EXPECT_EQ(box.Value(), c.value_editing);
        // Text gives the display form even while the plain form is being edited.
        EXPECT_EQ(box.Text(), c.blink ? u"$0.00" : c.shown);
        user().lost_focus();
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(box.Blink(), c.blink);
        EXPECT_EQ(box.SelStart(), 0);
        if (!c.blink) {
            EXPECT_EQ(box.SelLength(), 0);
        }
        EXPECT_EQ(box.Value(), c.value_shown);
        // Text gives the zero display for every text whose amount is 0 or that is none.
        EXPECT_EQ(box.Text(), c.value_shown == u"0" ? u"$0.00" : c.shown);
    }
}

TEST_F(CurrencyBoxTest, ComingBackTurnsTheTextIntoThePlainForm) {
    struct Case {
        std::u16string shown, editing;
    };
    const Case cases[] = {
        {u"$1,234.50", u"1234.5"}, {u"-$12.00", u"-12"}, {u"$0.00", u"0"},   {u"007.50", u"7.5"},
        {u"$.50", u"0.5"},         {u"1.2.3", u"1.2.3"}, {u"abc", u"abc"},   {u"  ", u"  "},
        {u"$.00", u"0"},           // nothing left of an amount that rounded away
        {std::u16string(twenty_digits), u""},  // a number no amount can hold empties the box
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.shown));
        box.textbox().set_text(c.shown);
        box.setBlink(true);
        user().got_focus();
        EXPECT_EQ(text(), c.editing);
        EXPECT_FALSE(box.Blink());
        EXPECT_EQ(box.SelStart(), 0);
        EXPECT_EQ(box.SelLength(), static_cast<std::int32_t>(c.editing.size()));
    }
}

TEST_F(CurrencyBoxTest, ARoundTripKeepsTwoDecimals) {
    enter(u"1.23456");
    EXPECT_EQ(text(), u"$1.23");
    user().got_focus();
    EXPECT_EQ(text(), u"1.23");
}

TEST_F(CurrencyBoxTest, ValueAcceptsEveryFormTheBoxWrites) {
    for (std::u16string_view v : {u"$1,234.50", u"1234.5", u" 1234.5 "}) {
        SCOPED_TRACE(narrow(v));
        box.setValue(v);
        EXPECT_EQ(text(), u"$1,234.50");
    }
    box.setValue(u"-$1,234.50");
    EXPECT_EQ(text(), u"-$1,234.50");
    box.setValue(twenty_digits);
    EXPECT_EQ(text(), u"$0.00") << "outside the amount's range the write fails";
    EXPECT_TRUE(box.Blink());
}

TEST_F(CurrencyBoxTest, TextWriterBlinksOnlyForANonEmptyFailureAndAlwaysAnnounces) {
    struct Case {
        std::u16string written;
        bool blink_on_error;
        std::u16string shown;
        bool blink;
    };
    const Case cases[] = {
        {u"12", true, u"$12.00", false},
        {u"$1,234.5", true, u"$1,234.50", false},
        {u"0", true, u"$0.00", false},
        {u"", true, u"$0.00", false},
        {u"abc", true, u"$0.00", true},
        {u"abc", false, u"$0.00", false},
        {std::u16string(twenty_digits), true, u"$0.00", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.written) + (c.blink_on_error ? " blink on error" : " quiet"));
        box.setBlinkOnError(c.blink_on_error);
        box.textbox().set_text(u"9");
        box.setBlink(true);  // every path settles the timer one way or the other
        box.textbox().set_sel_length(1);
        take();
        box.setText(c.written);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(box.Blink(), c.blink);
        if (!c.blink) {
            EXPECT_EQ(box.SelLength(), 0);
        }
        EXPECT_EQ(take(), (Lines{"c1: Change", "c1: changed Text"}));
    }
}

TEST_F(CurrencyBoxTest, GermanLocaleReadsAndWritesItsOwnSymbols) {
    MemoryForm de_form;
    de_form.locale = Locale::from_name("de_DE");
    MemoryHost de_host{de_form, "d1"};
    txtNorvCurrency de{de_host};
    de.InitProperties();
    de_host.user()->got_focus();
    for (char16_t c : std::u16string_view(u"1234,5")) de_host.user()->press(0, 0, static_cast<std::int16_t>(c));
    de_host.user()->lost_focus();
    EXPECT_EQ(std::u16string(de.textbox().text()), u"$1.234,50");
    EXPECT_EQ(de.Value(), u"1234,5");
    de_host.user()->got_focus();
    EXPECT_EQ(std::u16string(de.textbox().text()), u"1234,5");
}

TEST_F(CurrencyBoxTest, SavingWritesTheKeysInOrderWithTheShownTextFirst) {
    MemoryPropertyBag loaded_from;
    loaded_from.set("Text", Variant(u"12"));
    box.ReadProperties(loaded_from);
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
                             "MousePointer", "MaxChars", "Text=$7.00 default Krovint", "ForeColor", "BackColor",
                             "ForeColor", "Enabled", "MousePointer", "SelLength", "SelStart", "SelText",
                             "OLEDragMode", "OLEDropMode", "ToolTipText", "FocusSelect", "EscapeClear", "Blink",
                             "BlinkOnError", "Text=12 default $0.00", "ReadOnly"}));
    EXPECT_EQ(box.stored_text(), u"12") << "the writers leave the loaded text alone";
}

TEST_F(CurrencyBoxTest, LoadingReadsTheKeysInOrderAndAnnouncesNothing) {
    MemoryPropertyBag bag;
    bag.set("Text", Variant(u"12"));
    bag.set("MaxChars", Variant(std::int16_t{5}));
    bag.set("FocusSelect", Variant(false));
    bag.set("BlinkOnError", Variant(false));
    bag.set("ToolTipText", Variant(u"amount"));
    Lines reads;
    bag.on_read = [&](std::string_view key, const Variant&) { reads.emplace_back(key); };
    take();
    box.ReadProperties(bag);
    EXPECT_EQ(reads, (Lines{"BackColor", "Enabled", "Font", "MouseIcon", "MousePointer", "BackColor", "Enabled",
                            "MousePointer", "MaxChars", "Text", "ForeColor", "BackColor", "ForeColor", "Enabled",
                            "MousePointer", "SelLength", "SelStart", "SelText", "Text", "OLEDragMode",
                            "OLEDropMode", "ToolTipText", "FocusSelect", "EscapeClear", "Blink", "BlinkOnError",
                            "ReadOnly"}));
    for (const std::string& line : take()) EXPECT_EQ(line, "c1: Change") << "loading announces nothing";
    EXPECT_EQ(text(), u"12");
    EXPECT_EQ(box.MaxChars(), 5);
    EXPECT_FALSE(box.FocusSelect());
    EXPECT_FALSE(box.BlinkOnError());
    EXPECT_EQ(box.ToolTipText(), u"amount");
}

}  // namespace
}  // namespace norvtext
