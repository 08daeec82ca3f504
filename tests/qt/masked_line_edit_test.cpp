// The masked inner box on QLineEdit's input mask: the mask rules' table the in-memory box
// runs, and what only the line edit can get wrong (the mask in Qt's language, its own
// change signal on a typed key that changes nothing).
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "qt/conversions.hpp"
#include "qt/line_edit_box.hpp"
#include "tests/support/mask_cases.hpp"

namespace norvtext::qt {
namespace {

TEST(QtMask, OurMaskInQtsLanguage) {
    struct Row {
        const char* rule;
        std::u16string_view mask;
        char16_t prompt;
        const char* qt;
    };
    const Row rows[] = {
        {"digits are Qt's optional digits", u"##/##/####", u'_', "00/00/0000;_"},
        {"letters are Qt's optional letters", u"??? ##", u'*', "aaa 00;*"},
        {"literals that are Qt mask characters are escaped", u"#a-X?>", u'_', "0\\a-\\Xa\\>;_"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(QtMaskedEditBox::qt_input_mask(row.mask, row.prompt).toStdString(), row.qt);
    }
}

TEST(QtMaskedLineEdit, EveryMaskRuleAsTheInMemoryBox) {
    QWidget parent;
    for (const testing::MaskCase& c : testing::mask_cases()) {
        SCOPED_TRACE(c.rule);
        QtMaskedEditBox box(&parent, {}, c.mask);
        testing::run_mask_case(c, box);
        EXPECT_EQ(box.displayText(), to_qstring(c.text)) << "the line edit shows what the box holds";
    }
}

// The line edit reports every typed key as a change; the box passes on only real ones.
TEST(QtMaskedLineEdit, TypingTheCharacterAPositionHoldsIsNoChange) {
    struct Counter : EditBoxListener {
        int changes = 0;
        void on_change() override { ++changes; }
    } counter;
    QWidget parent;
    QtMaskedEditBox box(&parent, {}, u"##/##");
    box.set_text(u"12/34");
    box.set_listener(&counter);
    box.set_sel_start(0);
    QTest::keyClick(&box, Qt::Key_1);
    EXPECT_EQ(counter.changes, 0);
    QTest::keyClick(&box, Qt::Key_9);
    EXPECT_EQ(box.text(), u"19/34");
    EXPECT_EQ(counter.changes, 1);
    box.set_listener(nullptr);
}

}  // namespace
}  // namespace norvtext::qt
