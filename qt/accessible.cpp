// Accessible objects for the control widgets and their inner line edits, and their events.
#include "qt/accessible.hpp"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPointer>

#include "qt/control_widget.hpp"
#include "qt/conversions.hpp"

namespace norvtext::qt {

namespace {

// A label's text as a name: its mnemonic marks go ("&Date" is "Date", "&&" is "&").
QString without_mnemonic(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'&') text.remove(i, 1);
    return text;
}

QString described(const AccessibleView& view) {
    const QString description = QString::fromStdString(view.description);
    return view.invalid ? QString::fromStdString(view.reason) + QStringLiteral("; ") + description : description;
}

// One control as a screen reader meets it. The control widget and its inner line edit both
// present the control: focus lands on the line edit, a walk of the window finds the
// widget. Neither has children, so nothing reads the line edit's prompt characters.
class BoxAccessible : public QAccessibleWidget {
public:
    BoxAccessible(QWidget* widget, ControlWidget* control)
        : QAccessibleWidget(widget, QAccessible::EditableText), control_(control) {}

    bool isValid() const override { return QAccessibleWidget::isValid() && control_; }
    // The line edit is made, and announces itself, before its control stands.
    bool ready() const { return control_ && control_->constructed(); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!ready()) return QAccessibleWidget::text(t);
        switch (t) {
            case QAccessible::Name: return name();
            case QAccessible::Description: return described(control_->control().accessible());
            case QAccessible::Value: return to_qstring(control_->control().accessible().value);
            case QAccessible::Help: return control_->last_refusal();
            default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (!ready()) return s;
        const AccessibleView view = control_->control().accessible();
        s.readOnly = view.read_only;
        s.editable = !view.read_only;
        // Qt 6.4 has no state for an invalid entry of its own; the reason is in the
        // description as well, which every bridge passes on.
        s.invalid = view.invalid;
        s.focusable = true;
        s.focused = control_->textbox()->hasFocus();
        return s;
    }

private:
    // The widget's accessibleName, else the text of the label that is its buddy.
    QString name() const {
        if (!control_->accessibleName().isEmpty()) return control_->accessibleName();
        for (const QLabel* label : control_->window()->findChildren<QLabel*>())
            if (label->buddy() == control_ || label->buddy() == control_->textbox()) return without_mnemonic(label->text());
        return {};
    }

    QPointer<ControlWidget> control_;
};

QAccessibleInterface* make_interface(const QString&, QObject* object) {
    if (auto* control = qobject_cast<ControlWidget*>(object)) return new BoxAccessible(control, control);
    // A control widget's one line edit is its inner box.
    auto* box = qobject_cast<QLineEdit*>(object);
    auto* owner = box ? qobject_cast<ControlWidget*>(box->parentWidget()) : nullptr;
    return owner ? new BoxAccessible(box, owner) : nullptr;
}

// Hands one event to assistive technology.
void announce(QAccessibleEvent&& event) { QAccessible::updateAccessibility(&event); }

QString states_text(const AccessibleView& view) {
    QStringList states;
    if (view.read_only) states << QStringLiteral("read-only");
    if (view.invalid) states << QStringLiteral("invalid: ") + QString::fromStdString(view.reason);
    return states.isEmpty() ? QStringLiteral("none") : states.join(QStringLiteral(", "));
}

}  // namespace

void install_accessibility() {
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(make_interface), true);
}

void notify_accessible(ControlWidget& widget, AccessibleEvent event, std::string_view detail) {
    if (event == AccessibleEvent::KeyRefused) widget.refused_ = to_qstring(detail);
    static const QMetaMethod signal = QMetaMethod::fromSignal(&ControlWidget::accessibleEvent);
    const bool listened = widget.isSignalConnected(signal);
    // Without assistive technology or a listener, a keystroke builds nothing here.
    if (!QAccessible::isActive() && !listened) return;
    const AccessibleView view = widget.control().accessible();
    if (QAccessible::isActive()) {
        switch (event) {
            case AccessibleEvent::ValueChanged: announce(QAccessibleValueChangeEvent(&widget, to_qstring(view.value))); break;
            case AccessibleEvent::StateChanged: {
                QAccessible::State which;
                which.readOnly = which.editable = which.invalid = true;
                announce(QAccessibleStateChangeEvent(&widget, which));
                announce(QAccessibleEvent(&widget, QAccessible::DescriptionChanged));
                break;
            }
            // The reason is the object's Help text; the alert makes a screen reader read it.
            case AccessibleEvent::KeyRefused: announce(QAccessibleEvent(&widget, QAccessible::Alert)); break;
        }
    }
    if (!listened) return;
    switch (event) {
        case AccessibleEvent::ValueChanged: Q_EMIT widget.accessibleEvent(QStringLiteral("value"), to_qstring(view.value)); break;
        case AccessibleEvent::StateChanged: Q_EMIT widget.accessibleEvent(QStringLiteral("states"), states_text(view)); break;
        case AccessibleEvent::KeyRefused: Q_EMIT widget.accessibleEvent(QStringLiteral("refused"), widget.refused_); break;
    }
}

}  // namespace norvtext::qt
