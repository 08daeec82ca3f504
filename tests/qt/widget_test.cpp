// The Qt widgets as an application meets them: the published surface the generator writes,
// values converted on their way through the properties, errors kept inside the widget at
// every handler, a window losing the front, and the blink timer as the user sees it.
#include <gtest/gtest.h>

#include <functional>

#include <QSignalSpy>

#include "norvtext/foundation/type_library.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/services/memory_property_bag.hpp"
#include "tests/qt/qt_harness.hpp"

namespace norvtext::qt {
namespace {

using testing::QtForm;

TEST(QtSurface, EveryPublishedMemberIsAPropertyWithItsAccess) {
    for (const ControlClass& cls : control_classes()) {
        SCOPED_TRACE(std::string(cls.name));
        std::unique_ptr<ControlWidget> w(create_control_widget(cls.name));
        const QMetaObject* meta = w->metaObject();
        EXPECT_EQ(meta->className(), "norvtext::qt::" + std::string(cls.name));
        const ClassInfo& info = *type_library().find_class(cls.name);
        int readers = 0;
        for (const Slot& s : info.slots) {
            const std::string member(s.member);
            SCOPED_TRACE(member);
            EXPECT_EQ(w->description(QString::fromStdString(member)).toStdString(), s.description);
            if (s.accessor == Accessor::Method) {
                EXPECT_GE(meta->indexOfMethod((member + "(QString)").c_str()), meta->methodOffset());
                continue;
            }
            const QMetaProperty p = meta->property(meta->indexOfProperty(member.c_str()));
            ASSERT_TRUE(p.isReadable());
            EXPECT_EQ(p.isWritable(), info.find(s.member, Accessor::Put) || info.find(s.member, Accessor::PutRef));
            if (const EnumInfo* e = type_library().find_enum(s.type)) {
                ASSERT_EQ(p.enumerator().keyCount(), static_cast<int>(e->members.size()));
                for (const EnumMember& m : e->members) EXPECT_EQ(p.enumerator().keyToValue(std::string(m.name).c_str()), m.value);
            }
            readers += s.accessor == Accessor::Get;
        }
        // Nothing beyond the published members.
        EXPECT_EQ(meta->propertyCount() - meta->propertyOffset(), readers);
        for (const EventInfo& e : info.events) {
            std::string signature = std::string(e.name) + '(';
            for (std::size_t i = 0; i < e.params.size(); ++i) signature += i ? ",short&" : "short&";
            EXPECT_GE(meta->indexOfSignal((signature + ')').c_str()), 0) << signature;
        }
    }
}

TEST(QtSurface, ValuesConvertOnTheirWayThroughTheProperties) {
    txtNorvDate date;
    date.setProperty("FormatMask", QVariant::fromValue(DateFormatEnum::HHMM));
    EXPECT_EQ(date.control().get("FormatMask").to_long(), 5);
    EXPECT_EQ(date.FormatMask(), DateFormatEnum::HHMM);
    EXPECT_EQ(date.textbox()->displayText(), QStringLiteral("__:__ __"));

    txtNorvText text;
    text.setProperty("Text", QStringLiteral("ab\u00e9"));
    EXPECT_EQ(text.control().get("Text").string_ref(), u"ab\u00e9");
    EXPECT_EQ(text.PCase(QStringLiteral("ada")), QStringLiteral("Ada"));
    text.setBackColor(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(text.textbox()->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
    // A system colour is the palette's colour for its part of the widget.
    text.control().put("ForeColor", Variant(static_cast<std::int32_t>(system_window_text)));
    EXPECT_EQ(text.ForeColor(), text.textbox()->palette().color(QPalette::Text));
}

// An error where no caller could receive it: a property written through Qt's property
// system, a host's load or save, or a handler that raises once in each override and slot that runs the
// application's handlers. It is reported as the signal and a warning, and the box goes on.
TEST(QtErrors, AnErrorStaysInsideTheWidgetAndIsReported) {
    struct Row {
        const char* rule;
        const char* class_name;
        const char* event;  // whose handler raises 380; none: the action itself fails
        std::function<void(QtForm&)> act;
        int number = 380;
    };
    const auto type_1 = [](QtForm& f) { QTest::keyClick(f.box(), Qt::Key_1); };
    services::MemoryPropertyBag failing;  // its next read, and its next write, fails
    failing.fail_at_read(1);
    failing.fail_at_write(1);
    const Row rows[] = {
        {"a property write", "txtNorvText", nullptr, [](QtForm& f) { f.control->setProperty("MaxChars", 100000); }, 6},
        {"a load from a failing bag", "txtNorvText", nullptr, [&](QtForm& f) { EXPECT_FALSE(f.control->load(failing)); }, 31036},
        {"a save into a failing bag", "txtNorvText", nullptr, [&](QtForm& f) { EXPECT_FALSE(f.control->save(failing)); }, 31036},
        {"key down", "txtNorvText", "KeyDown", type_1},
        {"key press", "txtNorvText", "KeyPress", type_1},
        {"key up", "txtNorvText", "KeyUp", type_1},
        {"the line edit's change", "txtNorvText", "Change", type_1},
        {"a click", "txtNorvText", "Click", [](QtForm& f) { QTest::mouseClick(f.box(), Qt::LeftButton); }},
        {"a double click", "txtNorvText", "DblClick", [](QtForm& f) { QTest::mouseDClick(f.box(), Qt::LeftButton); }},
        {"leaving", "txtNorvZip", "Validate", [type_1](QtForm& f) {
             type_1(f);
             f.other->setFocus();
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        QtForm form(row.class_name);
        bool raised = false;
        QObject::connect(form.control, &ControlWidget::eventRaised, [&](const QString& name) {
            if (row.event && name == QLatin1String(row.event) && !std::exchange(raised, true)) raise(ErrorCode::InvalidPropertyValue);
        });
        QSignalSpy errors(form.control, &ControlWidget::errorRaised);
        testing::warnings().clear();
        form.box()->setFocus();
        row.act(form);
        EXPECT_EQ(raised, row.event != nullptr);
        ASSERT_EQ(errors.count(), 1);
        EXPECT_EQ(errors.at(0).at(0).toInt(), row.number);
        ASSERT_EQ(testing::warnings().size(), 1);
        EXPECT_TRUE(testing::warnings().front().contains(QStringLiteral("t1 (%1): error %2").arg(row.class_name).arg(row.number)));
        form.box()->setFocus();
        form.box()->home(false);
        QTest::keyClick(form.box(), Qt::Key_2);
        EXPECT_NE(form.text().find('2'), std::string::npos);
    }
}

// Another window taking the front is no LostFocus: the text stays as typed until the user
// really leaves, and then the leaving rules run (proper case here).
TEST(QtFocus, OnlyReallyLeavingRunsTheLeavingRules) {
    QtForm form("txtNorvText");
    ASSERT_TRUE(form.active);
    form.control->setMember(QStringLiteral("Chars"), 128);
    form.box()->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(form.box(), QStringLiteral("ada"));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(form.text(), "ada");
    form.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.window.get()));
    form.other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form.text(), "Ada");
}

// The blink runs on a 500 ms timer and shows while the focus is elsewhere: the line edit's
// own selection would go with the focus. (A loaded machine may deliver the ticks late.)
TEST(QtBlink, TheWholeTextFlashesEveryHalfSecondUntilStopped) {
    QtForm form("txtNorvText");
    form.control->setMember(QStringLiteral("Text"), QStringLiteral("abc"));
    QSignalSpy toggles(form.box(), &QLineEdit::selectionChanged);
    form.control->setMember(QStringLiteral("Blink"), true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return toggles.count() >= 3; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.box()->hasSelectedText(); }, 1000));
    EXPECT_EQ(form.box()->selectedText(), QStringLiteral("abc"));
    form.control->setMember(QStringLiteral("Blink"), false);
    EXPECT_FALSE(form.box()->hasSelectedText());
    toggles.clear();
    QTest::qWait(700);
    EXPECT_EQ(toggles.count(), 0);
}

}  // namespace
}  // namespace norvtext::qt
