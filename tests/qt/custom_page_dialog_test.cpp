// The page Custom in its Qt dialog: the check boxes and fields show the page model, the
// user's clicks and edits reach it, Apply is offered only while something is pending, and
// the writes reach the control, or the writer a designer supplies instead.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "qt/controls.hpp"
#include "qt/conversions.hpp"
#include "qt/custom_page_dialog.hpp"

namespace norvtext::qt {
namespace {

using M = Custom::Member;

QCheckBox* box(CustomPageDialog& d, M m) { return qobject_cast<QCheckBox*>(d.field(m)); }
QLineEdit* field(CustomPageDialog& d, M m) { return qobject_cast<QLineEdit*>(d.field(m)); }

TEST(QtCustomPage, TheDialogShowsThePageAndPassesOnTheUsersActions) {
    txtNorvText text;
    text.setChars(1);
    CustomPageDialog dialog({&text}, nullptr);
    EXPECT_TRUE(box(dialog, M::chkUpperCase)->isChecked());
    EXPECT_EQ(field(dialog, M::txtChars)->text(), QStringLiteral("1"));
    EXPECT_FALSE(dialog.applyButton()->isEnabled());

    // A click shows at once in the number field; Apply writes it, and is offered no more.
    box(dialog, M::chkAllowNumbers)->click();
    EXPECT_EQ(field(dialog, M::txtChars)->text(), QStringLiteral("5"));
    EXPECT_TRUE(dialog.applyButton()->isEnabled());
    EXPECT_EQ(text.Chars(), 1);
    dialog.applyButton()->click();
    EXPECT_EQ(text.Chars(), 5);
    EXPECT_FALSE(dialog.applyButton()->isEnabled());

    // A number typed by hand shows in the boxes once the field is left.
    QLineEdit* chars = field(dialog, M::txtChars);
    chars->selectAll();
    QTest::keyClicks(chars, QStringLiteral("64"));
    EXPECT_TRUE(dialog.applyButton()->isEnabled());
    EXPECT_FALSE(box(dialog, M::chkLowerCase)->isChecked());
    Q_EMIT chars->editingFinished();
    EXPECT_TRUE(box(dialog, M::chkLowerCase)->isChecked());
    EXPECT_FALSE(box(dialog, M::chkUpperCase)->isChecked());
}

TEST(QtCustomPage, ADesignersWriterTakesTheWritesInsteadOfTheControl) {
    txtNorvDate date;
    QStringList writes;
    CustomPageDialog dialog({&date}, nullptr, [&](ControlWidget& target, std::string_view member, const Variant& v) {
        EXPECT_EQ(&target, &date);
        writes << to_qstring(member) + u'=' + to_qvariant(v).toString();
    });
    box(dialog, M::FocusSelect)->click();
    dialog.applyButton()->click();
    EXPECT_EQ(writes, (QStringList{"FocusSelect=false", "EscapeClear=true"}));
    EXPECT_TRUE(date.FocusSelect());
}

TEST(QtCustomPage, OkAppliesPendingEditsAndCancelDropsThem) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        txtNorvText text;
        CustomPageDialog dialog({&text}, nullptr);
        QTest::keyClicks(field(dialog, M::txtCharTable), QStringLiteral("#@"));
        dialog.findChild<QDialogButtonBox*>()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        EXPECT_EQ(text.CharTable(), ok ? QStringLiteral("#@") : QString());
        EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

}  // namespace
}  // namespace norvtext::qt
