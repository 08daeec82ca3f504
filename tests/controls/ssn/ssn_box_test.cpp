// The social security number box driven as a host and a user would: the nine-digit check on
// leaving, Text and Value with their different rules, the read-only members, persistence.
#include <gtest/gtest.h>

#include "norvtext/controls/ssn/ssn_box.hpp"
#include "norvtext/platform/error.hpp"
#include "tests/controls/digit_box_harness.hpp"

namespace norvtext {
namespace {

using testing::error_of;
using testing::Lines;
using Harness = testing::DigitBoxHarness<txtNorvSocialSecurity>;

TEST(SocialSecurityBox, LeavingChecksForAllNineDigits) {
    struct Case {
        const char* name;
        std::u16string typed;
        std::u16string shown;
        bool incomplete;
    };
    const Case cases[] = {
        {"complete", u"123456789", u"123-45-6789", false},
        {"all zeros are complete", u"000000000", u"000-00-0000", false},
        {"two short", u"1234567", u"123-45-67__", true},
        {"one digit", u"1", u"1__-__-____", true},
        {"untouched", u"", u"___-__-____", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.setBlinkOnError(false);  // leaving blinks whatever it says
        h.take();
        EXPECT_EQ(h.enter_type_and_leave(c.typed), c.incomplete ? Lines{"b1: Validate"} : Lines{});
        EXPECT_EQ(h.text(), c.shown);
        EXPECT_EQ(h.blinking(), c.incomplete);
    }
    // An incomplete entry stays for the user to correct, and reads with its prompts.
    Harness h;
    h.enter_type_and_leave(u"1234567");
    EXPECT_EQ(h.box.get("Text"), Variant(u"123-45-67__"));
    EXPECT_EQ(h.box.get("Value"), Variant(1234567.0));
    h.tick();
    EXPECT_EQ(h.box.SelLength(), 11);
    h.tick();
    EXPECT_EQ(h.box.SelLength(), 0);
    h.user().got_focus();
    EXPECT_FALSE(h.blinking()) << "coming back stops the blink";
}

struct WriteCase {
    const char* name;
    Variant in;
    bool blink_on_error;
    std::u16string shown;
    Variant stored;
    bool blinking;
};

void check_writes(const char* member, const std::vector<WriteCase>& cases) {
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.setBlinkOnError(c.blink_on_error);
        h.box.setValue(Variant(std::int32_t{111111111}));
        h.box.setBlink(true);
        h.take();
        h.box.put(member, c.in);
        EXPECT_EQ(h.text(), c.shown);
        EXPECT_EQ(h.box.stored_value(), c.stored);
        EXPECT_EQ(h.blinking(), c.blinking);
        const Lines lines = h.take();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), std::string("b1: changed ") + member);
    }
}

TEST(SocialSecurityBox, TextWantsExactlyNineDigitCharacters) {
    const Variant zero(std::int16_t{0});
    check_writes("Text", {
        {"dashed", Variant(u"123-45-6789"), true, u"123-45-6789", Variant(123456789.0), false},
        {"bare nine digits", Variant(u"012345678"), true, u"012-34-5678", Variant(12345678.0), false},
        {"five digits blink", Variant(u"12345"), true, u"___-__-____", zero, true},
        // Without BlinkOnError the running blink is left running.
        {"five digits, no BlinkOnError", Variant(u"12345"), false, u"___-__-____", zero, true},
        {"empty clears quietly", Variant(u""), true, u"___-__-____", zero, false},
        {"all zeros clear quietly", Variant(u"000-00-0000"), true, u"___-__-____", zero, false},
    });
}

TEST(SocialSecurityBox, ValueTakesAnyPositiveNumberUpToNineDigits) {
    const Variant zero(std::int16_t{0});
    check_writes("Value", {
        {"padded", Variant(std::int32_t{12345}), true, u"000-01-2345", Variant(12345.0), false},
        // The number read is what is laid out, not its first nine characters.
        {"thirteen-character digit text", Variant(u"0000000012345"), true, u"000-01-2345", Variant(12345.0), false},
        {"fraction rounds", Variant(12345.5), true, u"000-01-2346", Variant(12346.0), false},
        {"largest", Variant(u"999999999.4"), true, u"999-99-9999", Variant(999999999.0), false},
        {"rounds past the largest", Variant(999999999.5), true, u"___-__-____", zero, true},
        {"ten digits blink", Variant(std::int32_t{1234567890}), true, u"___-__-____", zero, true},
        {"ten digits, no BlinkOnError", Variant(std::int32_t{1234567890}), false, u"___-__-____", zero, true},
        {"zero clears quietly", Variant(std::int16_t{0}), true, u"___-__-____", zero, false},
        {"negative clears quietly", Variant(-5.0), true, u"___-__-____", zero, false},
        {"no digit blinks", Variant(u"none"), true, u"___-__-____", zero, true},
    });
}

TEST(SocialSecurityBox, RefusedValuesChangeNothing) {
    Harness h;
    h.box.setValue(Variant(std::int32_t{123456789}));
    h.take();
    EXPECT_EQ(error_of([&] { h.box.put("Value", Variant::null()); }), 94);
    EXPECT_EQ(error_of([&] { h.box.put("Text", Variant(std::u16string(40000, u'-'))); }), 6);
    EXPECT_EQ(h.text(), u"123-45-6789");
    EXPECT_EQ(h.box.stored_value(), Variant(123456789.0));
    EXPECT_EQ(h.take(), Lines{});
}

TEST(SocialSecurityBox, DesignOnlyMembersRefuseWritesThroughLateBinding) {
    Harness h;
    h.box.setValue(Variant(std::int32_t{123456789}));
    h.take();
    const std::pair<const char*, Variant> writes[] = {
        {"Enabled", Variant(false)},          {"MousePointer", Variant(std::int16_t{2})},
        {"hWnd", Variant(std::int32_t{9})},   {"Appearance", Variant(std::int32_t{0})},
        {"SelStart", Variant(std::int32_t{2})}, {"SelLength", Variant(std::int32_t{3})},
        {"SelText", Variant(u"9")},
    };
    for (const auto& [member, value] : writes) {
        SCOPED_TRACE(member);
        const Variant before = h.box.get(member);
        EXPECT_EQ(error_of([&] { h.box.put(member, value); }), 383);
        EXPECT_EQ(h.box.get(member), before);
    }
    EXPECT_EQ(error_of([&] { h.box.putref("MouseIcon", Variant::nothing()); }), 383);
    EXPECT_EQ(h.text(), u"123-45-6789");
    EXPECT_EQ(h.take(), Lines{});
    h.box.put("BorderStyle", Variant(std::int32_t{0}));
    EXPECT_EQ(h.take(), Lines{"b1: changed BorderStyle"});
}

TEST(SocialSecurityBox, SavesTwentyKeysAndLoadsThemBackAsSaved) {
    Harness h;
    h.box.setValue(Variant(std::int32_t{123456789}));
    h.escape();  // the stored value stays what was assigned
    h.type(u"1234");
    h.box.setBlink(true);
    h.box.textbox().set_sel_start(5);
    services::MemoryPropertyBag bag;
    EXPECT_EQ(h.saved_keys(bag),
              (Lines{"BackColor", "Enabled", "Font", "MouseIcon", "MousePointer", "FocusSelect", "EscapeClear",
                     "Text", "ForeColor", "SelLength", "SelStart", "SelText", "Value", "BorderStyle", "OLEDragMode",
                     "OLEDropMode", "ToolTipText", "Blink", "BlinkOnError", "ReadOnly"}));
    EXPECT_EQ(bag.find("Text"), Variant(u"123-4_-____"));
    EXPECT_EQ(bag.find("Value"), Variant(123456789.0));

    headless::MemoryForm form;
    headless::MemoryHost host{form, "b2"};
    txtNorvSocialSecurity box{host};
    EXPECT_EQ(testing::loaded_keys(box, bag),
              (Lines{"BackColor", "Enabled", "Font", "MouseIcon", "MousePointer", "FocusSelect", "EscapeClear",
                     "ForeColor", "Text", "SelLength", "SelStart", "SelText", "Value", "BorderStyle", "OLEDragMode",
                     "OLEDropMode", "ToolTipText", "Blink", "BlinkOnError", "ReadOnly"}));
    // The half-typed text as it was, prompts, caret and blink included; nothing announced.
    EXPECT_EQ(box.textbox().text(), u"123-4_-____");
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_TRUE(box.Blink());
    EXPECT_EQ(box.stored_value(), Variant(123456789.0));
    EXPECT_EQ(form.transcript, Lines{"b2: Change"});
}

}  // namespace
}  // namespace norvtext
