// The Qt widgets as an application meets them: the published surface as Qt sees it,
// focus arriving and leaving (and a window losing the front), the blink as the user sees
// it, errors kept inside the widget, and the About dialog.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include "norvtext/foundation/type_library.hpp"
#include "norvtext/platform/error.hpp"
#include "tests/qt/qt_harness.hpp"

namespace norvtext::qt {
namespace {

using testing::Lines;
using testing::QtForm;

const char* const all_classes[] = {"txtNorvText", "txtNorvZip",      "txtNorvDate",   "txtNorvTelephone",
                                   "txtNorvSocialSecurity", "txtNorvCurrency", "txtNorvPercent"};

TEST(QtSurface, EveryPublishedMemberIsAPropertyWithItsAccess) {
    for (const char* class_name : all_classes) {
        SCOPED_TRACE(class_name);
        std::unique_ptr<ControlWidget> w(create_control_widget(class_name));
        ASSERT_NE(w, nullptr);
        const QMetaObject* meta = w->metaObject();
        EXPECT_EQ(QString::fromUtf8(meta->className()), QStringLiteral("norvtext::qt::") + QString::fromUtf8(class_name));
        const ClassInfo& info = *type_library().find_class(class_name);
        int members = 0;
        for (const Slot& s : info.slots) {
            const std::string member(s.member);
            SCOPED_TRACE(member);
            if (s.accessor == Accessor::Method) {
                bool found = false;
                for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
                    found = found || (meta->method(i).name() == member.c_str() && meta->method(i).methodType() == QMetaMethod::Method);
                EXPECT_TRUE(found);
                continue;
            }
            const int index = meta->indexOfProperty(member.c_str());
            ASSERT_GE(index, meta->propertyOffset());
            const QMetaProperty p = meta->property(index);
            const bool writable = info.find(s.member, Accessor::Put) || info.find(s.member, Accessor::PutRef);
            EXPECT_EQ(p.isWritable(), writable);
            EXPECT_TRUE(p.isReadable());
            if (const EnumInfo* e = type_library().find_enum(s.type)) {
                ASSERT_TRUE(p.isEnumType());
                const QMetaEnum qe = p.enumerator();
                EXPECT_EQ(std::string(qe.enumName()), std::string(e->name));
                ASSERT_EQ(qe.keyCount(), static_cast<int>(e->members.size()));
                for (const EnumMember& m : e->members) EXPECT_EQ(qe.keyToValue(std::string(m.name).c_str()), m.value);
            }
            // The description reaches property browsers through the class info and the widget.
            const int ci = meta->indexOfClassInfo(("Description." + member).c_str());
            EXPECT_EQ(ci >= 0 ? std::string(meta->classInfo(ci).value()) : std::string(), std::string(s.description));
            EXPECT_EQ(w->description(QString::fromStdString(member)).toStdString(), std::string(s.description));
            if (s.accessor == Accessor::Get) ++members;
        }
        // Nothing beyond the published members.
        EXPECT_EQ(meta->propertyCount() - meta->propertyOffset(), members);
        for (const EventInfo& e : info.events) {
            SCOPED_TRACE(std::string(e.name));
            QList<QByteArray> types;
            for (std::size_t i = 0; i < e.params.size(); ++i) types << "short&";
            const QByteArray signature = QByteArray(e.name.data(), static_cast<qsizetype>(e.name.size())) + '(' + types.join(',') + ')';
            const int index = meta->indexOfSignal(signature.constData());
            ASSERT_GE(index, 0) << signature.constData();
        }
    }
}

TEST(QtSurface, PropertiesReadAndWriteTheControl) {
    txtNorvDate date;
    date.setProperty("FormatMask", QVariant::fromValue(DateFormatEnum::HHMM));
    EXPECT_EQ(date.control().get("FormatMask").to_long(), 5);
    EXPECT_EQ(date.FormatMask(), DateFormatEnum::HHMM);
    // "##:## ??" on Qt's mask: optional digits, optional letters, "_" blanks.
    EXPECT_EQ(date.textbox()->displayText(), QStringLiteral("__:__ __"));
    EXPECT_EQ(date.textbox()->inputMask(), QStringLiteral("00:00 aa;_"));

    txtNorvText text;
    text.setProperty("Chars", 1);
    text.setProperty("Text", QStringLiteral("abc"));
    EXPECT_EQ(text.property("Text").toString(), QStringLiteral("ABC"));
    EXPECT_EQ(text.PCase(QStringLiteral("ada lovelace")), QStringLiteral("Ada Lovelace"));
    text.setBackColor(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(text.control().get("BackColor").to_long(), 0x563412);
    EXPECT_EQ(text.textbox()->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPointSizeF(12);
    f.setBold(true);
    text.setFont(f);
    EXPECT_EQ(text.textbox()->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(text.Font().bold());
}

TEST(QtErrors, AFailedWriteIsReportedAndChangesNothing) {
    struct Case {
        const char* name;
        const char* class_name;
        const char* member;
        QVariant value;
        int number;
    };
    const Case cases[] = {
        {"overflow", "txtNorvText", "MaxChars", 100000, 6},
        {"not a number", "txtNorvText", "Chars", QStringLiteral("many"), 13},
        {"read-only", "txtNorvText", "hWnd", 5, 383},
        {"no such member", "txtNorvZip", "Chars", 1, 438},
        {"negative selection", "txtNorvCurrency", "SelStart", -1, 380},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ControlWidget> w(create_control_widget(c.class_name));
        const QVariant before = w->member(QString::fromUtf8(c.member));
        QSignalSpy errors(w.get(), &ControlWidget::errorRaised);
        EXPECT_FALSE(w->setMember(QString::fromUtf8(c.member), c.value));
        ASSERT_EQ(errors.count(), 1);
        EXPECT_EQ(errors.at(0).at(0).toInt(), c.number);
        EXPECT_EQ(w->member(QString::fromUtf8(c.member)), before);
    }
    // Through Qt's property system too: the writer reports instead of throwing into Qt.
    txtNorvText text;
    QSignalSpy errors(&text, &ControlWidget::errorRaised);
    text.setProperty("MaxChars", 100000);
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(text.MaxChars(), 0);
}

TEST(QtErrors, AnErrorInAnEventHandlerStaysInsideTheWidget) {
    QtForm form("txtNorvText");
    auto* text = qobject_cast<txtNorvText*>(form.control);
    QObject::connect(text, &txtNorvText::Change, [] { raise(ErrorCode::InvalidPropertyValue); });
    QSignalSpy errors(text, &ControlWidget::errorRaised);
    form.box()->setFocus();
    QTest::keyClick(form.box(), Qt::Key_A);
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toInt(), 380);
    // The box goes on working.
    QTest::keyClick(form.box(), Qt::Key_B);
    EXPECT_EQ(form.text(), "ab");
}

TEST(QtFocus, ArrivalSelectsAndLeavingRunsTheLeavingRules) {
    QtForm form("txtNorvText");
    ASSERT_TRUE(form.active);
    form.control->setMember(QStringLiteral("Chars"), 128);  // proper case on leaving
    form.control->setMember(QStringLiteral("Text"), QStringLiteral("ada"));
    form.box()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(form.box()->selectedText(), QStringLiteral("ada"));

    // Another window taking the front is no LostFocus: the text stays as typed.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(form.text(), "ada");
    form.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.window.get()));

    form.other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form.text(), "Ada");
    EXPECT_FALSE(form.box()->hasSelectedText());

    form.control->setMember(QStringLiteral("FocusSelect"), false);
    form.box()->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(form.box()->hasSelectedText());
    EXPECT_EQ(form.box()->cursorPosition(), 0);
}

TEST(QtMouse, AClickThenADoubleClickAsTheHostSeesThem) {
    QtForm form("txtNorvText");
    Lines lines;
    testing::record(*form.control, lines);
    QTest::mouseClick(form.box(), Qt::LeftButton);
    EXPECT_EQ(lines, (Lines{"t1: Click"}));
    lines.clear();
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // the next click starts afresh
    // A user's double click: a click, then the second press that makes it double.
    QTest::mouseClick(form.box(), Qt::LeftButton);
    QTest::mouseDClick(form.box(), Qt::LeftButton);
    EXPECT_EQ(lines, (Lines{"t1: Click", "t1: DblClick"}));
}

// Counts how often the selection turns on or off, until `enough` toggles were seen or `ms`
// passed (a loaded machine may deliver the 500 ms ticks late).
int selection_toggles(QLineEdit* box, int ms, int enough = 1000) {
    int toggles = 0;
    bool selected = box->hasSelectedText();
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (box->hasSelectedText() != selected) {
            selected = !selected;
            ++toggles;
        }
    });
    probe.start(20);
    static_cast<void>(QTest::qWaitFor([&] { return toggles >= enough; }, ms));
    return toggles;
}

// The date box turns the blink on itself when an invalid date is left; the user coming back,
// or the program switching Blink off, stops it.
TEST(QtBlink, TheWholeTextFlashesEveryHalfSecondUntilStopped) {
    QtForm form("txtNorvDate");
    Lines lines;
    testing::record(*form.control, lines);
    form.box()->setFocus();
    QTest::keyClicks(form.box(), QStringLiteral("13452026"));
    form.other->setFocus();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "t1: Validate"), lines.end());
    EXPECT_GE(selection_toggles(form.box(), 5000, 2), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.box()->hasSelectedText(); }, 1000));
    EXPECT_EQ(form.box()->selectedText(), QStringLiteral("13/45/2026"));
    form.box()->setFocus();
    EXPECT_EQ(selection_toggles(form.box(), 700), 0);

    form.other->setFocus();
    form.control->setMember(QStringLiteral("Blink"), true);
    EXPECT_GE(selection_toggles(form.box(), 5000, 2), 2);
    form.control->setMember(QStringLiteral("Blink"), false);
    EXPECT_FALSE(form.box()->hasSelectedText());
    EXPECT_EQ(selection_toggles(form.box(), 700), 0);
}

TEST(QtAbout, TheModalDialogShowsTheProductAndCloses) {
    {
        QtForm form("txtNorvZip");
        Lines lines;
        testing::record(*form.control, lines);
        QString title, by, author, version, ok;
        QSize icon;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            modal = dialog->isModal();
            title = dialog->windowTitle();
            by = dialog->findChild<QLabel*>(QStringLiteral("Label2"))->text();
            author = dialog->findChild<QLabel*>(QStringLiteral("Label3"))->text();
            version = dialog->findChild<QLabel*>(QStringLiteral("Label4"))->text();
            icon = dialog->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().size();
            auto* button = dialog->findChild<QPushButton*>(QStringLiteral("Command1"));
            ok = button->text();
            button->click();
        });
        form.control->setMember(QStringLiteral("About"), true);  // returns once the dialog has closed
        EXPECT_TRUE(modal);
        EXPECT_EQ(title, QStringLiteral("About NorvText"));
        EXPECT_EQ(by, QStringLiteral("By"));
        EXPECT_EQ(author.toStdU16String(), std::u16string(AboutBox{}.author));
        EXPECT_EQ(version, QStringLiteral("Version 1.1 6/27/98"));
        EXPECT_EQ(ok, QStringLiteral("&OK"));
        EXPECT_EQ(icon, QSize(32, 32));
        EXPECT_EQ(lines, (Lines{"t1: about", "t1: changed About"}));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

}  // namespace
}  // namespace norvtext::qt
