// The page Custom in its Qt dialog: the check boxes and fields show the page model, the
// user's clicks and edits run its rules, Apply is offered only while something is pending,
// and the writes reach the control, or the writer a designer supplies, in the page's order.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QSignalSpy>
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

TEST(QtCustomPage, TheDialogShowsAndWorksThePage) {
    txtNorvText text;
    text.setChars(0);
    CustomPageDialog dialog({&text}, nullptr);
    EXPECT_TRUE(box(dialog, M::chkAllowAllCharacters)->isChecked());
    EXPECT_FALSE(box(dialog, M::chkAllowNumbers)->isChecked());
    EXPECT_EQ(field(dialog, M::txtChars)->text(), QStringLiteral("0"));
    EXPECT_FALSE(dialog.applyButton()->isEnabled());

    // Ticking Allow Numbers from "everything allowed": spaces, letters, punctuation forbidden.
    box(dialog, M::chkAllowNumbers)->click();
    EXPECT_FALSE(box(dialog, M::chkAllowAllCharacters)->isChecked());
    EXPECT_EQ(field(dialog, M::txtChars)->text(), QStringLiteral("26"));
    EXPECT_TRUE(dialog.applyButton()->isEnabled());
    EXPECT_EQ(text.Chars(), 0);

    QSignalSpy changes(&text, &ControlWidget::propertyChanged);
    dialog.applyButton()->click();
    EXPECT_EQ(text.Chars(), 26);
    EXPECT_FALSE(dialog.applyButton()->isEnabled());
    QStringList announced;
    for (const QList<QVariant>& args : changes) announced << args.at(0).toString();
    EXPECT_EQ(announced, (QStringList{"CharTable", "Chars", "MaxChars", "FocusSelect", "EscapeClear"}));

    // A number typed by hand shows in the boxes once the field is left.
    QLineEdit* chars = field(dialog, M::txtChars);
    chars->selectAll();
    QTest::keyClicks(chars, QStringLiteral("65"));
    EXPECT_TRUE(dialog.applyButton()->isEnabled());
    Q_EMIT chars->editingFinished();
    EXPECT_TRUE(box(dialog, M::chkUpperCase)->isChecked());
    EXPECT_TRUE(box(dialog, M::chkLowerCase)->isChecked());
    EXPECT_TRUE(box(dialog, M::chkAllowNumbers)->isChecked());
}

TEST(QtCustomPage, ADesignersWriterGetsTheWritesTheClassTakes) {
    struct Case {
        const char* class_name;
        QStringList writes;
    };
    const Case cases[] = {
        {"txtNorvText", {"CharTable=", "Chars=0", "MaxChars=0", "FocusSelect=false", "EscapeClear=true"}},
        // The date and social security boxes have no filter: only the two switches go.
        {"txtNorvDate", {"FocusSelect=false", "EscapeClear=true"}},
        {"txtNorvSocialSecurity", {"FocusSelect=false", "EscapeClear=true"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.class_name);
        std::unique_ptr<ControlWidget> w(create_control_widget(c.class_name));
        QStringList writes;
        CustomPageDialog dialog({w.get()}, nullptr, [&](ControlWidget& target, std::string_view member, const Variant& v) {
            EXPECT_EQ(&target, w.get());
            writes << to_qstring(member) + QLatin1Char('=') + to_qvariant(v).toString();
        });
        box(dialog, M::FocusSelect)->click();
        EXPECT_TRUE(dialog.applyButton()->isEnabled());
        dialog.applyButton()->click();
        EXPECT_EQ(writes, c.writes);
        // The writer decides: nothing reached the control itself.
        EXPECT_TRUE(w->member(QStringLiteral("FocusSelect")).toBool());
    }
}

TEST(QtCustomPage, OkAppliesPendingEditsAndCancelDropsThem) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        txtNorvText text;
        CustomPageDialog dialog({&text}, nullptr);
        QLineEdit* table = field(dialog, M::txtCharTable);
        QTest::keyClicks(table, QStringLiteral("#@"));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        EXPECT_EQ(text.CharTable(), ok ? QStringLiteral("#@") : QString());
        EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

}  // namespace
}  // namespace norvtext::qt
