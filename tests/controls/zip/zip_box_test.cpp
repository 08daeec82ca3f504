// The ZIP box driven as a host and a user would: typing and leaving in every shape, the
// completion of a five-digit long code, the part properties, oversized codes, loading.
#include <gtest/gtest.h>

#include "norvtext/controls/zip/zip_box.hpp"
#include "norvtext/platform/error.hpp"
#include "tests/controls/digit_box_harness.hpp"

namespace norvtext {
namespace {

using testing::error_of;
using testing::Lines;
using Harness = testing::DigitBoxHarness<txtNorvZip>;

TEST(ZipBox, TypingAndLeavingInEveryShape) {
    struct Case {
        const char* name;
        std::int32_t format;
        std::u16string typed;
        std::u16string shown;
        Lines left;
    };
    const Lines validate{"b1: Validate"};
    const Case cases[] = {
        {"Zip5 complete", 0, u"12345", u"12345", {}},
        {"Zip5 short", 0, u"123", u"123__", validate},
        {"Zip4 complete", 1, u"0123", u"0123", {}},
        {"Zip4 short", 1, u"12", u"12__", validate},
        {"Zip5Plus4 complete", 2, u"123456789", u"12345-6789", {}},
        {"Zip5Plus4 five digits are completed", 2, u"12345", u"12345-0000", {"b1: Change"}},
        {"Zip5Plus4 seven digits", 2, u"1234567", u"12345-67__", validate},
        {"Zip5Plus4 untouched", 2, u"", u"_____-____", {}},
        {"unknown shape behaves as Zip5", 7, u"123", u"123__", validate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.put("FormatMask", Variant(c.format));
        h.box.put("BlinkOnError", Variant(false));  // leaving never consults it
        h.take();
        const Lines left = h.enter_type_and_leave(c.typed);
        EXPECT_EQ(h.text(), c.shown);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(h.blinking(), c.left == validate);
    }
}

TEST(ZipBox, ValueWithoutDigitsBlinksOnlyWithBlinkOnError) {
    for (const bool blink_on_error : {true, false}) {
        SCOPED_TRACE(blink_on_error ? "BlinkOnError" : "no BlinkOnError");
        Harness h;
        h.box.setText(u"12345");
        h.box.setBlinkOnError(Variant(blink_on_error));
        h.box.setBlink(!blink_on_error);  // a running blink must be left running
        h.box.textbox().set_sel_start(2);
        h.box.put("Value", Variant(u""));
        EXPECT_EQ(h.text(), u"_____");
        EXPECT_TRUE(h.blinking());
        EXPECT_EQ(h.box.SelStart(), 0);
        EXPECT_EQ(h.box.stored_value(), Variant(std::int16_t{0}));
    }
}

TEST(ZipBox, PartProperties) {
    struct Case {
        const char* name;
        std::int32_t format;
        std::u16string start;
        const char* member;
        std::u16string in;
        std::u16string shown;
        bool announced;
    };
    const Case cases[] = {
        {"long: new first part", 2, u"12345-6789", "Zip_5", u"54321", u"54321-6789", true},
        {"long: new second part", 2, u"12345-6789", "Zip_4", u"1", u"12345-0001", true},
        {"long empty: first part", 2, u"", "Zip_5", u"54321", u"54321-0000", true},
        {"long empty: second part", 2, u"", "Zip_4", u"12", u"00000-0012", true},
        {"long: not a number empties both", 2, u"12345-6789", "Zip_4", u"x", u"_____-____", true},
        {"Zip5: part is the code", 0, u"123__", "Zip_5", u"7", u"00007", true},
        {"Zip5: not a number empties", 0, u"12345", "Zip_5", u"x", u"_____", true},
        {"Zip4: part is the code", 1, u"", "Zip_4", u"42", u"0042", true},
        {"Zip4 has no five-digit part", 1, u"1234", "Zip_5", u"99999", u"1234", false},
        {"Zip5 has no four-digit part", 0, u"12345", "Zip_4", u"9999", u"12345", false},
        {"unknown shape has neither", 7, u"12345", "Zip_5", u"99999", u"12345", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.put("FormatMask", Variant(c.format));
        if (!c.start.empty()) h.box.textbox().set_text(c.start);
        h.box.setBlink(true);
        h.box.textbox().set_sel_start(1);
        h.take();
        h.box.put(c.member, Variant(c.in));
        EXPECT_EQ(h.text(), c.shown);
        EXPECT_TRUE(h.blinking()) << "the parts leave the blink alone";
        EXPECT_EQ(h.box.stored_value(), Variant(std::int16_t{0}));
        const Lines lines = h.take();
        EXPECT_EQ(!lines.empty() && lines.back() == std::string("b1: changed ") + c.member, c.announced);
    }
}

TEST(ZipBox, OversizedNumbersAreRefusedWithNothingHalfChanged) {
    struct Case {
        const char* name;
        ZipFormatEnum format;
        const char* member;
        Variant in;
        bool blinks;
    };
    const Case cases[] = {
        {"six-digit first part", ZipFormatEnum::Zip5, "Zip_5", Variant(u"123456"), false},
        {"six-digit first part, long", ZipFormatEnum::Zip5Plus4, "Zip_5", Variant(u"123456"), false},
        {"five-digit second part", ZipFormatEnum::Zip5Plus4, "Zip_4", Variant(u"12345"), false},
        {"six-digit Text", ZipFormatEnum::Zip5, "Text", Variant(u"123456"), true},
        {"ten-digit Value, long", ZipFormatEnum::Zip5Plus4, "Value", Variant(1234567890.0), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.box.setFormatMask(c.format);
        h.box.setValue(Variant(std::int32_t{1111}));
        const std::u16string before = h.text();
        h.take();
        EXPECT_EQ(error_of([&] { h.box.put(c.member, c.in); }), 380);
        EXPECT_EQ(h.text(), before);
        EXPECT_EQ(h.box.stored_value(), Variant(1111.0 * (c.format == ZipFormatEnum::Zip5Plus4 ? 10000 : 1)));
        EXPECT_EQ(h.blinking(), c.blinks);
        EXPECT_EQ(h.take(), Lines{});
    }
}

TEST(ZipBox, LoadingNeverInventsDigits) {
    struct Case {
        const char* name;
        std::u16string text;
        std::int32_t format;
        std::u16string shown;
    };
    const Case cases[] = {
        {"half-typed long code is filled", u"12345-____", 2, u"12345-0000"},
        {"short long code is filled", u"1234_-____", 2, u"01234-0000"},
        {"complete long code unchanged", u"12345-6789", 2, u"12345-6789"},
        {"empty text of the stored shape", u"_____", 1, u"____"},
        {"five digits stay five", u"01234", 0, u"01234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        services::MemoryPropertyBag bag;
        bag.set("Text", Variant(c.text));
        bag.set("FormatMask", Variant(c.format));
        headless::MemoryForm form;
        headless::MemoryHost host{form, "b2"};
        txtNorvZip box{host};
        box.ReadProperties(bag);
        EXPECT_EQ(box.textbox().text(), c.shown);
        for (const std::string& line : form.transcript) EXPECT_EQ(line.find("changed"), std::string::npos) << line;
    }
}

TEST(ZipBox, RoundTrip) {
    Harness h;
    h.box.setFormatMask(ZipFormatEnum::Zip5Plus4);
    h.box.setValue(Variant(u"98765-4321"));
    h.box.setEscapeClear(false);
    h.box.setBlinkOnError(Variant(std::int16_t{0}));
    services::MemoryPropertyBag bag;
    const Lines keys = h.saved_keys(bag);
    EXPECT_EQ(keys.size(), 26u);
    headless::MemoryForm form;
    headless::MemoryHost host{form, "b2"};
    txtNorvZip box{host};
    box.ReadProperties(bag);
    EXPECT_EQ(box.textbox().text(), u"98765-4321");
    EXPECT_EQ(box.FormatMask(), ZipFormatEnum::Zip5Plus4);
    EXPECT_EQ(box.stored_value(), Variant(987654321.0));
    EXPECT_FALSE(box.EscapeClear());
    EXPECT_EQ(box.BlinkOnError(), Variant(std::int16_t{0}));
    // Reading the font is not a change; writing it is.
    h.take();
    const Variant font = h.box.get("Font");
    EXPECT_EQ(h.take(), Lines{});
    h.box.putref("Font", font);
    EXPECT_EQ(h.take(), Lines{"b1: changed Font"});
}

}  // namespace
}  // namespace norvtext
