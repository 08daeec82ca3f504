// What the currency and percent boxes do alike, run against both: the keystroke filter, the
// MaxChars and Value writers, leaving and coming back, the 16-bit drag and drop modes, first
// placement and the loading rules, checked by the exact lines the host sees.
#include <gtest/gtest.h>

#include <optional>

#include "norvtext/controls/currency/currency_box.hpp"
#include "norvtext/controls/percent/percent_box.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/services/memory_property_bag.hpp"
#include "tests/controls/numeric_box_harness.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

using headless::MemoryForm;
using headless::MemoryHost;
using services::MemoryPropertyBag;
using Lines = std::vector<std::string>;

using testing::narrow;

// What differs between the two boxes in these tests: their shown texts.
template <class Box>
struct Shown;
template <>
struct Shown<txtNorvCurrency> {
    static constexpr std::u16string_view zero = u"$0.00";
    static constexpr std::u16string_view seven = u"$7.00";
    static constexpr std::u16string_view big = u"$123,456.00";
    static constexpr std::u16string_view de_twelve_and_a_half = u"$12,50";
};
template <>
struct Shown<txtNorvPercent> {
    static constexpr std::u16string_view zero = u"0.00%";
    static constexpr std::u16string_view seven = u"7.00%";
    static constexpr std::u16string_view big = u"123456.00%";
    static constexpr std::u16string_view de_twelve_and_a_half = u"12,50%";
};

template <class Box>
struct NumericBoxTest : ::testing::Test, testing::NumericBoxHarness<Box> {
    NumericBoxTest() : testing::NumericBoxHarness<Box>("n1") {}
    int error_number(auto&& action) {
        try {
            action();
        } catch (const Error& e) {
            return e.number();
        }
        return 0;
    }
};

using Boxes = ::testing::Types<txtNorvCurrency, txtNorvPercent>;
TYPED_TEST_SUITE(NumericBoxTest, Boxes);

TYPED_TEST(NumericBoxTest, TypingPassesTheFilterInItsFixedOrder) {
    struct Case {
        const char* name;
        bool read_only;
        std::int16_t max_chars;
        std::u16string start;
        std::int32_t sel_start, sel_length;
        char16_t key;
        std::optional<std::int16_t> host_sets;
        std::u16string expected;
        Lines lines;  // between KeyDown and KeyUp
    };
    const std::vector<Case> cases = {
        {"digit offered", false, 0, u"", 0, 0, u'7', {}, u"7", {"n1: KeyPress 55", "n1: Change"}},
        {"point offered", false, 0, u"1", 1, 0, u'.', {}, u"1.", {"n1: KeyPress 46", "n1: Change"}},
        {"minus offered anywhere", false, 0, u"12", 1, 0, u'-', {}, u"1-2", {"n1: KeyPress 45", "n1: Change"}},
        {"second point offered", false, 0, u"1.5", 3, 0, u'.', {}, u"1.5.", {"n1: KeyPress 46", "n1: Change"}},
        {"letter swallowed quietly", false, 0, u"1", 1, 0, u'a', {}, u"1", {}},
        {"dollar swallowed", false, 0, u"1", 1, 0, u'$', {}, u"1", {}},
        {"grouping comma swallowed", false, 0, u"1", 1, 0, u',', {}, u"1", {}},
        {"plus swallowed", false, 0, u"1", 1, 0, u'+', {}, u"1", {}},
        {"percent swallowed", false, 0, u"1", 1, 0, u'%', {}, u"1", {}},
        {"blank swallowed", false, 0, u"1", 1, 0, u' ', {}, u"1", {}},
        {"Enter never reaches the host", false, 0, u"1", 1, 0, u'\r', {}, u"1", {}},
        {"Ctrl+A never reaches the host", false, 0, u"1", 1, 0, u'\x01', {}, u"1", {}},
        {"Backspace edits without an event", false, 0, u"12", 2, 0, u'\b', {}, u"1", {"n1: Change"}},
        {"read-only swallows digits", true, 0, u"12", 2, 0, u'3', {}, u"12", {}},
        {"read-only swallows Backspace", true, 0, u"12", 2, 0, u'\b', {}, u"12", {}},
        {"limit beeps", false, 4, u"1234", 4, 0, u'5', {}, u"1234", {"beep"}},
        {"limit beeps before the class test", false, 4, u"1234", 4, 0, u'a', {}, u"1234", {"beep"}},
        {"limit lets a selection be replaced", false, 4, u"1234", 2, 2, u'5', {}, u"125",
         {"n1: KeyPress 53", "n1: Change"}},
        {"limit lets Backspace through", false, 4, u"1234", 4, 0, u'\b', {}, u"123", {"n1: Change"}},
        {"negative limit is none", false, -1, u"1234", 4, 0, u'5', {}, u"12345", {"n1: KeyPress 53", "n1: Change"}},
        {"host's letter goes in unchecked", false, 0, u"", 0, 0, u'1', std::int16_t{'x'}, u"x",
         {"n1: KeyPress 49", "n1: Change"}},
        {"host's zero drops the key", false, 0, u"", 0, 0, u'1', std::int16_t{0}, u"", {"n1: KeyPress 49"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        this->box.setReadOnly(c.read_only);
        this->box.setMaxChars(c.max_chars);
        this->put_text(c.start);
        this->box.textbox().set_sel_start(c.sel_start);
        this->box.textbox().set_sel_length(c.sel_length);
        this->host.key_press_override = c.host_sets;
        this->take();
        this->key(c.key);
        EXPECT_EQ(this->text(), c.expected);
        Lines lines = this->take();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines.front(), "n1: KeyDown 0 0");
        EXPECT_EQ(lines.back(), "n1: KeyUp 0 0");
        EXPECT_EQ(Lines(lines.begin() + 1, lines.end() - 1), c.lines);
    }
}

TYPED_TEST(NumericBoxTest, TheLocalesDecimalSymbolCanBeTyped) {
    MemoryForm form;
    form.locale = Locale::from_name("de_DE");
    MemoryHost host{form, "d1"};
    TypeParam box{host};
    box.InitProperties();
    host.user()->got_focus();  // the zero display becomes "0", all selected
    for (char16_t c : std::u16string_view(u"12,5")) host.user()->press(0, 0, static_cast<std::int16_t>(c));
    EXPECT_EQ(std::u16string(box.textbox().text()), u"12,5");
    host.user()->lost_focus();
    EXPECT_EQ(std::u16string(box.textbox().text()), Shown<TypeParam>::de_twelve_and_a_half);
    EXPECT_EQ(box.Value(), u"12,5");

    // In en-US the comma is a grouping symbol and cannot be typed.
    this->put_text(u"12");
    this->box.textbox().set_sel_start(2);
    this->key(u',');
    EXPECT_EQ(this->text(), u"12");
}

TYPED_TEST(NumericBoxTest, LeavingANonNumberBlinksWhateverBlinkOnErrorSays) {
    this->box.setBlinkOnError(false);
    this->user().got_focus();
    for (char16_t c : std::u16string_view(u"1.2.3")) this->key(c);  // replaces the selected "0"
    this->take();
    this->user().lost_focus();
    EXPECT_EQ(this->text(), u"1.2.3");
    EXPECT_TRUE(this->box.Blink());
    EXPECT_EQ(this->box.SelStart(), 0);
    EXPECT_EQ(this->take(), Lines{}) << "nothing is reported to the host";
    EXPECT_EQ(this->box.Value(), u"0");
    EXPECT_EQ(this->box.Text(), Shown<TypeParam>::zero);

    std::vector<std::int32_t> seen;
    for (int i = 0; i < 3; ++i) {
        this->host.manual_timer()->advance(500);
        seen.push_back(this->box.SelLength());
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{5, 0, 5}));

    // Coming back stops the blink and leaves the text as typed.
    this->user().got_focus();
    EXPECT_FALSE(this->box.Blink());
    EXPECT_EQ(this->text(), u"1.2.3");
    EXPECT_EQ(this->box.SelLength(), 5);

    this->key(u'\b');  // the selection goes: an empty box
    this->user().lost_focus();
    EXPECT_TRUE(this->box.Blink()) << "an empty box is no number";
}

TYPED_TEST(NumericBoxTest, FocusSelectFalsePutsTheCaretAtTheStart) {
    this->box.setFocusSelect(false);
    this->put_text(u"1.2.3");
    this->box.textbox().set_sel_start(5);
    this->user().got_focus();
    EXPECT_EQ(this->box.SelStart(), 0);
    EXPECT_EQ(this->box.SelLength(), 0);
}

TYPED_TEST(NumericBoxTest, MaxCharsJudgesTheTextAsLeavingDoesAndNeverCutsIt) {
    struct Case {
        std::u16string start;
        std::u16string expected;
        bool blink;
        Lines lines;
    };
    const std::vector<Case> cases = {
        {u"7", std::u16string(Shown<TypeParam>::seven), false, {"n1: Change", "n1: changed MaxChars"}},
        {u"123456", std::u16string(Shown<TypeParam>::big), false, {"n1: Change", "n1: changed MaxChars"}},
        {u"", u"", true, {"n1: changed MaxChars"}},
        {u"abc", u"abc", true, {"n1: changed MaxChars"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.start));
        this->box.setBlink(false);
        this->put_text(c.start);
        this->take();
        this->box.setMaxChars(2);
        EXPECT_EQ(this->text(), c.expected);
        EXPECT_EQ(this->box.Blink(), c.blink);
        EXPECT_EQ(this->box.MaxChars(), 2);
        EXPECT_EQ(this->take(), c.lines);
    }
}

TYPED_TEST(NumericBoxTest, ValueWriterShowsTheNumberOrTheZeroDisplayAndAnnouncesOnlySuccess) {
    struct Case {
        std::u16string value;
        bool blink_on_error;
        bool blinking_before;
        std::u16string expected;
        bool blink_after;
        Lines lines;
    };
    const std::u16string zero(Shown<TypeParam>::zero);
    const std::vector<Case> cases = {
        {u"7", true, true, std::u16string(Shown<TypeParam>::seven), false, {"n1: Change", "n1: changed Value"}},
        {u"0", true, false, zero, false, {"n1: Change", "n1: changed Value"}},
        {u"abc", true, false, zero, true, {"n1: Change"}},
        {u"", true, false, zero, true, {"n1: Change"}},
        {u"abc", false, false, zero, false, {"n1: Change"}},
        {u"abc", false, true, zero, true, {"n1: Change"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.value) + (c.blink_on_error ? " blink on error" : " quiet"));
        this->box.setBlinkOnError(c.blink_on_error);
        this->put_text(u"12");
        this->box.setBlink(c.blinking_before);
        this->take();
        this->box.setValue(c.value);
        EXPECT_EQ(this->text(), c.expected);
        EXPECT_EQ(this->box.Blink(), c.blink_after);
        EXPECT_EQ(this->take(), c.lines);
    }
}

TYPED_TEST(NumericBoxTest, DragAndDropModesAreSixteenBitNumbers) {
    struct Case {
        const char* member;
        std::int32_t value;
        int error;
    };
    const Case cases[] = {
        {"OLEDragMode", 70000, 6},  {"OLEDropMode", 70000, 6}, {"OLEDragMode", -32769, 6},
        {"OLEDropMode", 32768, 6},  {"OLEDragMode", 32767, 0}, {"OLEDropMode", -32768, 0},
        {"OLEDragMode", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.member) + " " + std::to_string(c.value));
        this->box.put(c.member, Variant(std::int32_t{0}));
        this->take();
        EXPECT_EQ(this->error_number([&] { this->box.put(c.member, Variant(c.value)); }), c.error);
        EXPECT_EQ(this->box.get(c.member), Variant(c.error ? 0 : c.value));
        EXPECT_EQ(this->take(), c.error ? Lines{} : Lines{"n1: changed " + std::string(c.member)});
    }
}

TYPED_TEST(NumericBoxTest, SelTextGoesInUnfilteredAndIsJudgedOnLeaving) {
    this->box.textbox().set_sel_length(static_cast<std::int32_t>(this->text().size()));
    this->take();
    this->box.put("SelText", Variant(u"ab%"));
    EXPECT_EQ(this->text(), u"ab%");
    EXPECT_EQ(this->take(), (Lines{"n1: Change", "n1: changed SelText"}));
    this->user().lost_focus();
    EXPECT_TRUE(this->box.Blink());
}

TYPED_TEST(NumericBoxTest, EscapeClearsTheBoxOnRelease) {
    this->put_text(u"12");
    this->take();
    this->user().press(27, 0, 27);
    EXPECT_EQ(this->text(), u"");
    // Escape is a control character: it is swallowed, never offered as KeyPress.
    EXPECT_EQ(this->take(), (Lines{"n1: KeyDown 27 0", "n1: Change", "n1: KeyUp 27 0"}));
}

TYPED_TEST(NumericBoxTest, FirstPlacementAndAnEmptyBagGiveTheSameBox) {
    MemoryPropertyBag empty;
    MemoryHost host2{this->form, "n2"};
    TypeParam loaded{host2};
    loaded.ReadProperties(empty);
    for (TypeParam* b : {&this->box, &loaded}) {
        EXPECT_EQ(std::u16string(b->textbox().text()), Shown<TypeParam>::zero);
        EXPECT_EQ(b->stored_text(), Shown<TypeParam>::zero);
        EXPECT_EQ(b->MaxChars(), 0);
        EXPECT_TRUE(b->FocusSelect());
        EXPECT_TRUE(b->EscapeClear());
        EXPECT_TRUE(b->BlinkOnError());
        EXPECT_FALSE(b->ReadOnly());
        EXPECT_FALSE(b->Blink());
        EXPECT_EQ(b->BackColor(), system_window_background);
        EXPECT_EQ(b->ForeColor(), system_window_text);
    }
}

TYPED_TEST(NumericBoxTest, LoadedTextIsShownAsStoredAndJudgedOnlyOnLeaving) {
    MemoryPropertyBag bag;
    bag.set("Text", Variant(u"abc"));
    bag.set("SelText", Variant(u"zz"));
    bag.set("Blink", Variant(true));
    bag.set("MaxChars", Variant(std::int16_t{-3}));
    this->box.ReadProperties(bag);
    EXPECT_EQ(this->text(), u"abc") << "a stored SelText never survives the second Text";
    EXPECT_TRUE(this->box.Blink());
    EXPECT_EQ(this->box.MaxChars(), -3);
    this->user().got_focus();
    EXPECT_FALSE(this->box.Blink());
    this->user().lost_focus();
    EXPECT_TRUE(this->box.Blink());
}

TYPED_TEST(NumericBoxTest, NothingAssignedIsLostOnSave) {
    // A box loaded with one amount and then given another through Value or Text saves the
    // one it shows, not the stale loaded text.
    for (const bool through_text : {false, true}) {
        SCOPED_TRACE(through_text ? "Text" : "Value");
        MemoryPropertyBag bag;
        bag.set("Text", Variant(u"12"));
        this->box.ReadProperties(bag);
        EXPECT_EQ(this->text(), u"12");
        through_text ? this->box.setText(u"7") : this->box.setValue(u"7");
        bag.begin_save();
        this->box.WriteProperties(bag);

        MemoryHost host2{this->form, "n2"};
        TypeParam loaded{host2};
        loaded.ReadProperties(bag);
        EXPECT_EQ(std::u16string(loaded.textbox().text()), Shown<TypeParam>::seven);
    }
}

TYPED_TEST(NumericBoxTest, AStoredDragModeBeyondSixteenBitsFailsTheLoad) {
    // Refused as the writer would refuse it: the box never holds a mode it could not save.
    MemoryPropertyBag bag;
    bag.set("OLEDragMode", Variant(std::int32_t{70000}));
    EXPECT_EQ(this->error_number([&] { this->box.ReadProperties(bag); }), 6);
}

}  // namespace
}  // namespace norvtext
