// The QWidget every control class sits in on Qt: it owns the core control and its host
// site, forwards the published members and events, and keeps exceptions inside. The
// classes themselves (norvtext::qt::txtNorvText ...) are generated from the type library.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

#include "norvtext/controls/registry.hpp"
#include "norvtext/foundation/box_base.hpp"
#include "norvtext/foundation/property_bag.hpp"
#include "qt/accessible.hpp"
#include "qt/conversions.hpp"
#include "qt/guarded.hpp"

namespace norvtext::qt {

class QtHost;

class ControlWidget : public QWidget {
    Q_OBJECT

public:
    ~ControlWidget() override;

    // The core control: its own members raise norvtext::Error to the caller.
    BoxBase& control() { return *control_; }
    const ControlClass& control_class() const { return class_; }
    // False while the widget is still being made or already going.
    bool constructed() const { return constructed_; }
    QString className() const { return to_qstring(class_.name); }
    // The inner box (`Textbox`) as the user sees it.
    QLineEdit* textbox() const { return dynamic_cast<QLineEdit*>(&control_->textbox()); }

    // Late binding with Qt values, checked against the type library. A failure is
    // reported (errorRaised and the log) and gives an invalid QVariant or false.
    QVariant member(const QString& name) { return read_as<QVariant>(name.toStdString()); }
    bool setMember(const QString& name, const QVariant& value) { return write(name.toStdString(), value); }
    QVariant call(const QString& method, const QVariantList& args = {});

    // A member's or event's one-line description for property browsers, as the class info
    // written from the type library holds it ("" for none).
    QString description(const QString& member) const;

    // The host's load and save of the control's state; false when it failed (reported).
    bool load(PropertyBag& bag) { return guarded([&] { control_->ReadProperties(bag); }); }
    bool save(PropertyBag& bag) { return guarded([&] { control_->WriteProperties(bag); }); }

    QSize sizeHint() const override {
        return {twips_to_pixels(class_.initial_width, logicalDpiX()),
                twips_to_pixels(class_.initial_height, logicalDpiY())};
    }

    // Why the last key was refused with a beep ("at most 8 characters"); "" before any.
    const QString& last_refusal() const { return refused_; }

Q_SIGNALS:
    // A persisted property changed (the form is now changed).
    void propertyChanged(const QString& name);
    // Every event as it is raised, before its own signal: the event's name and its
    // arguments as the handlers get them ("97" for KeyPress, "65 1" for KeyDown).
    void eventRaised(const QString& name, const QString& arguments);
    void beeped();
    // What assistive technology was told: "value" with the value, "states" with "none",
    // "read-only" and "invalid: REASON", or "refused" with the reason.
    void accessibleEvent(const QString& kind, const QString& detail);
    void aboutShown();
    // An error the control raised where no caller could receive it (an event handler, a
    // property written through Qt's property system).
    void errorRaised(int number, const QString& message);

protected:
    ControlWidget(std::string_view class_name, QWidget* parent);

    // Emits the class's own signal for an event it publishes, named as in the library.
    virtual void emit_event(std::string_view /*event*/, std::span<std::int16_t* const> /*args*/) {}

    // The generated accessors: each reads or writes one member through late binding (its
    // methods go through call()). A member reads as T's empty value (the widget's font for a
    // font) when the read failed, which is reported, or gave Empty (for a font, Nothing). A
    // written value converts as any Qt value does (from_qvariant).
    template <class T>
    T read_as(std::string_view name) const {
        T out{};
        if constexpr (std::is_same_v<T, QFont>) out = font();
        guarded([&] {
            const Variant v = control_->get(name);
            if (v.is_empty()) return;
            if constexpr (std::is_same_v<T, int>) out = v.to_long();
            else if constexpr (std::is_same_v<T, bool>) out = v.to_boolean();
            else if constexpr (std::is_same_v<T, QString>) out = to_qstring(v.to_string());
            else if constexpr (std::is_same_v<T, QVariant>) out = to_qvariant(v);
            else if constexpr (std::is_same_v<T, QColor>) out = to_qcolor(v.to_colour(), textbox()->palette());
            else if constexpr (std::is_same_v<T, QPixmap>) out = to_qpixmap(v.to_picture());
            else if (const FontRef f = v.to_font()) out = to_qfont(*f);
        });
        return out;
    }
    bool write(std::string_view name, const QVariant& value) {
        return guarded([&] { control_->put(name, from_qvariant(value)); });
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        guarded([this] { control_->Resize(); });
    }

private:
    friend class QtHost;
    friend void notify_accessible(ControlWidget&, AccessibleEvent, std::string_view);
    void report(const std::exception& e) const;
    void deliver(std::string_view event, std::initializer_list<std::int16_t*> args);
    template <class Action>
    bool guarded(Action&& action) const {
        return qt::guarded([this](const std::exception& e) { report(e); }, action);
    }

    const ControlClass& class_;
    std::unique_ptr<QtHost> host_;
    // Declared after the host, so it goes first: it releases its inner box and timer, which
    // the host made.
    std::unique_ptr<BoxBase> control_;
    // Until the control stands, nothing it does reaches the application's handlers.
    bool constructed_ = false;
    QString refused_;
};

}  // namespace norvtext::qt
