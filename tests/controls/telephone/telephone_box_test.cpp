// The telephone box driven as a host and a user would: typing and leaving in every shape,
// the Value writer, oversized numbers, a new shape, late binding and persistence.
#include <gtest/gtest.h>

#include "norvtext/controls/telephone/telephone_box.hpp"
#include "norvtext/platform/error.hpp"
#include "tests/controls/digit_box_harness.hpp"

namespace norvtext {
namespace {

using testing::error_of;
using testing::Lines;
using Harness = testing::DigitBoxHarness<txtNorvTelephone>;

TEST(TelephoneBox, TypingAndLeavingInEveryShape) {
    struct Case {
        const char* name;
        std::int32_t format;
        std::u16string typed;
        std::u16string shown;
        bool incomplete;
    };
    const Case cases[] = {
        {"digit10 complete", 0, u"5551234567", u"(555) 123-4567", false},
        {"digit10 short", 0, u"555123", u"(555) 123-____", true},
        {"digit10 untouched", 0, u"", u"(___) ___-____", false},
        {"digit7 complete", 1, u"5551234", u"555-1234", false},
        {"digit7 short", 1, u"55512", u"555-12__", true},
        {"digit11 complete", 2, u"15551234567", u"1(555) 123-4567", false},
        {"digit11 short", 2, u"1555", u"1(555) ___-____", true},
        {"digit12 complete", 3, u"441555123456", u"44(155) 512-3456", false},
        {"digit12 short", 3, u"44155512345", u"44(155) 512-345_", true},
        {"unknown shape is not checked", 9, u"555", u"(555) ___-____", false},
        {"all zeros count as digits", 1, u"0000000", u"000-0000", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.put("FormatMask", Variant(c.format));
        h.box.put("BlinkOnError", Variant(false));  // leaving never consults it
        h.take();
        const Lines left = h.enter_type_and_leave(c.typed);
        EXPECT_EQ(h.text(), c.shown);
        EXPECT_EQ(left, c.incomplete ? Lines{"b1: Validate"} : Lines{});
        EXPECT_EQ(h.blinking(), c.incomplete);
        // The blink flashes the whole text from the start; a complete entry keeps its caret.
        if (c.incomplete) {
            EXPECT_EQ(h.box.SelStart(), 0);
        }
        EXPECT_EQ(h.box.SelLength(), 0);
    }
}

TEST(TelephoneBox, ValueWriterBranches) {
    struct Case {
        const char* name;
        Variant in;
        bool blink_on_error;
        std::u16string shown;
        bool blinking;
    };
    const Case cases[] = {
        {"number", Variant(std::int32_t{5551234}), true, u"(000) 555-1234", false},
        {"digit text", Variant(u"555 123 4567"), true, u"(555) 123-4567", false},
        {"fraction rounds", Variant(5551234.5), true, u"(000) 555-1235", false},
        {"zero clears quietly", Variant(std::int16_t{0}), true, u"(___) ___-____", false},
        {"negative clears quietly", Variant(-5.0), true, u"(___) ___-____", false},
        {"no digit blinks", Variant(u""), true, u"(___) ___-____", true},
        {"no digit without BlinkOnError stops the blink", Variant(u"x"), false, u"(___) ___-____", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.setBlinkOnError(Variant(c.blink_on_error));
        h.box.setText(u"1112223333");
        h.box.setBlink(true);
        h.box.textbox().set_sel_length(4);
        h.take();
        h.box.put("Value", c.in);
        EXPECT_EQ(h.text(), c.shown);
        EXPECT_EQ(h.blinking(), c.blinking);
        EXPECT_EQ(h.box.SelStart(), 0);
        EXPECT_EQ(h.box.SelLength(), 0);
        const Lines lines = h.take();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "b1: changed Value");
    }
}

TEST(TelephoneBox, RefusedValuesChangeNothing) {
    struct Case {
        const char* name;
        Variant in;
        int error;
        bool blinks;
    };
    const std::u16string long_text = std::u16string(32767, u'a');
    const Case cases[] = {
        {"Null", Variant::null(), 94, false},
        {"text past the 16-bit counter", Variant(long_text), 6, false},
        // Too many digits for the row: the box refuses the text, and the user sees a blink.
        {"eleven digits on digit10", Variant(12345678901.0), 380, true},
        {"eleven digit characters", Variant(u"(123) 456-78901"), 380, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.setValue(Variant(std::int32_t{5551234}));
        h.take();
        EXPECT_EQ(error_of([&] { h.box.put("Value", c.in); }), c.error);
        EXPECT_EQ(h.text(), u"(000) 555-1234");
        EXPECT_EQ(h.box.stored_value(), Variant(5551234.0));
        EXPECT_EQ(h.blinking(), c.blinks);
        EXPECT_EQ(h.take(), Lines{}) << "nothing announced, no Change";
    }
    Harness h;
    h.box.setText(u"5551234");
    h.take();
    EXPECT_EQ(error_of([&] { h.box.setText(u"12345678901"); }), 380);
    EXPECT_EQ(h.text(), u"(000) 555-1234");
    EXPECT_TRUE(h.blinking());
    EXPECT_EQ(h.take(), Lines{});
}

TEST(TelephoneBox, NewShapeKeepsTheEnteredDigits) {
    Harness h;
    h.box.setText(u"5551234567");
    h.take();
    h.box.setFormatMask(FormatMaskEnum::digit12);
    EXPECT_EQ(h.text(), u"55(512) 345-67__");
    EXPECT_EQ(h.take(), (Lines{"b1: Change", "b1: changed FormatMask"}));
    h.box.put("FormatMask", Variant(std::int32_t{-1}));
    EXPECT_EQ(h.text(), u"(555) 123-4567");
    EXPECT_EQ(h.box.get("FormatMask"), Variant(std::int32_t{-1}));
}

TEST(TelephoneBox, LateBoundMembers) {
    Harness h;
    // Showing the properties reads Font: that must not mark the form as changed.
    const Variant font = h.box.get("Font");
    EXPECT_EQ(h.take(), Lines{});
    h.box.putref("Font", font);
    h.box.put("hWnd", Variant(std::int32_t{77}));
    EXPECT_EQ(h.box.get("hWnd"), Variant(std::int32_t{77}));
    EXPECT_EQ(h.take(), (Lines{"b1: changed Font", "b1: changed hWnd"}));
    EXPECT_EQ(error_of([&] { h.box.put("SelStart", Variant(std::int32_t{1})); }), 383);
    EXPECT_EQ(error_of([&] { h.box.put("Appearance", Variant(std::int32_t{0})); }), 383);
    EXPECT_EQ(error_of([&] { h.box.get("MousePointer"); }), 438);
    // BlinkOnError keeps any value that reads as a Boolean, as given.
    h.box.put("BlinkOnError", Variant(u"False"));
    EXPECT_EQ(h.box.get("BlinkOnError"), Variant(u"False"));
    EXPECT_EQ(error_of([&] { h.box.put("BlinkOnError", Variant(u"maybe")); }), 13);
    EXPECT_EQ(h.box.get("BlinkOnError"), Variant(u"False"));
}

TEST(TelephoneBox, SavesTheTwentySixWritesInOrder) {
    Harness h;
    h.box.setValue(Variant(std::int32_t{5551234}));
    h.user().got_focus();
    h.box.textbox().set_sel_start(13);
    h.type(u"9");
    h.box.setFormatMask(FormatMaskEnum::digit11);
    services::MemoryPropertyBag bag;
    EXPECT_EQ(h.saved_keys(bag),
              (Lines{"BackColor", "Enabled", "Font", "MouseIcon", "MousePointer", "Text", "ForeColor", "BackColor",
                     "SelLength", "SelStart", "SelText", "Value", "FormatMask", "BackColor", "BorderStyle",
                     "Enabled", "ForeColor", "hWnd", "OLEDragMode", "OLEDropMode", "ToolTipText", "FocusSelect",
                     "EscapeClear", "Blink", "BlinkOnError", "ReadOnly"}));
    // The assigned number, not the typed one; the text as shown; a handle unlike 2740.
    EXPECT_EQ(bag.find("Value"), Variant(5551234.0));
    EXPECT_EQ(bag.find("Text"), Variant(u"0(005) 551-239_"));
    EXPECT_EQ(bag.find("FormatMask"), Variant(std::int32_t{2}));
    EXPECT_TRUE(bag.find("hWnd"));
    EXPECT_FALSE(bag.find("MousePointer")) << "Long 0 equals its default";
}

TEST(TelephoneBox, LoadsInOrderAnnouncingNothing) {
    Harness saved;
    saved.box.setText(u"5551234567");
    saved.box.setFocusSelect(false);
    saved.box.setBlinkOnError(Variant(u"False"));
    services::MemoryPropertyBag bag;
    saved.saved_keys(bag);

    headless::MemoryForm form;
    headless::MemoryHost host{form, "b2"};
    txtNorvTelephone box{host};
    EXPECT_EQ(testing::loaded_keys(box, bag),
              (Lines{"BackColor", "Enabled", "Font", "MouseIcon", "MousePointer", "ForeColor", "BackColor", "Text",
                     "SelLength", "SelStart", "SelText", "Value", "FormatMask", "BackColor", "BorderStyle", "Enabled",
                     "ForeColor", "OLEDragMode", "OLEDropMode", "ToolTipText", "FocusSelect", "EscapeClear", "Blink",
                     "BlinkOnError", "ReadOnly"}));
    EXPECT_EQ(box.textbox().text(), u"(555) 123-4567");
    EXPECT_EQ(box.stored_value(), Variant(5551234567.0));
    EXPECT_FALSE(box.FocusSelect());
    EXPECT_EQ(box.BlinkOnError(), Variant(u"False"));
    for (const std::string& line : form.transcript) EXPECT_EQ(line.find("changed"), std::string::npos) << line;
}

}  // namespace
}  // namespace norvtext
