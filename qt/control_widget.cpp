// The control widget: construction of the core control on its Qt host site, the guarded
// late-bound forwarding the generated classes use, events and errors as signals.
#include "qt/control_widget.hpp"

#include <QDebug>
#include <QMetaClassInfo>
#include <QMetaMethod>

#include "norvtext/platform/error.hpp"
#include "qt/qt_host.hpp"

namespace norvtext::qt {

namespace {

const ControlClass& class_named(std::string_view name) {
    const ControlClass* cls = find_control_class(name);
    if (!cls) raise(ErrorCode::NotSupported, "no control class " + std::string(name));
    return *cls;
}

}  // namespace

ControlWidget::ControlWidget(std::string_view class_name, QWidget* parent)
    : QWidget(parent), class_(class_named(class_name)), host_(std::make_unique<QtHost>(*this)) {
    install_accessibility();
    control_ = class_.create(*host_);
    // A widget made by code, a form loader or a designer is a control's first placement;
    // a saved state is then applied through the property writers or load().
    guarded([this] { control_->InitProperties(); });
    resize(sizeHint());
    constructed_ = true;
}

ControlWidget::~ControlWidget() {
    // Nothing the control does while it goes reaches the application's handlers.
    constructed_ = false;
}

void ControlWidget::report(const std::exception& e) const {
    const auto* error = dynamic_cast<const Error*>(&e);
    const int number = error ? error->number() : 0;
    const QString message = QString::fromUtf8(e.what());
    qWarning().noquote() << QStringLiteral("%1 (%2): error %3 %4").arg(objectName(), className()).arg(number).arg(message);
    if (constructed_) Q_EMIT const_cast<ControlWidget*>(this)->errorRaised(number, message);
}

void ControlWidget::deliver(std::string_view event, std::initializer_list<std::int16_t*> args) {
    if (!constructed_) return;
    // The texts are made only for a listener: a keystroke raises three or four events.
    static const QMetaMethod raised = QMetaMethod::fromSignal(&ControlWidget::eventRaised);
    if (isSignalConnected(raised)) {
        QStringList shown;
        for (const std::int16_t* a : args) shown << QString::number(*a);
        Q_EMIT eventRaised(to_qstring(event), shown.join(u' '));
    }
    emit_event(event, std::span<std::int16_t* const>(args.begin(), args.size()));
}

// ---------------------------------------------------------------------------------------
// Late binding with Qt values.

QVariant ControlWidget::call(const QString& method, const QVariantList& args) {
    QVariant out;
    guarded([&] {
        std::vector<Variant> converted;
        for (const QVariant& a : args) converted.push_back(from_qvariant(a));
        out = to_qvariant(control_->invoke(method.toStdString(), converted));
    });
    return out;
}

QString ControlWidget::description(const QString& member) const {
    const int index = metaObject()->indexOfClassInfo(("Description." + member).toUtf8().constData());
    return index < 0 ? QString() : QString::fromUtf8(metaObject()->classInfo(index).value());
}

}  // namespace norvtext::qt
