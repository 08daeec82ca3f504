// The date box: what typing and leaving make of each of the eight shapes, Text, Value and
// FormatMask assigned by program code, the locale's month names in the mask, and loading a
// bag in the stored shape or holding nonsense. What every control does alike is tested in
// every_control_test.cpp; the keys, their order and defaults in docs/bag_layouts.txt.
#include "norvtext/controls/date/date_box.hpp"

#include "norvtext/platform/date_serial.hpp"
#include "tests/support/harness.hpp"

namespace norvtext {
namespace {

using namespace testing;

// The form's today is 2026-12-05.
Variant date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return Variant(*serial_from_parts(DateTimeParts{y, mo, d, h, mi, s}));
}
Variant time_of_day(int h, int mi, int s = 0) { return Variant(DateSerial{(h * 3600 + mi * 60 + s) / 86400.0}); }
const Variant none(std::int16_t{0});
const Variant december_5 = date(2026, 12, 5, 13, 7, 9);

TEST(DateBox, TypingAndLeavingInEveryShape) {
    // Only digits and the letters of AM and PM can be typed, lower case going in as upper.
    // A text that is no date stays on leaving, raises Validate and blinks if BlinkOnError
    // asks for it; an untouched box is no error.
    struct Row { const char* rule; std::int32_t format; std::u16string typed, shown; Variant value;
        bool invalid = false; bool blink_on_error = true; };
    const Row rows[] = {
        {"month 13", 0, u"13052026", u"13/05/2026", none, true},
        {"half typed without BlinkOnError", 0, u"1", u"1_/__/____", none, true, false},
        {"untouched", 0, u"", u"__/__/____", none},
        {"month letters other than A, P, M cannot be typed", 1, u"Dec", u"___ __, ____", none},
        {"hour 0 with seconds", 3, u"12052026000509", u"12/05/2026 00:05:09", date(2026, 12, 5, 0, 5, 9)},
        {"seconds left open", 3, u"120520261307", u"12/05/2026 13:07:__", none, true},
        {"12 AM is midnight", 4, u"120520261207AM", u"12/05/2026 12:07 AM", date(2026, 12, 5, 0, 7)},
        {"AM/PM left open", 4, u"120520260107", u"12/05/2026 01:07 __", none, true},
        {"lower case am", 5, u"1159am", u"11:59 AM", time_of_day(11, 59)},
        {"lower p, upper M", 5, u"0107pM", u"01:07 PM", time_of_day(13, 7)},
        {"the last second", 6, u"235959", u"23:59:59", time_of_day(23, 59, 59)},
        {"MMYY: 29 is this century", 7, u"0529", u"05/29", date(2029, 5, 1)},
        {"MMYY: 30 is the century before", 7, u"1230", u"12/30", date(1930, 12, 1)},
        {"MMYY: month 13", 7, u"1330", u"13/30", none, true},
        {"a shape past the last is MMDDYYYY", 8, u"12052026", u"12/05/2026", date(2026, 12, 5)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Placed<txtNorvDate> p;
        p.box.put("FormatMask", Variant(row.format));
        p.box.setBlinkOnError(row.blink_on_error);
        EXPECT_EQ(p.enter(row.typed), row.invalid ? Lines{"b1: Validate"} : Lines{});
        EXPECT_EQ(p.text(), row.shown);
        EXPECT_EQ(p.blinking(), row.invalid && row.blink_on_error);
        EXPECT_EQ(p.box.textbox().sel_length(), 0);
        EXPECT_EQ(script::print_value(p.box.Value()), script::print_value(row.value));
        EXPECT_EQ(p.box.Text(), row.value.type() == VariantType::Date ? row.shown : u"");
    }
}

TEST(DateBox, AssigningTextValueAndFormatMask) {
    // Each row starts from 01/01/2000 shown in its shape, blinking when BlinkOnError is off,
    // so a row shows both a blink that starts and one that stops or is left running. Zero
    // in any form is how program code empties the box, so it is no error.
    // The locale calls March "M\u00e4r" and September "Sept": "?" positions take any letter,
    // but four letters do not fit "???", and the masked box's refusal (`error`) reaches the
    // caller with nothing changed.
    struct Row { const char* rule; std::int32_t format; const char* member; Variant in; bool blink_on_error;
        std::u16string shown; Variant value; bool blinking = false; int error = 0; };
    const Row rows[] = {
        {"a Date in MMDDYYYY", 0, "Value", december_5, false, u"12/05/2026", date(2026, 12, 5)},
        {"in MMMDDYY", 2, "Value", december_5, true, u"Dec 05, 26", date(2026, 12, 5)},
        {"with seconds", 3, "Value", december_5, true, u"12/05/2026 13:07:09", december_5},
        {"the time in HHMM", 5, "Value", december_5, true, u"01:07 PM", time_of_day(13, 7)},
        {"the month in MMYY", 7, "Value", december_5, true, u"12/26", date(2026, 12, 1)},
        {"a text that is a date", 0, "Value", u"12/5/2026", true, u"12/05/2026", date(2026, 12, 5)},
        {"Integer 0 clears and stops the blink", 0, "Value", none, false, u"__/__/____", none},
        {"Empty clears quietly", 0, "Value", Variant(), true, u"__/__/____", none},
        {"Null clears quietly", 0, "Value", Variant::null(), true, u"__/__/____", none},
        {"a text reading as zero", 0, "Value", u" 0.00 ", true, u"__/__/____", none},
        {"a number clears and blinks", 0, "Value", Variant(std::int16_t{5}), true, u"__/__/____", none, true},
        {"without BlinkOnError a number stops the blink", 0, "Value", Variant(std::int16_t{5}), false, u"__/__/____",
         none},
        {"True is not zero", 0, "Value", Variant(true), true, u"__/__/____", none, true},
        {"an object is no date", 0, "Value", Variant(std::make_shared<Font>()), true, u"__/__/____", none, true},
        {"a date in another form", 0, "Text", u"December 5, 2026", false, u"12/05/2026", date(2026, 12, 5)},
        {"the time part goes", 0, "Text", u"12/05/2026 13:07:09", true, u"12/05/2026", date(2026, 12, 5)},
        {"the date part goes", 5, "Text", u"12/05/2026 13:07:09", true, u"01:07 PM", time_of_day(13, 7)},
        {"MMYY: other forms follow the general reading", 7, "Text", u" 5/30", true, u"05/26", date(2026, 5, 1)},
        {"MMYY: month 13 in its own shape", 7, "Text", u"13/30", true, u"__/__", none, true},
        {"no date clears and blinks", 0, "Text", u"hello", true, u"__/__/____", none, true},
        {"without BlinkOnError a running blink goes on", 0, "Text", u"hello", false, u"__/__/____", none, true},
        {"empty clears quietly", 0, "Text", u"", true, u"__/__/____", none},
        {"empty leaves a running blink", 0, "Text", u"", false, u"__/__/____", none, true},
        {"the locale's month word, a letter beyond ASCII", 1, "Text", u"03/05/2026", true, u"M\u00e4r 05, 2026",
         date(2026, 3, 5)},
        {"a month word too long for the mask is refused", 1, "Text", u"09/05/2026", true, u"Jan 01, 2000",
         date(2000, 1, 1), false, 380},
        {"a new shape only replaces the mask", 0, "FormatMask", Variant(std::int32_t{6}), true, u"01:01:20",
         time_of_day(1, 1, 20)},
        {"a shape past the last is MMDDYYYY", 0, "FormatMask", Variant(std::int32_t{8}), true, u"01/01/2000",
         date(2000, 1, 1)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Placed<txtNorvDate> p;
        p.form.locale.month_abbreviations[2] = u"M\u00e4r";
        p.form.locale.month_abbreviations[8] = u"Sept";
        p.box.put("FormatMask", Variant(row.format));
        p.box.setText(u"01/01/2000");
        p.box.setBlinkOnError(row.blink_on_error);
        p.box.setBlink(!row.blink_on_error);
        p.take();
        EXPECT_EQ(error_of([&] { p.box.put(row.member, row.in); }), row.error);
        EXPECT_EQ(p.text(), row.shown);
        EXPECT_EQ(script::print_value(p.box.Value()), script::print_value(row.value));
        p.expect_blinking(row.blinking);
        EXPECT_EQ(p.last_line(), row.error ? "" : std::string("b1: changed ") + row.member);
    }
}

TEST(DateBox, LoadingShowsTheStoredDateInTheStoredShapeAndNonsenseLeavesAWorkingBox) {
    // The stored text is shown in the loaded shape once FormatMask is read: a date, or the
    // shape's empty text. Nonsense gives an error or that plain result, and the box still
    // clears (in its own prompt), checks on leaving and takes a date.
    struct Row { const char* rule; std::vector<std::pair<const char*, Variant>> keys; int error; std::u16string shown; };
    const Variant text(u"12/05/2026");
    const Row rows[] = {
        {"a date in another shape", {{"Text", text}, {"FormatMask", Variant(std::int16_t{1})}}, 0, u"Dec 05, 2026"},
        {"a date and time in a time shape",
         {{"Text", u"12/05/2026 13:07:09"}, {"FormatMask", Variant(std::int16_t{6})}}, 0, u"13:07:09"},
        {"no Text key", {{"FormatMask", Variant(std::int16_t{5})}}, 0, u"__:__ __"},
        {"a partial text is not kept", {{"Text", u"12/__/2026"}}, 0, u"__/__/____"},
        {"a number is no date", {{"Text", Variant(std::int16_t{5})}}, 0, u"__/__/____"},
        {"a Date value", {{"Text", december_5}}, 0, u"12/05/2026"},
        {"MMYY keeps its year", {{"Text", u"05/30"}, {"FormatMask", Variant(std::int16_t{7})}}, 0, u"05/30"},
        {"a negative shape is MMDDYYYY", {{"Text", text}, {"FormatMask", Variant(std::int32_t{-3})}}, 0, u"12/05/2026"},
        {"Text a Font", {{"Text", Variant(std::make_shared<Font>())}}, 13, u"__/__/____"},
        {"Text Null", {{"Text", Variant::null()}}, 94, u"__/__/____"},
        {"FormatMask beyond a Long", {{"FormatMask", Variant(1e12)}}, 6, u"__/__/____"},
        {"PromptChar empty", {{"PromptChar", u""}}, 380, u"__/__/____"},
        {"PromptChar a digit", {{"PromptChar", Variant(std::int16_t{5})}}, 380, u"__/__/____"},
        {"another PromptChar", {{"PromptChar", u"*"}}, 0, u"**/**/****"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        services::MemoryPropertyBag bag;
        for (const auto& [key, value] : row.keys) bag.set(key, value);
        Placed<txtNorvDate> p;
        EXPECT_EQ(error_of([&] { p.box.ReadProperties(bag); }), row.error);
        EXPECT_EQ(p.text(), row.shown);
        EXPECT_TRUE(p.enter(u"").empty()) << "an untouched box is no error";
        EXPECT_EQ(error_of([&] { p.escape(); }), 0);
        EXPECT_EQ(p.box.Text(), u"");
        p.box.setText(u"12/05/2026");
        EXPECT_NE(p.box.Text(), u"");
    }
}

}  // namespace
}  // namespace norvtext
