// The property page Custom on a headless frame: the boxes <-> Chars rules, the click rules,
// what marks the page changed, and loading from and applying to the first selected control.
#include "norvtext/controls/text/custom_page.hpp"

#include "norvtext/controls/date/date_box.hpp"
#include "norvtext/controls/text/text_box.hpp"
#include "norvtext/headless/memory_page_frame.hpp"
#include "tests/support/harness.hpp"

namespace norvtext::testing {
namespace {

using M = Custom::Member;

struct Page {
    headless::MemoryForm form;
    headless::MemoryHost host1{form, "t1"}, host2{form, "t2"};
    txtNorvText t1{host1}, t2{host2};
    headless::MemoryPageFrame frame{form};
    Custom page{frame};

    Page() {
        t1.InitProperties();
        t2.InitProperties();
    }
    void open(std::int16_t chars) {
        t1.setChars(chars);
        frame.show(page, {&t1});
        take();
    }
    Lines take() { return std::exchange(form.transcript, {}); }
    // The ticked class and case boxes in tab order, without "chk" and "Allow".
    std::string boxes() const {
        std::string out;
        for (const Custom::MemberInfo& m : Custom::members()) {
            if (!m.name.starts_with("chk") || !page.ticked(m.member)) continue;
            std::string_view name = m.name.substr(3);
            if (name.starts_with("Allow")) name.remove_prefix(5);
            out += (out.empty() ? "" : " ") + std::string(name);
        }
        return out;
    }
};

// The layout: every field and label lies on the page, and none covers another.
TEST(CustomPage, FieldsLieOnThePageApart) {
    std::vector<Custom::Rect> placed;
    for (const Custom::MemberInfo& m : Custom::members())
        for (const Custom::Rect& r : {m.bounds, m.label_bounds})
            if (r.width > 0) placed.push_back(r);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Custom::Rect& a = placed[i];
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.left + a.width <= Custom::page_width && a.top + a.height <= Custom::page_height) << i;
        for (std::size_t j = 0; j < i; ++j) {
            const Custom::Rect& b = placed[j];
            EXPECT_TRUE(a.left >= b.left + b.width || b.left >= a.left + a.width || a.top >= b.top + b.height || b.top >= a.top + a.height)
                << i << " covers " << j;
        }
    }
}

// Loading shows Chars in txtChars and the boxes and is no edit; a typed Chars ticks the
// boxes when it is left; a click runs its rule, and the page is changed when Chars is.
TEST(CustomPage, CharsTheBoxesAndTheClickRules) {
    // loaded: Chars of the control the page loads from; typed: typed into txtChars and left (empty:
    // nothing typed); shown: txtChars afterwards
    struct Row { const char* rule; std::int16_t loaded; std::optional<M> clicked; std::u16string typed, shown; std::string boxes; };
    const Row rows[] = {
        {"0 allows everything", 0, {}, u"", u"0", "AllCharacters"},
        {"every class forbidden", 30, {}, u"", u"30", ""},
        {"the table and no punctuation", 48, {}, u"", u"48", "Spaces Numbers Letters CharTable"},
        {"lower and proper case", 194, {}, u"", u"194", "Numbers Letters Punctuation LowerCase ProperCase"},
        {"bits above 128 tick nothing", 256, {}, u"", u"256", "Spaces Numbers Letters Punctuation"},
        {"a typed number", 1, {}, u"65", u"65", "Spaces Numbers Letters UpperCase Punctuation LowerCase"},
        {"no number is 0", 1, {}, u"x", u"0", "AllCharacters"},
        {"zero written otherwise restricts nothing", 1, {}, u"00", u"00", "Spaces Numbers Letters Punctuation"},
        {"the largest 32-bit number", 1, {}, u"2147483647", u"2147483647", "UpperCase CharTable LowerCase ProperCase"},
        {"beyond 32 bits reads 0", 1, {}, u"2147483648", u"0", "AllCharacters"},
        {"allow all unticked forbids everything", 0, M::chkAllowAllCharacters, u"", u"30", ""},
        {"allow all clears every restriction", 37, M::chkAllowAllCharacters, u"", u"0", "AllCharacters"},
        {"spaces tick letters too", 30, M::chkAllowSpaces, u"", u"20", "Spaces Letters"},
        {"unticking spaces still ticks letters", 8, M::chkAllowSpaces, u"", u"2", "Numbers Letters Punctuation"},
        {"punctuation", 30, M::chkAllowPunctuation, u"", u"14", "Punctuation"},
        {"upper unticks lower", 64, M::chkUpperCase, u"", u"1", "Spaces Numbers Letters UpperCase Punctuation"},
        {"lower unticks upper and proper", 129, M::chkLowerCase, u"", u"64", "Spaces Numbers Letters Punctuation LowerCase"},
        {"proper ticks letters and spaces", 30, M::chkProperCase, u"", u"148", "Spaces Letters ProperCase"},
        {"a case from allow all", 0, M::chkUpperCase, u"", u"23", "Letters UpperCase"},
        {"unticking a case box", 1, M::chkUpperCase, u"", u"0", "Spaces Numbers Letters Punctuation"},
        {"letters stay while a case is ticked", 1, M::chkAllowLetters, u"", u"1", "Spaces Numbers Letters UpperCase Punctuation"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Page p;
        p.open(row.loaded);
        EXPECT_FALSE(p.frame.changed()) << "loading is not an edit";
        if (row.clicked) p.page.click(*row.clicked);
        if (!row.typed.empty()) {
            p.page.edit(M::txtChars, row.typed);
            p.page.lost_focus(M::txtChars);
        }
        EXPECT_EQ(p.page.text(M::txtChars), row.shown);
        EXPECT_EQ(p.boxes(), row.boxes);
        EXPECT_EQ(p.frame.changed(), row.shown != Variant(row.loaded).to_string());
    }
}

TEST(CustomPage, WhatMarksThePageChanged) {
    Page p;
    p.page.click(M::chkAllowNumbers);
    EXPECT_EQ(p.take(), Lines{}) << "before the first load a click runs no rule";
    p.open(0);
    p.page.edit(M::txtCharTable, u"");
    p.page.lost_focus(M::txtMaxChars);
    EXPECT_FALSE(p.frame.apply());
    EXPECT_EQ(p.take(), Lines{"page: nothing to apply"}) << "the same text again is no edit";
    for (const M m : {M::FocusSelect, M::EscapeClear}) {
        p.page.click(m);
        EXPECT_EQ(p.take(), Lines{"page: changed"});
    }
    EXPECT_EQ(p.page.text(M::txtChars), u"0") << "the switches are not part of Chars";
}

TEST(CustomPage, ApplyWritesEachFieldAndGoesOnPastARefusal) {
    struct Row { const char* rule; std::u16string chars, max_chars; std::int16_t expected_chars, expected_max; };
    const Row rows[] = {
        {"all taken", u"26", u"8", 26, 8}, {"a bad MaxChars is skipped", u"26", u"ten", 26, 3},
        {"Chars beyond Integer is skipped", u"70000", u"8", 5, 8}, {"both refused", u"x", u"", 5, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        Page p;
        p.t1.setMaxChars(3);
        p.open(5);
        p.frame.select({&p.t1, &p.t2});
        p.page.edit(M::txtCharTable, u"+-");
        p.page.edit(M::txtChars, row.chars);
        p.page.edit(M::txtMaxChars, row.max_chars);
        p.page.click(M::EscapeClear);
        ASSERT_TRUE(p.frame.apply());
        EXPECT_EQ(p.t1.CharTable(), u"+-");
        EXPECT_EQ(p.t1.Chars(), row.expected_chars);
        EXPECT_EQ(p.t1.MaxChars(), row.expected_max);
        EXPECT_FALSE(p.t1.EscapeClear());
        EXPECT_TRUE(p.t2.EscapeClear() && p.t2.CharTable().empty()) << "only the first control selected";
    }
}

// A date box has neither Chars, CharTable nor MaxChars: the page skips them and keeps
// what the fields showed.
TEST(CustomPage, ADateBoxLoadsAndAppliesOnlyTheSwitches) {
    Page p;
    headless::MemoryHost host{p.form, "d1"};
    txtNorvDate date{host};
    date.InitProperties();
    date.setEscapeClear(false);
    p.t1.setMaxChars(4);
    p.open(33);
    p.frame.select({&date});
    EXPECT_EQ(p.page.text(M::txtChars), u"33");
    EXPECT_EQ(p.page.text(M::txtMaxChars), u"4");
    EXPECT_FALSE(p.page.ticked(M::EscapeClear));
    p.page.click(M::FocusSelect);
    p.take();
    ASSERT_TRUE(p.frame.apply());
    EXPECT_EQ(p.take(), (Lines{"page: apply", "d1: changed FocusSelect", "d1: changed EscapeClear"}));
    EXPECT_FALSE(date.FocusSelect());
}

}  // namespace
}  // namespace norvtext::testing
