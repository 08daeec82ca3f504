// The property page Custom on a headless frame: its layout data, loading from a control,
// the boxes <-> number rules, marking the page changed, and applying through late binding,
// checked by the boxes shown and the exact lines the form records.
#include <gtest/gtest.h>

#include <algorithm>

#include "norvtext/controls/text/custom_page.hpp"
#include "norvtext/controls/text/text_box.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/headless/memory_page_frame.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

using headless::MemoryForm;
using headless::MemoryHost;
using headless::MemoryPageFrame;
using M = Custom::Member;
using Lines = std::vector<std::string>;

// A control with only the two switches of the filter page's members, as the date box
// publishes them: the page must skip everything else.
class SwitchesOnlyControl : public Dispatch {
public:
    bool focus_select = true;
    bool escape_clear = true;
    Lines writes;
    const ClassInfo& class_info() const override { return *type_library().find_class("txtNorvDate"); }

protected:
    Variant get_member(std::string_view member) override {
        if (member == "FocusSelect") return Variant(focus_select);
        if (member == "EscapeClear") return Variant(escape_clear);
        raise(ErrorCode::NotSupported);
    }
    void put_member(std::string_view member, const Variant& value) override {
        writes.push_back(std::string(member) + "=" + (value.to_boolean() ? "True" : "False"));
        if (member == "FocusSelect") focus_select = value.to_boolean();
        if (member == "EscapeClear") escape_clear = value.to_boolean();
    }
};

struct CustomPageTest : ::testing::Test {
    MemoryForm form;
    MemoryHost host1{form, "t1"};
    MemoryHost host2{form, "t2"};
    txtNorvText t1{host1};
    txtNorvText t2{host2};
    MemoryPageFrame frame{form};
    Custom page{frame};

    CustomPageTest() {
        t1.InitProperties();
        t2.InitProperties();
    }
    void open(std::int16_t chars) {
        t1.setChars(chars);
        frame.show(page, {&t1});
        take();
    }
    Lines take() {
        Lines out = std::move(form.transcript);
        form.transcript.clear();
        return out;
    }
    // The ticked class and case boxes, in tab order.
    std::string ticked_boxes() const {
        std::string out;
        for (const Custom::MemberInfo& m : Custom::members()) {
            if (m.kind != Custom::Kind::CheckBox || m.member == M::FocusSelect || m.member == M::EscapeClear) continue;
            if (!page.ticked(m.member)) continue;
            if (!out.empty()) out += ' ';
            out += m.name.substr(3);  // without "chk"
        }
        return out;
    }
};

TEST(CustomLayout, MembersCaptionsAndTabOrder) {
    struct Case {
        std::string_view name;
        Custom::Kind kind;
        std::u16string_view caption;
    };
    using K = Custom::Kind;
    const Case cases[] = {
        {"chkAllowAllCharacters", K::CheckBox, u"Allow All Characters"},
        {"chkAllowSpaces", K::CheckBox, u"Allow Spaces"},
        {"chkAllowNumbers", K::CheckBox, u"Allow Numbers"},
        {"chkAllowLetters", K::CheckBox, u"Allow Letters"},
        {"chkUpperCase", K::CheckBox, u"Upper Case Letters"},
        {"chkAllowPunctuation", K::CheckBox, u"Allow Punctuation"},
        {"chkAllowCharTable", K::CheckBox, u"Allow Char Table"},
        {"FocusSelect", K::CheckBox, u"Focus Select"},
        {"EscapeClear", K::CheckBox, u"Escape Clear"},
        {"txtChars", K::TextField, u"Chars:"},
        {"txtCharTable", K::TextField, u"CharTable:"},
        {"txtMaxChars", K::TextField, u"MaxChars:"},
        {"chkLowerCase", K::CheckBox, u"Lower Case Letters"},
        {"chkProperCase", K::CheckBox, u"Proper Case Letters"},
    };
    const auto members = Custom::members();
    ASSERT_EQ(members.size(), std::size(cases));
    for (std::size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(members[i].name, cases[i].name);
        EXPECT_EQ(members[i].kind, cases[i].kind);
        EXPECT_TRUE(members[i].caption == cases[i].caption);
        EXPECT_EQ(static_cast<std::size_t>(members[i].member), i);
        EXPECT_EQ(Custom::find_member(cases[i].name), &members[i]);
    }
    EXPECT_EQ(Custom::find_member("chkNothing"), nullptr);
}

TEST(CustomLayout, GeometryFitsThePageInTwoColumns) {
    using R = Custom::Rect;
    EXPECT_EQ(Custom::page_width, 5535);
    EXPECT_EQ(Custom::page_height, 2910);
    std::vector<std::pair<std::string, R>> rects;
    std::vector<const Custom::MemberInfo*> boxes, fields;
    for (const Custom::MemberInfo& m : Custom::members()) {
        rects.emplace_back(std::string(m.name), m.bounds);
        if (m.kind == Custom::Kind::TextField) {
            rects.emplace_back(std::string(m.name) + " label", m.label_bounds);
            fields.push_back(&m);
        } else {
            boxes.push_back(&m);
        }
    }
    for (const auto& [name, r] : rects) {
        SCOPED_TRACE(name);
        EXPECT_GT(r.width, 0);
        EXPECT_GT(r.height, 0);
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.left + r.width, Custom::page_width);
        EXPECT_LE(r.top + r.height, Custom::page_height);
    }
    for (std::size_t i = 0; i < rects.size(); ++i)
        for (std::size_t k = i + 1; k < rects.size(); ++k) {
            const R& a = rects[i].second;
            const R& b = rects[k].second;
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                               a.top + a.height <= b.top || b.top + b.height <= a.top;
            EXPECT_TRUE(apart) << rects[i].first << " overlaps " << rects[k].first;
        }
    // The left column, top to bottom.
    std::sort(boxes.begin(), boxes.end(), [](auto* a, auto* b) { return a->bounds.top < b->bounds.top; });
    const std::vector<std::string_view> column = {
        "chkAllowAllCharacters", "chkAllowSpaces",      "chkAllowNumbers",   "chkAllowLetters",
        "chkUpperCase",          "chkLowerCase",        "chkProperCase",     "chkAllowPunctuation",
        "chkAllowCharTable",     "FocusSelect",         "EscapeClear"};
    ASSERT_EQ(boxes.size(), column.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i]->name, column[i]);
        EXPECT_EQ(boxes[i]->bounds.left, boxes[0]->bounds.left);
    }
    // The right column: every field right of every box, label above its field; narrow,
    // wide and medium fields.
    for (const auto* f : fields) {
        SCOPED_TRACE(f->name);
        for (const auto* b : boxes) EXPECT_GE(f->bounds.left, b->bounds.left + b->bounds.width);
        EXPECT_LE(f->label_bounds.top + f->label_bounds.height, f->bounds.top);
    }
    const auto width = [](M m) { return Custom::info(m).bounds.width; };
    EXPECT_LT(width(M::txtChars), width(M::txtMaxChars));
    EXPECT_LT(width(M::txtMaxChars), width(M::txtCharTable));
}

TEST_F(CustomPageTest, LoadSetsTheBoxesFromChars) {
    struct Case {
        std::int16_t chars;
        std::string boxes;
    };
    const Case cases[] = {
        {0, "AllowAllCharacters"},
        {1, "AllowSpaces AllowNumbers AllowLetters UpperCase AllowPunctuation"},
        {30, ""},
        {32 + 16, "AllowSpaces AllowNumbers AllowLetters AllowCharTable"},
        {64 + 128 + 2, "AllowNumbers AllowLetters AllowPunctuation LowerCase ProperCase"},
        // Bits above 128 mean nothing to the boxes, but the number is not "0".
        {256, "AllowSpaces AllowNumbers AllowLetters AllowPunctuation"},
        {-1, "UpperCase AllowCharTable LowerCase ProperCase"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chars);
        open(c.chars);
        EXPECT_EQ(ticked_boxes(), c.boxes);
        EXPECT_EQ(page.text(M::txtChars), std::u16string(Variant(c.chars).to_string()));
        EXPECT_TRUE(page.ready());
        EXPECT_FALSE(frame.changed()) << "loading is not an edit";
    }
}

TEST_F(CustomPageTest, LoadReadsTheFieldsAndSwitches) {
    t1.setCharTable(u"-/");
    t1.setMaxChars(12);
    t1.setFocusSelect(false);
    frame.show(page, {&t1});
    EXPECT_EQ(page.text(M::txtCharTable), u"-/");
    EXPECT_EQ(page.text(M::txtMaxChars), u"12");
    EXPECT_FALSE(page.ticked(M::FocusSelect));
    EXPECT_TRUE(page.ticked(M::EscapeClear));

    // A new selection reloads from the new first control.
    frame.select({&t2, &t1});
    EXPECT_EQ(page.text(M::txtCharTable), u"");
    EXPECT_EQ(page.text(M::txtMaxChars), u"0");
    EXPECT_TRUE(page.ticked(M::FocusSelect));
}

TEST_F(CustomPageTest, ReadyOnlyAfterTheFirstLoadAndClicksBeforeItRunNoRule) {
    EXPECT_FALSE(page.ready());
    page.click(M::chkAllowNumbers);
    EXPECT_EQ(ticked_boxes(), "AllowNumbers");
    EXPECT_EQ(page.text(M::txtChars), u"");
    EXPECT_TRUE(take().empty());
}

TEST_F(CustomPageTest, ClickRulesKeepBoxesAndNumberInStep) {
    struct Case {
        const char* name;
        std::int16_t start;
        M clicked;
        std::string boxes;
        std::u16string chars;
    };
    const Case cases[] = {
        {"allow numbers from all", 0, M::chkAllowNumbers, "AllowNumbers", u"26"},
        {"allow all unticked forbids everything", 0, M::chkAllowAllCharacters, "", u"30"},
        {"allow all clears every restriction", 1 + 32 + 4, M::chkAllowAllCharacters, "AllowAllCharacters", u"0"},
        {"allow spaces also ticks letters", 30, M::chkAllowSpaces, "AllowSpaces AllowLetters", u"20"},
        {"unticking spaces still ticks letters", 8, M::chkAllowSpaces, "AllowNumbers AllowLetters AllowPunctuation",
         u"2"},
        {"allow letters", 30, M::chkAllowLetters, "AllowLetters", u"22"},
        {"allow punctuation", 30, M::chkAllowPunctuation, "AllowPunctuation", u"14"},
        {"allow char table", 30, M::chkAllowCharTable, "AllowCharTable", u"62"},
        {"upper case unticks lower", 64, M::chkUpperCase,
         "AllowSpaces AllowNumbers AllowLetters UpperCase AllowPunctuation", u"1"},
        {"lower case unticks upper and proper", 1 + 128, M::chkLowerCase,
         "AllowSpaces AllowNumbers AllowLetters AllowPunctuation LowerCase", u"64"},
        {"proper case ticks letters and spaces", 30, M::chkProperCase, "AllowSpaces AllowLetters ProperCase", u"148"},
        {"upper case from all", 0, M::chkUpperCase, "AllowLetters UpperCase", u"23"},
        {"unticking a case box", 1, M::chkUpperCase, "AllowSpaces AllowNumbers AllowLetters AllowPunctuation",
         u"0"},
        {"letters stay while a case box is ticked", 1, M::chkAllowLetters,
         "AllowSpaces AllowNumbers AllowLetters UpperCase AllowPunctuation", u"1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.start);
        page.click(c.clicked);
        EXPECT_EQ(ticked_boxes(), c.boxes);
        EXPECT_EQ(page.text(M::txtChars), c.chars);
        const Lines marks = page.text(M::txtChars) == Variant(c.start).to_string() ? Lines{} : Lines{"page: changed"};
        EXPECT_EQ(take(), marks);
    }
}

TEST_F(CustomPageTest, LeavingTxtCharsShowsTheTypedNumberInTheBoxes) {
    struct Case {
        std::u16string typed;
        std::u16string shown;
        std::string boxes;
        Lines lines;
    };
    const Case cases[] = {
        {u"65", u"65", "AllowSpaces AllowNumbers AllowLetters UpperCase AllowPunctuation LowerCase",
         {"page: changed"}},
        {u"x", u"0", "AllowAllCharacters", {"page: changed", "page: changed"}},
        {u"", u"0", "AllowAllCharacters", {"page: changed", "page: changed"}},
        // Zero written otherwise is a number without restrictions, not "allow all".
        {u"00", u"00", "AllowSpaces AllowNumbers AllowLetters AllowPunctuation", {"page: changed"}},
        {u" 4 ", u" 4 ", "AllowSpaces AllowLetters AllowPunctuation", {"page: changed"}},
        // Whole numbers round halves to even: 2.5 is 2.
        {u"2.5", u"2.5", "AllowNumbers AllowLetters AllowPunctuation", {"page: changed"}},
        // A number too large for 32 bits is no number the boxes can show.
        {u"1e10", u"0", "AllowAllCharacters", {"page: changed", "page: changed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        open(1);
        page.edit(M::txtChars, c.typed);
        EXPECT_EQ(ticked_boxes(), "AllowSpaces AllowNumbers AllowLetters UpperCase AllowPunctuation")
            << "typing alone does not touch the boxes";
        page.lost_focus(M::txtChars);
        EXPECT_EQ(page.text(M::txtChars), c.shown);
        EXPECT_EQ(ticked_boxes(), c.boxes);
        EXPECT_EQ(take(), c.lines);
    }
}

TEST_F(CustomPageTest, FieldEditsMarkChangedOnlyWhenTheTextChanges) {
    open(0);
    page.edit(M::txtCharTable, u"abc");
    page.edit(M::txtCharTable, u"abc");
    page.edit(M::txtMaxChars, u"0");
    page.lost_focus(M::txtMaxChars);
    page.lost_focus(M::txtCharTable);
    EXPECT_EQ(take(), Lines{"page: changed"});
    page.edit(M::txtMaxChars, u"7");
    EXPECT_EQ(take(), Lines{"page: changed"});
}

TEST_F(CustomPageTest, TheSwitchesMarkThePageChangedAndApply) {
    open(0);
    page.click(M::EscapeClear);
    EXPECT_EQ(take(), Lines{"page: changed"});
    EXPECT_EQ(page.text(M::txtChars), u"0") << "the switches are not part of Chars";
    ASSERT_TRUE(frame.apply());
    EXPECT_FALSE(t1.EscapeClear());
    EXPECT_TRUE(t1.FocusSelect());
    EXPECT_EQ(take(), (Lines{"page: apply", "t1: changed CharTable", "t1: changed Chars", "t1: changed MaxChars",
                             "t1: changed FocusSelect", "t1: changed EscapeClear"}));
}

TEST_F(CustomPageTest, ApplyWritesInOrderAndSkipsWhatTheControlRefuses) {
    struct Case {
        const char* name;
        std::u16string chars;
        std::u16string max_chars;
        std::int16_t expected_chars;
        std::int16_t expected_max;
        Lines announced;
    };
    const Case cases[] = {
        {"all taken", u"26", u"8", 26, 8,
         {"t1: changed CharTable", "t1: changed Chars", "t1: changed MaxChars", "t1: changed FocusSelect",
          "t1: changed EscapeClear"}},
        {"bad MaxChars skipped", u"26", u"ten", 26, 3,
         {"t1: changed CharTable", "t1: changed Chars", "t1: changed FocusSelect", "t1: changed EscapeClear"}},
        {"Chars beyond Integer skipped", u"70000", u"8", 5, 8,
         {"t1: changed CharTable", "t1: changed MaxChars", "t1: changed FocusSelect", "t1: changed EscapeClear"}},
        {"both refused", u"x", u"", 5, 3,
         {"t1: changed CharTable", "t1: changed FocusSelect", "t1: changed EscapeClear"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t1.setMaxChars(3);
        open(5);
        page.edit(M::txtCharTable, u"+-");
        page.edit(M::txtChars, c.chars);
        page.edit(M::txtMaxChars, c.max_chars);
        take();
        ASSERT_TRUE(frame.apply());
        Lines expected = c.announced;
        expected.insert(expected.begin(), "page: apply");
        EXPECT_EQ(take(), expected);
        EXPECT_EQ(t1.CharTable(), u"+-");
        EXPECT_EQ(t1.Chars(), c.expected_chars);
        EXPECT_EQ(t1.MaxChars(), c.expected_max);
        EXPECT_FALSE(frame.changed());
    }
}

TEST_F(CustomPageTest, ADateBoxLoadsAndAppliesOnlyTheSwitches) {
    // What the page showed before stays in the three filter fields.
    t1.setCharTable(u"x");
    t1.setMaxChars(4);
    open(33);
    SwitchesOnlyControl date;
    date.escape_clear = false;
    frame.select({&date});
    EXPECT_EQ(page.text(M::txtChars), u"33");
    EXPECT_EQ(page.text(M::txtCharTable), u"x");
    EXPECT_EQ(page.text(M::txtMaxChars), u"4");
    EXPECT_TRUE(page.ticked(M::FocusSelect));
    EXPECT_FALSE(page.ticked(M::EscapeClear));

    page.click(M::FocusSelect);
    ASSERT_TRUE(frame.apply());
    EXPECT_EQ(date.writes, (Lines{"FocusSelect=False", "EscapeClear=False"}));
    EXPECT_FALSE(date.focus_select);
}

TEST_F(CustomPageTest, AFreshPageOnADateBoxShowsAllowAll) {
    SwitchesOnlyControl date;
    frame.show(page, {&date});
    EXPECT_EQ(page.text(M::txtChars), u"0");
    EXPECT_EQ(ticked_boxes(), "AllowAllCharacters");
    EXPECT_FALSE(frame.changed());
}

TEST_F(CustomPageTest, LateBoundSurface) {
    open(0);
    page.edit(M::txtChars, u"4");
    take();
    Dispatch& late = page;
    EXPECT_TRUE(late.invoke("GetChars", {}).is_empty());
    EXPECT_EQ(ticked_boxes(), "AllowSpaces AllowLetters AllowPunctuation");
    try {
        late.get("txtChars");
        ADD_FAILURE() << "the page publishes no properties";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 438);
    }
}

}  // namespace
}  // namespace norvtext
