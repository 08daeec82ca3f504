// The Qt host site: constituents on Qt widgets, the ambient values from the widget, and
// the control's events handed to the widget as signals.
#include "qt/qt_host.hpp"

#include <map>

#include <QApplication>
#include <QDate>
#include <QTimer>

#include "norvtext/platform/error.hpp"
#include "qt/about_dialog.hpp"
#include "qt/accessible.hpp"
#include "qt/control_widget.hpp"
#include "qt/conversions.hpp"
#include "qt/line_edit_box.hpp"

namespace norvtext::qt {

namespace {

// The blink timer on QTimer: 500 ms, created stopped. Most boxes never blink, so the QTimer
// (about 450 bytes with its connection) is made when the box first starts blinking.
class QtTimer : public Timer {
public:
    explicit QtTimer(ErrorReporter report) : report_(std::move(report)) {}
    void set_listener(TimerListener* listener) override { listener_ = listener; }
    bool enabled() const override { return timer_ && timer_->isActive(); }

    void set_enabled(bool enabled) override {
        if (!enabled) {
            if (timer_) timer_->stop();
            return;
        }
        if (!timer_) {
            timer_ = std::make_unique<QTimer>();
            timer_->setInterval(blink_interval_ms);
            QObject::connect(timer_.get(), &QTimer::timeout, [this] {
                guarded(report_, [this] {
                    if (listener_) listener_->on_timer();
                });
            });
        }
        // Starting a running timer would restart its interval.
        if (!timer_->isActive()) timer_->start();
    }

private:
    ErrorReporter report_;
    std::unique_ptr<QTimer> timer_;
    TimerListener* listener_ = nullptr;
};

// One Locale per locale name for the whole program, never released: a form's boxes nearly
// always share one, and each Locale holds its month names and symbols (about 1 KiB).
const Locale& shared_locale(const QLocale& source) {
    static std::map<QString, Locale> known;
    const QString name = source.language() == QLocale::C ? QString() : source.name();
    const auto [it, added] = known.try_emplace(name, Locale::en_us());
    try {
        if (added && !name.isEmpty()) it->second = Locale::from_name(name.toStdString());
    } catch (const Error&) {
        // A name ICU does not know reads as the library's own locale, as "C" does.
    }
    return it->second;
}

// An inner box made for `widget`: it starts with the form's font, as it does when first placed.
template <class Box>
std::unique_ptr<Box> designed(std::unique_ptr<Box> box, QWidget& widget, const FontRef& font) {
    box->set_member(InnerMember::Font, Variant(font));
    widget.setFocusProxy(box.get());
    widget.setFocusPolicy(box->focusPolicy());
    box->show();
    return box;
}

}  // namespace

QtHost::QtHost(ControlWidget& widget)
    : widget_(widget), report_([this](const std::exception& e) { widget_.report(e); }) {}

std::unique_ptr<EditBox> QtHost::create_edit_box() {
    return designed(std::make_unique<QtEditBox>(&widget_, report_), widget_, ambient_font());
}

std::unique_ptr<MaskedEditBox> QtHost::create_masked_edit_box(std::u16string_view mask, std::int32_t) {
    // The mask decides the length; Qt has no separate maximum for a masked line edit.
    return designed(std::make_unique<QtMaskedEditBox>(&widget_, report_, mask), widget_, ambient_font());
}

std::unique_ptr<Timer> QtHost::create_timer() { return std::make_unique<QtTimer>(report_); }

void QtHost::property_changed(std::string_view name) {
    if (widget_.constructed_) Q_EMIT widget_.propertyChanged(to_qstring(name));
}

FontRef QtHost::ambient_font() {
    const QFont current = widget_.font();
    if (!font_ || current != font_source_) {
        font_source_ = current;
        font_ = to_font(current);
    }
    return font_;
}

const Locale& QtHost::locale() {
    // Asked on every keystroke: the look-up runs only when the widget's locale changed.
    const QLocale current = widget_.locale();
    if (!locale_ || current != locale_source_) {
        locale_source_ = current;
        locale_ = &shared_locale(current);
    }
    return *locale_;
}

std::chrono::sys_days QtHost::today() {
    const QDate d = QDate::currentDate();
    return std::chrono::sys_days{std::chrono::year{d.year()} / d.month() / d.day()};
}

void QtHost::accessible_event(AccessibleEvent event, std::string_view detail) {
    if (widget_.constructed_) notify_accessible(widget_, event, detail);
}

void QtHost::beep() {
    QApplication::beep();
    if (widget_.constructed_) Q_EMIT widget_.beeped();
}

void QtHost::show_about(const AboutBox& about) {
    AboutDialog(about, widget_.window()).exec();
    if (widget_.constructed_) Q_EMIT widget_.aboutShown();
}

std::int32_t QtHost::width() { return pixels_to_twips(widget_.width(), widget_.logicalDpiX()); }
std::int32_t QtHost::height() { return pixels_to_twips(widget_.height(), widget_.logicalDpiY()); }

void QtHost::Click() { widget_.deliver("Click", {}); }
void QtHost::DblClick() { widget_.deliver("DblClick", {}); }
void QtHost::KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) { widget_.deliver("KeyDown", {&KeyCode, &Shift}); }
void QtHost::KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) { widget_.deliver("KeyUp", {&KeyCode, &Shift}); }
void QtHost::KeyPress(std::int16_t& KeyAscii) { widget_.deliver("KeyPress", {&KeyAscii}); }
void QtHost::Change() { widget_.deliver("Change", {}); }
void QtHost::Validate() { widget_.deliver("Validate", {}); }

}  // namespace norvtext::qt
