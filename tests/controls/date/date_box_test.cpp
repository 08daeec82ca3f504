// The date box driven as a host and a user would: the eight shapes, the key filter, the
// check on leaving, Text and Value, FormatMask, and persistence, checked by the exact lines
// the host sees.
#include "norvtext/controls/date/date_box.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "norvtext/headless/memory_host.hpp"
#include "norvtext/services/memory_property_bag.hpp"
#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

using headless::MemoryForm;
using headless::MemoryHost;
using services::MemoryPropertyBag;
using Lines = std::vector<std::string>;

std::string utf8(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

DateSerial serial(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return *serial_from_parts(DateTimeParts{y, mo, d, h, mi, s});
}
DateSerial time_of_day(int h, int mi, int s = 0) { return DateSerial{(h * 3600 + mi * 60 + s) / 86400.0}; }

// A Variant as the script host prints it, so a failing row says what it got.
std::string show(const Variant& v) {
    if (v.type() == VariantType::Date) return "Date " + iso_text(v.to_date());
    if (v.type() == VariantType::Integer) return "Integer " + std::to_string(v.to_integer());
    if (v.is_string()) return "String " + utf8(v.string_ref());
    return std::string(type_name(v.type()));
}

const Variant december_5 = Variant(serial(2026, 12, 5, 13, 7, 9));

struct DateBoxTest : ::testing::Test {
    MemoryForm form;  // today is 2026-12-05
    MemoryHost host{form, "d1"};
    txtNorvDate box{host};

    DateBoxTest() { box.InitProperties(); }
    headless::SimulatedUser& user() { return *host.user(); }
    void type(std::u16string_view text) {
        for (char16_t c : text) user().type(c, 0, 0);
    }
    void escape() { user().press(27, 0, 27); }
    Lines take() {
        Lines out = std::move(form.transcript);
        form.transcript.clear();
        return out;
    }
    std::string text() const { return utf8(box.textbox().text()); }
    bool blinking() { return box.timer().enabled(); }
    void format(int row) { box.setFormatMask(static_cast<DateFormatEnum>(row)); }
    // A typed key's lines without the KeyDown and KeyUp that frame every key.
    Lines key_lines() {
        Lines out;
        for (std::string& l : take())
            if (l.find("KeyDown") == std::string::npos && l.find("KeyUp") == std::string::npos)
                out.push_back(std::move(l));
        return out;
    }
};

TEST_F(DateBoxTest, EachShapeHasItsMaskAndShowsADateInItsPattern) {
    struct Case {
        int row;
        const char* empty;
        const char* shown;
        DateSerial value;
    };
    const std::vector<Case> cases = {
        {0, "__/__/____", "12/05/2026", serial(2026, 12, 5)},
        {1, "___ __, ____", "Dec 05, 2026", serial(2026, 12, 5)},
        {2, "___ __, __", "Dec 05, 26", serial(2026, 12, 5)},
        {3, "__/__/____ __:__:__", "12/05/2026 13:07:09", serial(2026, 12, 5, 13, 7, 9)},
        {4, "__/__/____ __:__ __", "12/05/2026 01:07 PM", serial(2026, 12, 5, 13, 7)},
        {5, "__:__ __", "01:07 PM", time_of_day(13, 7)},
        {6, "__:__:__", "13:07:09", time_of_day(13, 7, 9)},
        // Month and year only: the value is the first of the month.
        {7, "__/__", "12/26", serial(2026, 12, 1)},
        // Outside the published values: stored as given, behaves as MMDDYYYY.
        {9, "__/__/____", "12/05/2026", serial(2026, 12, 5)},
        {-1, "__/__/____", "12/05/2026", serial(2026, 12, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("FormatMask " + std::to_string(c.row));
        box.setValue(Variant(u""));
        format(c.row);
        EXPECT_EQ(static_cast<int>(box.FormatMask()), c.row);
        EXPECT_EQ(text(), c.empty);
        box.setValue(december_5);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(utf8(box.Text()), c.shown);
        EXPECT_EQ(show(box.Value()), show(Variant(c.value)));
    }
}

TEST_F(DateBoxTest, KeyFilterAdmitsDigitsBackspaceAndTheLettersOfAmPm) {
    struct Case {
        const char* name;
        int row;
        const char16_t* before;  // typed first
        char16_t key;
        Lines lines;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"a digit is offered", 0, u"", u'1', {"d1: KeyPress 49", "d1: Change"}, "1_/__/____"},
        {"x is dropped unseen", 0, u"", u'x', {}, "__/__/____"},
        {"a blank is dropped", 0, u"1", u' ', {}, "1_/__/____"},
        {"the mask's own literal is dropped", 0, u"12", u'/', {}, "12/__/____"},
        {"lower p goes up as P", 5, u"0107", u'p', {"d1: KeyPress 80", "d1: Change"}, "01:07 P_"},
        {"lower m goes up as M", 5, u"0107P", u'm', {"d1: KeyPress 77", "d1: Change"}, "01:07 PM"},
        {"upper A stays", 5, u"0107", u'A', {"d1: KeyPress 65", "d1: Change"}, "01:07 A_"},
        {"a month's other letters are dropped", 1, u"", u'D', {}, "___ __, ____"},
        {"a letter the mask refuses is offered but not shown", 0, u"", u'a', {"d1: KeyPress 65"}, "__/__/____"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        format(c.row);
        box.setText(u"");
        box.textbox().set_sel_start(0);
        type(c.before);
        take();
        type(std::u16string(1, c.key));
        EXPECT_EQ(key_lines(), c.lines);
        EXPECT_EQ(text(), c.shown);
    }
}

TEST_F(DateBoxTest, TheHostsKeyPressValueReachesTheInnerBox) {
    host.key_press_override = std::int16_t{'9'};
    type(u"1");
    EXPECT_EQ(text(), "9_/__/____");
}

TEST_F(DateBoxTest, ReadOnlyDropsEveryTypedKeyButEscapeStillClears) {
    box.setText(u"12/05/2026");
    box.setReadOnly(true);
    box.textbox().set_sel_start(10);
    take();
    type(u"1");
    user().press(8, 0, 8);
    EXPECT_EQ(text(), "12/05/2026");
    EXPECT_EQ(key_lines(), Lines{});
    escape();
    EXPECT_EQ(text(), "__/__/____");
    EXPECT_EQ(take(), (Lines{"d1: KeyDown 27 0", "d1: Change", "d1: KeyUp 27 0"}));
}

TEST_F(DateBoxTest, EscapeClearsToTheEmptyTextOfTheShapeOnlyWhenAllowed) {
    format(5);
    box.setText(u"1:07 PM");
    take();
    box.setEscapeClear(false);
    escape();
    EXPECT_EQ(text(), "01:07 PM");
    box.setEscapeClear(true);
    take();
    escape();
    EXPECT_EQ(text(), "__:__ __");
    EXPECT_EQ(take(), (Lines{"d1: KeyDown 27 0", "d1: Change", "d1: KeyUp 27 0"}));
}

TEST_F(DateBoxTest, LeavingChecksTheEntry) {
    struct Case {
        const char* name;
        int row;
        bool blink_on_error;
        const char16_t* typed;
        bool invalid;
        const char* text_read;
    };
    const std::vector<Case> cases = {
        {"untouched MMDDYYYY", 0, true, u"", false, ""},
        {"untouched MMMDDYYYY", 1, true, u"", false, ""},
        {"untouched MMMDDYY", 2, true, u"", false, ""},
        {"untouched with time", 3, true, u"", false, ""},
        {"untouched with AM/PM", 4, true, u"", false, ""},
        {"untouched HHMM", 5, true, u"", false, ""},
        {"untouched HHMMSS", 6, true, u"", false, ""},
        {"untouched MMYY", 7, true, u"", false, ""},
        {"a whole date", 0, true, u"12052026", false, "12/05/2026"},
        {"half typed", 0, true, u"123", true, ""},
        {"month 13, day 45", 0, true, u"13452026", true, ""},
        {"February 30", 0, true, u"02302026", true, ""},
        {"date and time", 3, true, u"12052026130709", false, "12/05/2026 13:07:09"},
        {"time without seconds", 3, true, u"120520261307", true, ""},
        {"AM/PM typed", 4, true, u"120520260107PM", false, "12/05/2026 01:07 PM"},
        {"AM/PM left open", 4, true, u"120520260107", true, ""},
        {"a time", 5, true, u"1159AM", false, "11:59 AM"},
        {"hour 25", 6, true, u"250000", true, ""},
        {"minute 60", 6, true, u"126000", true, ""},
        {"month and year", 7, true, u"0530", false, "05/30"},
        {"month 13 of a year", 7, true, u"1330", true, ""},
        {"invalid without blinking", 0, false, u"1", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        format(c.row);
        box.setBlinkOnError(c.blink_on_error);
        box.setValue(Variant(std::int16_t{0}));
        user().got_focus();
        type(c.typed);
        take();
        user().lost_focus();
        EXPECT_EQ(take(), c.invalid ? Lines{"d1: Validate"} : Lines{});
        EXPECT_EQ(blinking(), c.invalid && c.blink_on_error);
        // The selection collapses; a blink puts the caret at the start for flashing.
        EXPECT_EQ(box.textbox().sel_length(), 0);
        if (blinking()) {
            EXPECT_EQ(box.textbox().sel_start(), 0);
        }
        EXPECT_EQ(utf8(box.Text()), c.text_read);
        if (c.invalid) {
            EXPECT_EQ(show(box.Value()), "Integer 0");
        }
    }
}

TEST_F(DateBoxTest, ABlinkingBoxStopsWhenTheUserComesBack) {
    type(u"1");
    user().lost_focus();
    ASSERT_TRUE(blinking());
    user().got_focus();
    EXPECT_FALSE(blinking());
    EXPECT_EQ(box.textbox().sel_start(), 0);
    EXPECT_EQ(box.textbox().sel_length(), 10);
}

TEST_F(DateBoxTest, WritingText) {
    struct Case {
        const char* name;
        int row;
        bool blink_on_error;
        bool blinking_before;
        const char16_t* input;
        const char* shown;
        bool blinking_after;
    };
    const std::vector<Case> cases = {
        {"a date in another form", 0, true, false, u"December 5, 2026", "12/05/2026", false},
        {"the time part disappears", 0, true, false, u"12/05/2026 13:07:09", "12/05/2026", false},
        {"the date part disappears", 5, true, false, u"12/05/2026 13:07:09", "01:07 PM", false},
        {"a date stops a blink", 1, true, true, u"2026-12-05", "Dec 05, 2026", false},
        {"no date clears and blinks", 0, true, false, u"hello", "__/__/____", true},
        {"a half-typed text is no date", 0, true, false, u"12/__/2026", "__/__/____", true},
        {"no date without BlinkOnError leaves the blink off", 0, false, false, u"hello", "__/__/____", false},
        {"no date without BlinkOnError leaves a blink on", 0, false, true, u"hello", "__/__/____", true},
        {"empty clears quietly", 0, true, false, u"", "__/__/____", false},
        {"empty leaves a blink on", 0, true, true, u"", "__/__/____", true},
        // MMYY reads its own shape as month and year, not as a day of this year.
        {"own shape is month and year", 7, true, false, u"05/30", "05/30", false},
        {"other forms follow the general reading", 7, true, false, u"5/30", "05/26", false},
        {"month 13 in the own shape", 7, true, false, u"13/30", "__/__", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        format(c.row);
        box.setBlinkOnError(c.blink_on_error);
        box.setBlink(c.blinking_before);
        take();
        box.setText(c.input);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(blinking(), c.blinking_after);
        const Lines lines = take();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "d1: changed Text");
        EXPECT_EQ(box.textbox().sel_length(), 0);
    }
}

TEST_F(DateBoxTest, WritingValue) {
    struct Case {
        const char* name;
        Variant input;
        bool blink_on_error;
        const char* shown;
        bool blinking_after;
    };
    const std::vector<Case> cases = {
        {"a Date", december_5, true, "12/05/2026", false},
        {"a text that is a date", Variant(u"12/5/2026"), true, "12/05/2026", false},
        {"Integer 0 clears quietly", Variant(std::int16_t{0}), true, "__/__/____", false},
        {"Empty clears quietly", Variant(), true, "__/__/____", false},
        {"Null clears quietly", Variant::null(), true, "__/__/____", false},
        {"a text reading as zero", Variant(u" 0.00 "), true, "__/__/____", false},
        {"Double 0", Variant(0.0), true, "__/__/____", false},
        {"a number clears and blinks", Variant(std::int16_t{5}), true, "__/__/____", true},
        {"True is not zero", Variant(true), true, "__/__/____", true},
        {"a text that is no number blinks, no error", Variant(u"hello"), true, "__/__/____", true},
        {"without BlinkOnError nothing blinks", Variant(std::int16_t{5}), false, "__/__/____", false},
        {"an object is no date", Variant(std::make_shared<Font>()), true, "__/__/____", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box.setBlinkOnError(c.blink_on_error);
        box.setText(u"01/01/2000");
        box.setBlink(true);  // every quiet outcome must stop it
        take();
        box.setValue(c.input);
        EXPECT_EQ(text(), c.shown);
        EXPECT_EQ(blinking(), c.blinking_after);
        const Lines lines = take();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "d1: changed Value");
        // Reading never gives Empty or Null.
        if (c.input.type() != VariantType::Date && !c.input.is_string()) {
            EXPECT_EQ(show(box.Value()), "Integer 0");
        }
    }
}

TEST_F(DateBoxTest, ChangingTheShapeOnlyReplacesTheMask) {
    box.setText(u"12/05/2026");
    take();
    format(6);
    // The inner box keeps what fits; the box writes no text of its own.
    EXPECT_EQ(text(), "12:05:20");
    EXPECT_EQ(take(), (Lines{"d1: Change", "d1: changed FormatMask"}));
    box.setValue(december_5);
    EXPECT_EQ(text(), "13:07:09");
    box.put("FormatMask", Variant(std::int16_t{9}));
    EXPECT_TRUE(box.get("FormatMask") == Variant(std::int32_t{9}));
    EXPECT_EQ(utf8(box.textbox().text()).size(), 10u);
}

TEST_F(DateBoxTest, AppearanceIsAnnounced) {
    box.put("Appearance", Variant(std::int16_t{0}));
    EXPECT_EQ(take(), (Lines{"d1: changed Appearance"}));
    EXPECT_TRUE(box.get("Appearance") == Variant(std::int32_t{0}));
}

TEST_F(DateBoxTest, AShownTextTheMaskRefusesIsAnErrorForTheCaller) {
    // A four-letter abbreviation does not fit "???".
    form.locale.month_abbreviations[8] = u"Sept";
    format(1);
    box.setText(u"Dec 05, 2026");
    take();
    try {
        box.setText(u"09/05/2026");
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_EQ(text(), "Dec 05, 2026");
    EXPECT_EQ(take(), Lines{});
}

TEST_F(DateBoxTest, ALocalesLettersFitTheMonthPositions) {
    form.locale.month_abbreviations[2] = u"M\u00e4r";
    form.locale.months[2] = u"M\u00e4rz";
    format(1);
    box.setText(u"03/05/2026");
    EXPECT_TRUE(box.textbox().text() == u"M\u00e4r 05, 2026");
    EXPECT_EQ(show(box.Value()), show(Variant(serial(2026, 3, 5))));
}

// --- persistence -----------------------------------------------------------------------

TEST_F(DateBoxTest, FirstPlacementSetsTheDefaultsAndLeavesTheTextAlone) {
    MemoryHost other_host{form, "d2"};
    txtNorvDate other{other_host};
    other.setFormatMask(DateFormatEnum::HHMM);
    other.setBlinkOnError(false);
    other.setFocusSelect(false);
    take();
    other.InitProperties();
    EXPECT_EQ(take(), (Lines{"d2: Change"}));  // the mask changes back, nothing is announced
    EXPECT_EQ(utf8(other.textbox().text()), "__/__/____");
    EXPECT_EQ(other.FormatMask(), DateFormatEnum::MMDDYYYY);
    EXPECT_TRUE(other.BlinkOnError());
    EXPECT_TRUE(other.FocusSelect());
    EXPECT_TRUE(other.EscapeClear());
    EXPECT_FALSE(other.ReadOnly());
    EXPECT_FALSE(other.Blink());
    EXPECT_TRUE(other.stored_value() == Variant(u"__/__/____"));
}

TEST_F(DateBoxTest, SavingWritesTheKeysInOrder) {
    MemoryPropertyBag bag;
    Lines writes;
    bag.on_write = [&](std::string_view key, const Variant& v, const std::optional<Variant>& d) {
        writes.push_back(std::string(key) + " " + show(v) + " / " + (d ? show(*d) : "none"));
    };
    box.setText(u"12/05/2026");
    box.WriteProperties(bag);
    const Lines expected = {
        "BackColor Long / Long", "Enabled Boolean / Boolean", "Font Font / Font", "MouseIcon Nothing / Nothing",
        "MousePointer Long / Long", "FocusSelect Boolean / Boolean", "EscapeClear Boolean / Boolean",
        "Text String 12/05/2026 / String Krovint", "ForeColor Long / Long", "SelLength Long / Long",
        "SelStart Long / Long", "SelText String  / String ", "BackColor Long / Long", "BorderStyle Long / Long",
        "Enabled Boolean / Boolean", "ForeColor Long / Long", "HideSelection Boolean / Boolean",
        "hWnd Long / Long", "MousePointer Long / Long", "OLEDragMode Long / Long", "OLEDropMode Long / Long",
        "PromptChar String _ / String _", "ToolTipText String  / String ",
        "Value String __/__/____ / String __/__/____", "FormatMask Long / Long", "Blink Boolean / Boolean",
        "BlinkOnError Boolean / Boolean", "ReadOnly Boolean / Boolean", "Appearance Integer 1 / Integer 1",
    };
    EXPECT_EQ(writes, expected);
    // Defaults are left out: the shown text, the window handle and HideSelection stay.
    Lines kept;
    for (const auto& e : bag.entries()) kept.push_back(e.key);
    EXPECT_EQ(kept, (Lines{"Text", "HideSelection", "hWnd"}));
}

TEST_F(DateBoxTest, LoadingReadsTheKeysInOrderAndAnnouncesFontAndMouseIcon) {
    MemoryPropertyBag bag;
    Lines reads;
    bag.on_read = [&](std::string_view key, const Variant&) { reads.emplace_back(key); };
    bag.set("Text", Variant(u"12/05/2026"));
    bag.set("FormatMask", Variant(std::int16_t{1}));
    bag.set("hWnd", Variant(std::int32_t{99}));
    bag.set("HideSelection", Variant(false));
    take();
    box.ReadProperties(bag);
    const Lines expected = {
        "BackColor", "Font", "MouseIcon", "MousePointer", "FocusSelect", "EscapeClear", "Enabled", "ForeColor",
        "Enabled", "Text", "SelLength", "SelStart", "SelText", "Font", "BackColor", "BorderStyle", "Enabled",
        "ForeColor", "MouseIcon", "MousePointer", "OLEDragMode", "OLEDropMode", "PromptChar", "ToolTipText",
        "Value", "FormatMask", "Blink", "BlinkOnError", "ReadOnly", "Appearance",
    };
    EXPECT_EQ(reads, expected);
    EXPECT_EQ(take(), (Lines{"d1: changed Font", "d1: changed MouseIcon", "d1: changed Font",
                             "d1: changed MouseIcon", "d1: Change", "d1: Change"}));
    EXPECT_EQ(text(), "Dec 05, 2026");
    EXPECT_NE(box.hWnd(), 99);
}

TEST_F(DateBoxTest, LoadingShowsTheStoredTextInTheStoredShape) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, Variant>> keys;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"a date in another shape", {{"Text", Variant(u"12/05/2026")}, {"FormatMask", Variant(std::int16_t{1})}},
         "Dec 05, 2026"},
        {"date and time into a time shape",
         {{"Text", Variant(u"12/05/2026 13:07:09")}, {"FormatMask", Variant(std::int16_t{6})}}, "13:07:09"},
        {"no Text key", {{"FormatMask", Variant(std::int16_t{5})}}, "__:__ __"},
        {"the empty text", {{"Text", Variant(u"__/__/____")}}, "__/__/____"},
        {"a partial text is not kept", {{"Text", Variant(u"12/__/2026")}}, "__/__/____"},
        {"a number is no date", {{"Text", Variant(std::int16_t{5})}}, "__/__/____"},
        {"a Date value", {{"Text", december_5}}, "12/05/2026"},
        {"MMYY keeps its year", {{"Text", Variant(u"05/30")}, {"FormatMask", Variant(std::int16_t{7})}}, "05/30"},
        {"a shape out of range", {{"Text", Variant(u"12/05/2026")}, {"FormatMask", Variant(std::int32_t{-3})}},
         "12/05/2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPropertyBag bag;
        for (const auto& [key, value] : c.keys) bag.set(key, value);
        MemoryHost h{form, "d2"};
        txtNorvDate loaded{h};
        loaded.ReadProperties(bag);
        EXPECT_EQ(utf8(loaded.textbox().text()), c.shown);
    }
}

TEST_F(DateBoxTest, EveryShapeSurvivesASaveAndLoad) {
    for (int row = 0; row <= 7; ++row) {
        SCOPED_TRACE("FormatMask " + std::to_string(row));
        format(row);
        box.setValue(december_5);
        box.setBlinkOnError(row % 2 == 0);
        box.setReadOnly(row % 3 == 0);
        box.put("Appearance", Variant(std::int16_t{0}));
        MemoryPropertyBag bag;
        bag.begin_save();
        box.WriteProperties(bag);
        MemoryHost h{form, "d2"};
        txtNorvDate loaded{h};
        loaded.ReadProperties(bag);
        EXPECT_EQ(utf8(loaded.textbox().text()), text());
        EXPECT_EQ(loaded.FormatMask(), box.FormatMask());
        EXPECT_EQ(loaded.BlinkOnError(), box.BlinkOnError());
        EXPECT_EQ(loaded.ReadOnly(), box.ReadOnly());
        EXPECT_EQ(show(loaded.Value()), show(box.Value()));
        EXPECT_EQ(loaded.Appearance(), 0);
    }
}

TEST_F(DateBoxTest, AppearanceIsKeptAndABagWithoutItLoadsAsBefore) {
    MemoryPropertyBag bag;
    bag.set("Text", Variant(u"12/05/2026"));
    box.put("Appearance", Variant(std::int16_t{0}));
    box.ReadProperties(bag);
    EXPECT_EQ(box.Appearance(), 1);
    box.put("Appearance", Variant(std::int16_t{0}));
    bag.begin_save();
    box.WriteProperties(bag);
    ASSERT_TRUE(bag.find("Appearance").has_value());
    EXPECT_TRUE(*bag.find("Appearance") == Variant(std::int16_t{0}));
    EXPECT_EQ(bag.entries().back().key, "Appearance");
}

TEST_F(DateBoxTest, NonsenseInTheBagIsAnErrorOrAPlainResultNeverABrokenBox) {
    struct Case {
        const char* name;
        const char* key;
        Variant value;
        int error;  // 0: loads
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"Text a Font", "Text", Variant(std::make_shared<Font>()), 13, "__/__/____"},
        {"Text Null", "Text", Variant::null(), 94, "__/__/____"},
        {"Text too long to be a date", "Text", Variant(std::u16string(5000, u'1')), 0, "__/__/____"},
        {"FormatMask a word", "FormatMask", Variant(u"abc"), 13, "__/__/____"},
        {"FormatMask too big", "FormatMask", Variant(1e12), 6, "__/__/____"},
        {"FormatMask huge but a Long", "FormatMask", Variant(std::int32_t{70000}), 0, "__/__/____"},
        {"PromptChar empty", "PromptChar", Variant(u""), 380, "__/__/____"},
        {"PromptChar two characters", "PromptChar", Variant(u"**"), 380, "__/__/____"},
        {"PromptChar a digit", "PromptChar", Variant(std::int16_t{5}), 380, "__/__/____"},
        {"PromptChar another prompt", "PromptChar", Variant(u"*"), 0, "**/**/****"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPropertyBag bag;
        bag.set(c.key, c.value);
        MemoryHost h{form, "d2"};
        txtNorvDate loaded{h};
        loaded.InitProperties();
        int error = 0;
        try {
            loaded.ReadProperties(bag);
        } catch (const Error& e) {
            error = e.number();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(utf8(loaded.textbox().text()), c.shown);
        // Still a working box: it takes a date, clears, checks on leaving.
        h.user()->got_focus();
        h.user()->lost_focus();
        EXPECT_FALSE(loaded.Blink()) << "an untouched box is no error";
        h.user()->press(27, 0, 27);
        EXPECT_EQ(utf8(loaded.textbox().text()), c.shown);
        loaded.setText(u"12/05/2026");
        EXPECT_EQ(utf8(loaded.Text()), "12/05/2026");
        loaded.setValue(Variant(std::int16_t{0}));
        EXPECT_EQ(utf8(loaded.textbox().text()), c.shown);
    }
}

TEST_F(DateBoxTest, ABagFailureStopsTheLoadAtTheFailingKey) {
    MemoryPropertyBag bag;
    bag.set("FormatMask", Variant(std::int16_t{5}));
    bag.set("ReadOnly", Variant(true));
    bag.fail_at_read(26);  // "FormatMask"
    EXPECT_THROW(box.ReadProperties(bag), Error);
    EXPECT_EQ(box.FormatMask(), DateFormatEnum::MMDDYYYY);
    EXPECT_FALSE(box.ReadOnly());
    EXPECT_EQ(text(), "__/__/____");
}

}  // namespace
}  // namespace norvtext
