// The masked inner box on QLineEdit's input mask against the in-memory masked box: the
// same assignments, mask changes, prompt changes and selection edits give the same text,
// and the same refusals.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "norvtext/headless/memory_masked_edit_box.hpp"
#include "norvtext/platform/error.hpp"
#include "qt/conversions.hpp"
#include "qt/line_edit_box.hpp"

namespace norvtext::qt {
namespace {

TEST(QtMask, OurMaskInQtsLanguage) {
    struct Case {
        std::u16string_view mask;
        char16_t prompt;
        const char* qt;
    };
    const Case cases[] = {
        {u"##/##/####", u'_', "00/00/0000;_"},
        {u"??? ##, ####", u'_', "aaa 00, 0000;_"},
        {u"(###) ###-####", u'*', "(000) 000-0000;*"},
        // Literals that are Qt mask characters are escaped.
        {u"#a-X?>", u'_', "0\\a-\\Xa\\>;_"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.qt);
        EXPECT_EQ(QtMaskedEditBox::qt_input_mask(c.mask, c.prompt).toStdString(), c.qt);
    }
}

enum class Op { SetText, SetMask, SetPrompt, SelectAndReplace, SelectStart };

struct Step {
    Op op;
    std::u16string_view arg;
    std::int32_t start = 0;
    std::int32_t length = 0;
};

struct Case {
    const char* name;
    std::u16string_view mask;
    std::vector<Step> steps;
    std::u16string_view expected;
    int refusals;  // steps that raised 380
};

// Runs one step; 1 when the box refused it with 380.
int apply(MaskedEditBox& box, const Step& s) {
    try {
        switch (s.op) {
            case Op::SetText: box.set_text(s.arg); break;
            case Op::SetMask: box.set_mask(s.arg); break;
            case Op::SetPrompt: box.set_member(InnerMember::PromptChar, Variant(s.arg)); break;
            case Op::SelectAndReplace:
                box.set_sel_start(s.start);
                box.set_sel_length(s.length);
                box.set_sel_text(s.arg);
                break;
            case Op::SelectStart: box.set_sel_start(s.start); break;
        }
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 380);
        return 1;
    }
    return 0;
}

TEST(QtMaskedLineEdit, BehavesAsTheInMemoryMaskedEditBox) {
    const std::vector<Case> cases = {
        {"empty text shows the prompts", u"##/##/####", {{Op::SetText, u"12/05/2026"}, {Op::SetText, u""}}, u"__/__/____", 0},
        {"a fitting text", u"##/##/####", {{Op::SetText, u"12/05/2026"}}, u"12/05/2026", 0},
        {"prompts may stay", u"##/##/####", {{Op::SetText, u"1_/05/____"}}, u"1_/05/____", 0},
        {"a letter in a digit position is refused", u"##/##/####", {{Op::SetText, u"12/05/2026"}, {Op::SetText, u"1x/05/2026"}},
         u"12/05/2026", 1},
        {"another literal is refused", u"##/##/####", {{Op::SetText, u"12-05-2026"}}, u"__/__/____", 1},
        {"a short text is refused", u"##/##/####", {{Op::SetText, u"12/05/202"}}, u"__/__/____", 1},
        {"a non-ASCII digit is refused", u"#####", {{Op::SetText, u"1234\u0663"}}, u"_____", 1},
        {"letters fit letter positions", u"??? ##, ####", {{Op::SetText, u"Mär 05, 2026"}}, u"Mär 05, 2026", 0},
        {"a new mask keeps the entered digits in order", u"##/##/####",
         {{Op::SetText, u"12/05/2026"}, {Op::SetMask, u"(###) ###-####"}}, u"(120) 520-26__", 0},
        {"a new mask drops what does not fit", u"##/##/####", {{Op::SetText, u"12/05/2026"}, {Op::SetMask, u"#-?#"}},
         u"1-__", 0},
        {"prompts are not carried into a new mask", u"##/##/####", {{Op::SetText, u"1_/0_/____"}, {Op::SetMask, u"##-#"}},
         u"10-_", 0},
        {"a new prompt replaces the old", u"##/##/####", {{Op::SetText, u"1_/05/____"}, {Op::SetPrompt, u"*"}}, u"1*/05/****", 0},
        {"a digit cannot be the prompt", u"#####", {{Op::SetPrompt, u"5"}}, u"_____", 1},
        {"replacing a selection lays digits into positions", u"###-##-####",
         {{Op::SetText, u"123-45-6789"}, {Op::SelectAndReplace, u"9x87", 2, 5}}, u"129-87-6789", 0},
        {"an empty replacement puts prompts back", u"###-##-####",
         {{Op::SetText, u"123-45-6789"}, {Op::SelectAndReplace, u"", 4, 3}}, u"123-__-6789", 0},
        {"a negative start is refused", u"#####", {{Op::SelectStart, u"", -1}}, u"_____", 1},
    };
    QWidget parent;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::MemoryMaskedEditBox memory(c.mask, static_cast<std::int32_t>(c.mask.size()));
        QtMaskedEditBox qt(&parent, {}, c.mask);
        EXPECT_EQ(qt.text(), memory.text());
        int memory_refusals = 0, qt_refusals = 0;
        for (const Step& s : c.steps) {
            memory_refusals += apply(memory, s);
            qt_refusals += apply(qt, s);
            EXPECT_EQ(qt.text(), memory.text());
            EXPECT_EQ(qt.sel_start(), memory.sel_start());
            EXPECT_EQ(qt.sel_length(), memory.sel_length());
        }
        EXPECT_EQ(qt.text(), c.expected);
        EXPECT_EQ(qt.displayText(), to_qstring(c.expected));
        EXPECT_EQ(qt_refusals, c.refusals);
        EXPECT_EQ(memory_refusals, c.refusals);
    }
}

TEST(QtMaskedLineEdit, ChangeOnlyWhenTheShownTextChanged) {
    struct Counter : EditBoxListener {
        int changes = 0;
        void on_change() override { ++changes; }
    } counter;
    QWidget parent;
    QtMaskedEditBox box(&parent, {}, u"##/##");
    box.set_listener(&counter);
    box.set_text(u"12/34");
    box.set_text(u"12/34");  // the same text: nothing happens
    box.set_mask(u"##/##");  // the same mask and text
    EXPECT_EQ(counter.changes, 1);
    // Typing the digit a position already holds: the line edit reports a change, the box
    // does not pass it on.
    box.set_sel_start(0);
    QTest::keyClick(&box, Qt::Key_1);
    EXPECT_EQ(box.text(), u"12/34");
    EXPECT_EQ(counter.changes, 1);
    QTest::keyClick(&box, Qt::Key_9);
    EXPECT_EQ(box.text(), u"19/34");
    EXPECT_EQ(counter.changes, 2);
    box.set_listener(nullptr);
}

}  // namespace
}  // namespace norvtext::qt
