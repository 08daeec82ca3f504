// The digit boxes (telephone, social security, ZIP): the digit extraction they share, what
// typing and leaving make of each shape, the Text and Value writers, the refusals that must
// leave the box as it was, the ZIP parts and loading. What every control does alike is
// tested in every_control_test.cpp.
#include "norvtext/controls/digits.hpp"
#include "norvtext/controls/zip/zip_box.hpp"
#include "norvtext/platform/date_serial.hpp"
#include "tests/support/harness.hpp"

namespace norvtext {
namespace {

using namespace testing;

constexpr const char* tel = "txtNorvTelephone";
constexpr const char* ssn = "txtNorvSocialSecurity";
constexpr const char* zip = "txtNorvZip";

// The number a shown text's digits make, or the Integer 0 when it has none.
Variant number_in(std::u16string_view shown) {
    std::string digits;
    for (const char16_t c : shown) digits += c >= u'0' && c <= u'9' ? std::string(1, static_cast<char>(c)) : "";
    return digits.empty() ? Variant(std::int16_t{0}) : Variant(std::stod(digits));
}
const Variant& stored(Placed<>& p) { return dynamic_cast<DigitBoxBase&>(p.box).stored_value(); }
// The social security box has one shape and no FormatMask.
void shape(Placed<>& p, std::string_view cls, std::int32_t f) { if (cls != ssn) p.box.put("FormatMask", Variant(f)); }

TEST(DigitsOnly, KeepsNumbersAndCollectsTheDigitsOfEverythingElse) {
    const std::u16string below(32766, u'x');  // the 16-bit counter's last length
    const std::u16string numeric = std::u16string(32767, u' ') + u"1";
    struct Row { const char* rule; Variant in; Variant out; int error = 0; bool german = false; };
    const Row rows[] = {
        {"a masked text gives its digits, 0 and 9 included", u"(590) 1_9-____", u"59019"},
        {"only ASCII digits count, not their neighbours", u"/\uff11a\u0661 7:", u"7"},
        {"no digit at all", u"abc", u""},
        {"a numeric text stays as given", u" 12 ", u" 12 "},
        {"dash-joined digits are not one number", u"123-45-6789", u"123456789"},
        {"a number keeps its subtype", Variant(std::int32_t{5551234}), Variant(std::int32_t{5551234})},
        {"a date's text gives its digits", Variant(DateSerial{46361}), u"1252026"},
        {"a text below the counter's limit is walked", Variant(below), u""},
        {"32,767 characters overflow the counter", Variant(below + u"1"), Variant(), 6},
        {"a long text that is a number is returned first", Variant(numeric), Variant(numeric)},
        {"Null has no text", Variant::null(), Variant(), 94},
        {"the German number test", u"1.234,5", u"1.234,5", 0, true},
        {"the English number test", u"1.234,5", u"12345"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        const Locale loc = row.german ? Locale::from_name("de_DE") : Locale::en_us();
        Variant out;
        EXPECT_EQ(error_of([&] { out = DigitsOnly(row.in, loc); }), row.error);
        EXPECT_EQ(script::print_value(out), script::print_value(row.out));
    }
}

TEST(DigitBoxes, TypingAndLeavingInEveryShape) {
    // Leaving never consults BlinkOnError: a short entry blinks and raises Validate. Value
    // reads the digits in the box as one number. A complete ten-digit telephone number and a
    // complete SSN, typed and left, and a short telephone number, are in the tour's transcript.
    struct Row { const char* rule; const char* cls; std::int32_t format; std::u16string typed, shown; Lines left; };
    const Lines validate{"b1: Validate"};
    const Row rows[] = {
        {"digit7 complete", tel, 1, u"5551234", u"555-1234", {}},
        {"digit11 complete", tel, 2, u"15551234567", u"1(555) 123-4567", {}},
        {"digit12 complete", tel, 3, u"441555123456", u"44(155) 512-3456", {}},
        {"a shape past the last is not checked", tel, 4, u"555", u"(555) ___-____", {}},
        {"a negative shape is not checked", tel, -1, u"555", u"(555) ___-____", {}},
        {"all zeros are digits", tel, 1, u"0000000", u"000-0000", {}},
        {"untouched is no error", tel, 0, u"", u"(___) ___-____", {}},
        {"Zip5 complete", zip, 0, u"12345", u"12345", {}},
        {"Zip5 one short", zip, 0, u"1234", u"1234_", validate},
        {"Zip4 complete", zip, 1, u"0123", u"0123", {}},
        {"Zip5Plus4 complete", zip, 2, u"123456789", u"12345-6789", {}},
        {"Zip5Plus4 four digits are short", zip, 2, u"1234", u"1234_-____", validate},
        {"a ZIP shape past the last is checked as Zip5", zip, 3, u"123", u"123__", validate},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Placed<> p(row.cls);
        shape(p, row.cls, row.format);
        p.box.put("BlinkOnError", Variant(false));
        p.take();
        EXPECT_EQ(p.enter(row.typed), row.left);
        EXPECT_EQ(p.text(), row.shown);
        EXPECT_EQ(p.blinking(), row.left == validate);
        EXPECT_EQ(p.box.SelLength(), 0);
        EXPECT_EQ(script::print_value(p.box.get("Value")), script::print_value(number_in(row.shown)));
    }
}

TEST(DigitBoxes, TextAndValueWriters) {
    // Each row starts from 1111 shown, blinking when BlinkOnError is off, so a row shows
    // both a blink that starts and one that stops or is left running. What is shown is what
    // is stored: a fraction goes to the whole number shown. A refusal (`error`) leaves the
    // text, the stored value and the transcript as they were; a number too large for the
    // shape blinks first, so the user sees the refusal too. The telephone and ZIP boxes keep
    // BlinkOnError as any value that reads as a Boolean; the social security box's read-only
    // members (383) are in the tour's transcript.
    struct Row { const char* rule; const char* cls; std::int32_t format; const char* member; Variant in;
        bool blink_on_error; std::u16string shown; bool blinking = false; int error = 0; };
    const char *text = "Text", *value = "Value";
    const Row rows[] = {
        {"SSN Text: dashed nine digits", ssn, 0, text, u"123-45-6789", false, u"123-45-6789"},
        {"SSN Text: a leading zero", ssn, 0, text, u"012345678", true, u"012-34-5678"},
        {"SSN Text: a fractional nine-character text", ssn, 0, text, u"1234567.8", true, u"001-23-4568"},
        {"SSN Text: empty clears quietly", ssn, 0, text, u"", false, u"___-__-____"},
        {"SSN Text: all zeros clear quietly", ssn, 0, text, u"000-00-0000", false, u"___-__-____"},
        {"SSN Value: a half rounds up", ssn, 0, value, Variant(12345.5), true, u"000-01-2346"},
        {"SSN Value: 1 is the smallest", ssn, 0, value, Variant(std::int16_t{1}), true, u"000-00-0001"},
        {"SSN Value: the largest", ssn, 0, value, u"999999999.4", true, u"999-99-9999"},
        {"SSN Value: rounding past the largest", ssn, 0, value, Variant(999999999.5), true, u"___-__-____", true},
        {"SSN Value: too large, no BlinkOnError", ssn, 0, value, Variant(1e10), false, u"___-__-____", true},
        {"SSN Value: zero clears quietly", ssn, 0, value, Variant(0.0), false, u"___-__-____"},
        {"SSN Value: no digit", ssn, 0, value, u"none", true, u"___-__-____", true},
        {"telephone Value: 1 is the smallest", tel, 1, value, Variant(std::int16_t{1}), true, u"000-0001"},
        {"telephone Value: digit7's largest", tel, 1, value, Variant(std::int32_t{9999999}), true, u"999-9999"},
        {"telephone Value: zero clears quietly", tel, 0, value, Variant(0.0), false, u"(___) ___-____"},
        {"telephone Value: no digit", tel, 0, value, u"", true, u"(___) ___-____", true},
        {"telephone Value: no digit, no BlinkOnError, stops", tel, 0, value, u"x", false, u"(___) ___-____"},
        {"telephone Text: no digit clears quietly", tel, 0, text, u"x", true, u"(___) ___-____"},
        {"telephone Text: zero clears quietly", tel, 0, text, u"0", false, u"(___) ___-____"},
        {"Zip5 Value: padded", zip, 0, value, Variant(std::int32_t{1234}), true, u"01234"},
        {"Zip5Plus4 Value: a short code, zero extension", zip, 2, value, Variant(std::int32_t{1234}), true,
         u"01234-0000"},
        {"Zip5Plus4 Text: eight digits keep five", zip, 2, text, u"12345678", true, u"12345-0000"},
        {"Zip5Plus4 Text: nine digits are the code", zip, 2, text, u"98765-4321", false, u"98765-4321"},
        {"SSN Null Value", ssn, 0, value, Variant::null(), true, u"000-00-1111", false, 94},
        {"SSN Text past the 16-bit counter", ssn, 0, text, Variant(std::u16string(40000, u'-')), true, u"000-00-1111", false, 6},
        {"rounding past digit7's largest", tel, 1, value, Variant(9999999.5), true, u"000-1111", true, 380},
        {"eleven digit characters", tel, 0, text, u"(123) 456-78901", true, u"(000) 000-1111", true, 380},
        {"a six-digit first part", zip, 0, "Zip_5", u"123456", true, u"01111", false, 380},
        {"a five-digit second part", zip, 2, "Zip_4", u"12345", true, u"01111-0000", false, 380},
        {"a six-digit Zip5 Text", zip, 0, text, u"123456", true, u"01111", true, 380},
        {"ten digits are no Zip5Plus4 code", zip, 2, value, Variant(1234567890.0), true, u"01111-0000", true, 380},
        {"BlinkOnError keeps a text that reads as a Boolean", tel, 0, "BlinkOnError", u"False", true, u"(000) 000-1111"},
        {"BlinkOnError refuses a text that does not", tel, 0, "BlinkOnError", u"maybe", true, u"(000) 000-1111", false, 13},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Placed<> p(row.cls);
        shape(p, row.cls, row.format);
        p.box.put("Value", Variant(std::int16_t{1111}));
        p.box.put("BlinkOnError", Variant(row.blink_on_error));
        p.box.setBlink(!row.blink_on_error);
        const std::string before = script::print_value(p.box.get(row.member));
        p.take();
        EXPECT_EQ(error_of([&] { p.box.put(row.member, row.in); }), row.error);
        EXPECT_EQ(p.text(), row.shown);
        // A refusal leaves the member as it was; BlinkOnError reads back as it was written.
        if (row.error || row.member == std::string("BlinkOnError")) {
            EXPECT_EQ(script::print_value(p.box.get(row.member)), row.error ? before : script::print_value(row.in));
        }
        EXPECT_EQ(script::print_value(stored(p)), script::print_value(number_in(row.shown)));
        p.expect_blinking(row.blinking);
        EXPECT_EQ(p.box.SelStart(), 0);
        EXPECT_EQ(p.last_line(), row.error ? "" : std::string("b1: changed ") + row.member);
    }
}

TEST(ZipBox, PartProperties) {
    // The parts leave the blink and the stored value alone; a shape without the part
    // ignores the write.
    struct Row { const char* rule; std::int32_t format; std::u16string start; const char* member;
        std::u16string in, shown; bool announced; };
    const Row rows[] = {
        {"long: a new first part", 2, u"12345-6789", "Zip_5", u"54321", u"54321-6789", true},
        {"long, untouched: the first part", 2, u"", "Zip_5", u"54321", u"54321-0000", true},
        {"long: not a number empties both", 2, u"12345-6789", "Zip_4", u"x", u"_____-____", true},
        {"Zip5: the part is the code", 0, u"123__", "Zip_5", u"7", u"00007", true},
        {"Zip4: the part is the code", 1, u"", "Zip_4", u"42", u"0042", true},
        {"Zip4 has no five-digit part", 1, u"1234", "Zip_5", u"99999", u"1234", false},
        {"Zip5 has no four-digit part", 0, u"12345", "Zip_4", u"9999", u"12345", false},
        {"a shape past the last has neither", 3, u"12345", "Zip_5", u"99999", u"12345", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Placed<> p(zip);
        p.box.put("FormatMask", Variant(row.format));
        if (!row.start.empty()) p.box.textbox().set_text(row.start);
        p.box.setBlink(true);
        p.take();
        p.box.put(row.member, Variant(row.in));
        EXPECT_EQ(p.text(), row.shown);
        EXPECT_TRUE(p.blinking());
        EXPECT_EQ(script::print_value(stored(p)), script::print_value(Variant(std::int16_t{0})));
        EXPECT_EQ(p.last_line() == std::string("b1: changed ") + row.member, row.announced);
    }
}

TEST(DigitBoxes, LoadingShowsTheSavedText) {
    // The ZIP and telephone boxes lay the saved digits out anew in the loaded shape, never
    // inventing digits; the social security box takes its text as saved. A complete code in
    // its own shape is in the form files of tests/fixtures/forms.
    struct Row { const char* rule; const char* cls; std::u16string text; std::int32_t format; std::u16string shown; };
    const Row rows[] = {
        {"a half-typed long ZIP code is filled", zip, u"12345-____", 2, u"12345-0000"},
        {"a short long ZIP code is filled", zip, u"1234_-____", 2, u"01234-0000"},
        {"the empty text of another shape", zip, u"_____", 1, u"____"},
        {"five ZIP digits stay five", zip, u"01234", 0, u"01234"},
        {"a telephone number in the loaded shape", tel, u"(555) 123-4567", 2, u"0(555) 123-4567"},
        {"a half-typed SSN as saved", ssn, u"123-4_-____", 0, u"123-4_-____"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        services::MemoryPropertyBag bag;
        bag.set("Text", Variant(row.text));
        bag.set("FormatMask", Variant(row.format));
        Placed<> p(row.cls, false);
        p.box.ReadProperties(bag);
        EXPECT_EQ(p.text(), row.shown);
        for (const std::string& line : p.take()) EXPECT_EQ(line.find("changed"), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace norvtext
