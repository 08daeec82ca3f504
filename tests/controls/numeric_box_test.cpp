// The currency and percent boxes side by side: what leaving and coming back make of a typed
// number, the typing limit, the Value, Text and MaxChars writers, the 16-bit drag and drop
// modes, and what a save keeps. What every control does alike is tested in
// every_control_test.cpp.
#include "tests/support/harness.hpp"

namespace norvtext {
namespace {

using namespace testing;

constexpr const char* cur = "txtNorvCurrency";
constexpr const char* pct = "txtNorvPercent";
constexpr const char* classes[] = {cur, pct};

std::u16string value_of(Placed<>& p) { return p.box.get("Value").to_string(); }

TEST(NumericBoxes, TypingLeavingAndComingBack) {
    // Leaving shows a number in the box's display form, or leaves anything else as typed
    // and blinks, whatever BlinkOnError says. Coming back gives the text to edit; Value
    // reads the same number shown or edited. A column left null is not checked. A half
    // assigned to Value rounds away from zero in the tour's transcript.
    struct Seen { const char16_t* shown; const char16_t* value; const char16_t* editing; };
    struct Row { const char* rule; std::u16string typed; Seen seen[2]; bool german = false; };
    const Row rows[] = {
        {"below one, no leading zero", u"0.5", {{u"$.50", u"0.5", u"0.5"}, {u".50%", u"0.5", u".50"}}},
        {"negative", u"-12", {{u"-$12.00", u"-12", u"-12"}, {u"-12.00%", u"-12", u"-12.00"}}},
        {"a half as typed, not as stored", u"2.675", {{u"$2.68", u"2.68", u"2.68"}, {u"2.68%", u"2.68", u"2.68"}}},
        {"only rounds to zero", u"0.001", {{u"$.00", u"0", u"0"}, {u".00%", u"0", u".00"}}},
        {"zero is the zero display", u"0", {{u"$0.00", u"0", u"0"}, {u"0.00%", u"0", u"0.00"}}},
        {"an amount keeps four decimals", u"0.00001", {{u"$0.00", u"0", u"0"}, {u".00%", u"0", u".00"}}},
        {"an amount out of range stays and blinks", u"922337203685477.5808",
         {{u"922337203685477.5808", u"0", u""}, {}}},
        {"a lone minus", u"-", {{u"-", u"0", u"-"}, {u"-", u"0", u"-"}}},
        {"an empty box is no number", u"", {{u"", u"0", u""}, {u"", u"0", u""}}},
        {"only 0-9 . - typed", u"1a$,+% 2", {{u"$12.00", u"12", u"12"}, {u"12.00%", u"12", u"12.00"}}},
        {"the locale's decimal symbol can be typed", u"1234,5",
         {{u"$1.234,50", u"1234,5", u"1234,5"}, {u"1234,50%", u"1234,5", u"1234,50"}}, true},
    };
    for (const Row& row : rows) {
        for (int k = 0; k < 2; ++k) {
            const Seen& seen = row.seen[k];
            if (!seen.shown) continue;
            SCOPED_TRACE(std::string(classes[k]) + ": " + row.rule);
            Placed<> p(classes[k]);
            if (row.german) p.form.locale = Locale::from_name("de_DE");
            p.box.put("BlinkOnError", Variant(false));
            const Lines left = p.enter(u"\b" + row.typed);
            EXPECT_EQ(p.text(), seen.shown);
            const bool blinks = p.text() == row.typed;
            EXPECT_EQ(p.blinking(), blinks);
            EXPECT_EQ(left, blinks ? Lines{} : Lines{"b1: Change"}) << "a blink is reported to no one";
            EXPECT_EQ(p.box.SelStart(), 0);
            EXPECT_EQ(value_of(p), seen.value);
            p.user().got_focus();
            EXPECT_FALSE(p.blinking());
            EXPECT_EQ(p.text(), seen.editing);
            EXPECT_EQ(value_of(p), seen.value);
        }
    }
}

TEST(NumericBoxes, TheTypingFilterAndLimit) {
    // lines: what the host sees between KeyDown and KeyUp.
    struct Row { const char* rule; std::int16_t max_chars; std::u16string start; std::int32_t sel_start, sel_length;
        char16_t key; std::u16string after; Lines lines; const char16_t* value = nullptr; };
    const Row rows[] = {
        {"at the limit a key beeps", 4, u"1234", 4, 0, u'5', u"1234", {"beep"}},
        {"the limit comes before the class test", 4, u"1234", 4, 0, u'a', u"1234", {"beep"}},
        {"one below the limit a key goes in", 4, u"123", 3, 0, u'4', u"1234", {"b1: KeyPress 52", "b1: Change"}},
        {"a selection can be typed over at the limit", 4, u"1234", 2, 2, u'5', u"125",
         {"b1: KeyPress 53", "b1: Change"}},
        {"Backspace edits at the limit, never offered", 4, u"1234", 4, 0, u'\b', u"123", {"b1: Change"}},
        {"a negative limit is none", -1, u"1234", 4, 0, u'5', u"12345", {"b1: KeyPress 53", "b1: Change"}},
        {"a second point is left to leaving", 0, u"1.5", 3, 0, u'.', u"1.5.", {"b1: KeyPress 46", "b1: Change"}},
        {"Enter never reaches the host", 0, u"1", 1, 0, u'\r', u"1", {}},
        {"Value reads a single tick while it is typed", 0, u"0.000", 5, 0, u'1', u"0.0001",
         {"b1: KeyPress 49", "b1: Change"}, u"0.0001"},
    };
    for (const Row& row : rows) {
        for (const char* cls : classes) {
            SCOPED_TRACE(std::string(cls) + ": " + row.rule);
            Placed<> p(cls);
            p.box.put("MaxChars", Variant(row.max_chars));
            p.box.textbox().set_text(row.start);
            p.box.textbox().set_sel_start(row.sel_start);
            p.box.textbox().set_sel_length(row.sel_length);
            p.take();
            p.type(std::u16string(1, row.key));
            EXPECT_EQ(p.text(), row.after);
            if (row.value) { EXPECT_EQ(value_of(p), row.value); }
            const Lines lines = p.take();
            ASSERT_GE(lines.size(), 2u);
            EXPECT_EQ(Lines(lines.begin() + 1, lines.end() - 1), row.lines);
        }
    }
}

TEST(NumericBoxes, Writers) {
    // Each row starts from `start`, blinking when BlinkOnError is off, so a row shows both a
    // blink that starts and one that stops or is left running. A Change comes exactly when
    // the text changes; Value's failure is never announced. MaxChars judges the text as
    // leaving does and never cuts it.
    struct Row { const char* rule; const char* cls; std::u16string start; const char* member; Variant in;
        bool blink_on_error; std::u16string shown; bool blinking; bool announced = true; };
    const char *value = "Value", *text = "Text", *max = "MaxChars";
    const Variant two(std::int16_t{2}), five(std::int16_t{5});
    const Row rows[] = {
        {"Value: a number stops the blink", cur, u"9", value, u"7", false, u"$7.00", false},
        {"Value: out of the amount's range", cur, u"9", value, u"12345678901234567890", true, u"$0.00", true, false},
        {"Value: no number blinks", cur, u"9", value, u"abc", true, u"$0.00", true, false},
        {"Value: no number leaves a running blink", cur, u"9", value, u"abc", false, u"$0.00", true, false},
        {"Value: a percentage", pct, u"9", value, u"12.5", false, u"12.50%", false},
        {"Value: empty is no number", pct, u"9", value, u"", true, u"0.00%", true, false},
        {"Text: an amount", cur, u"9", text, u"$1,234.5", false, u"$1,234.50", false},
        {"Text: empty clears quietly", cur, u"9", text, u"", true, u"$0.00", false},
        {"Text: no number, no BlinkOnError, stops", cur, u"9", text, u"abc", false, u"$0.00", false},
        {"Text: empty keeps the text, stops the blink", pct, u"9", text, u"", false, u"9", false},
        {"Text: no number stays and blinks", pct, u"9", text, u"abc", true, u"9", true},
        {"Text: a lone percent sign", pct, u"9", text, u"%", true, u"9", true},
        {"MaxChars: a number is shown, not cut", cur, u"7", max, two, true, u"$7.00", false},
        {"MaxChars: no number blinks", cur, u"abc", max, two, true, u"abc", true},
        {"MaxChars: a shown percentage is not flagged", pct, u"12.50%", max, five, true, u"12.50%", false},
        {"MaxChars: a bare number becomes a percentage", pct, u"7", max, five, true, u"7.00%", false},
        {"MaxChars: a lone percent sign blinks", pct, u"%", max, five, true, u"%", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Placed<> p(row.cls);
        p.box.put("BlinkOnError", Variant(row.blink_on_error));
        p.box.textbox().set_text(row.start);
        p.box.setBlink(!row.blink_on_error);
        p.take();
        p.box.put(row.member, row.in);
        EXPECT_EQ(p.text(), row.shown);
        p.expect_blinking(row.blinking);
        Lines lines;
        if (row.shown != row.start) lines.push_back("b1: Change");
        if (row.announced) lines.push_back(std::string("b1: changed ") + row.member);
        EXPECT_EQ(p.take(), lines);
    }
}

TEST(NumericBoxes, DragAndDropModesAreSixteenBitsWrittenOrLoaded) {
    // Refused on load as the writer refuses them: the box never holds a mode it cannot save.
    struct Row { const char* rule; const char* member; std::int32_t value; int error; };
    const Row rows[] = {
        {"the largest drag mode", "OLEDragMode", 32767, 0},
        {"one past it", "OLEDragMode", 32768, 6},
        {"the smallest drop mode", "OLEDropMode", -32768, 0},
        {"one below it", "OLEDropMode", -32769, 6},
    };
    for (const Row& row : rows) {
        for (const char* cls : classes) {
            SCOPED_TRACE(std::string(cls) + ": " + row.rule);
            Placed<> written(cls);
            EXPECT_EQ(error_of([&] { written.box.put(row.member, Variant(row.value)); }), row.error);
            EXPECT_EQ(written.box.get(row.member).to_long(), row.error ? 0 : row.value);
            services::MemoryPropertyBag bag;
            bag.set(row.member, Variant(row.value));
            Placed<> loaded(cls, false);
            EXPECT_EQ(error_of([&] { loaded.box.ReadProperties(bag); }), row.error);
        }
    }
}

TEST(NumericBoxes, NothingAssignedIsLostOnSave) {
    // A box loaded with one amount and then given another saves the one it shows, not the
    // stale loaded text; the loaded text is shown as stored until the box is left.
    for (const char* cls : classes) {
        for (const char* member : {"Value", "Text"}) {
            SCOPED_TRACE(std::string(cls) + " " + member);
            services::MemoryPropertyBag bag;
            bag.set("Text", Variant(u"12"));
            bag.set("SelText", Variant(u"zz"));
            Placed<> p(cls, false);
            p.box.ReadProperties(bag);
            EXPECT_EQ(p.text(), u"12");
            p.box.put(member, Variant(u"7"));
            services::MemoryPropertyBag out = testing::saved(p.box);
            Placed<> reloaded(cls, false);
            reloaded.box.ReadProperties(out);
            EXPECT_EQ(reloaded.text(), cls == cur ? u"$7.00" : u"7.00%");
        }
    }
}

}  // namespace
}  // namespace norvtext
