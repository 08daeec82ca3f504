// Test harness for the Qt adapter: a real window with one control beside a plain line edit
// that takes the focus away, with everything the control tells its host recorded in the
// headless host's transcript format.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "qt/controls.hpp"
#include "qt/conversions.hpp"

namespace norvtext::qt::testing {

using Lines = std::vector<std::string>;

// The lines MemoryHost records: "t1: KeyPress 97", "t1: changed Text", "beep", "t1: about".
inline void record(ControlWidget& c, Lines& lines) {
    const auto said = [&c, &lines](const QString& what) { lines.push_back((c.objectName() + QStringLiteral(": ") + what).toStdString()); };
    QObject::connect(&c, &ControlWidget::eventRaised,
                     [said](const QString& name, const QString& args) { said(args.isEmpty() ? name : name + u' ' + args); });
    QObject::connect(&c, &ControlWidget::propertyChanged, [said](const QString& name) { said(QStringLiteral("changed ") + name); });
    QObject::connect(&c, &ControlWidget::beeped, [&lines] { lines.push_back("beep"); });
    QObject::connect(&c, &ControlWidget::aboutShown, [said] { said(QStringLiteral("about")); });
}

struct QtForm {
    explicit QtForm(const char* class_name) : window(std::make_unique<QWidget>()) {
        control = create_control_widget(class_name, window.get());
        control->setObjectName(QStringLiteral("t1"));
        other = new QLineEdit(window.get());
        auto* layout = new QHBoxLayout(window.get());
        layout->addWidget(control);
        layout->addWidget(other);
        // The library's own locale, whatever the machine's is.
        window->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        other->setFocus();
        window->show();
        window->activateWindow();
        active = QTest::qWaitForWindowActive(window.get());
    }
    QLineEdit* box() const { return control->textbox(); }
    std::string text() const { return to_qstring(control->control().textbox().text()).toStdString(); }

    std::unique_ptr<QWidget> window;
    ControlWidget* control = nullptr;
    QLineEdit* other = nullptr;
    bool active = false;
};

// The warnings Qt's log has received since the last clear(); each goes on to the log too.
inline QStringList& warnings() {
    static QStringList seen;
    static const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& at, const QString& m) {
        if (type == QtWarningMsg) seen << m;
        previous(type, at, m);
    });
    return seen;
}

}  // namespace norvtext::qt::testing
