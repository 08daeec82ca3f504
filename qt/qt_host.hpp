// The host site of one control on Qt: line edits for the inner box, a QTimer for the
// blink, the widget's font and locale, the system clock and beep, the modal About dialog,
// and the control's events turned into the widget's signals.
#pragma once

#include <memory>

#include <QFont>
#include <QLocale>

#include "norvtext/foundation/host.hpp"
#include "qt/guarded.hpp"

namespace norvtext::qt {

class ControlWidget;

class QtHost : public Host {
public:
    explicit QtHost(ControlWidget& widget);

    std::unique_ptr<EditBox> create_edit_box() override;
    std::unique_ptr<MaskedEditBox> create_masked_edit_box(std::u16string_view mask, std::int32_t max_length) override;
    std::unique_ptr<Timer> create_timer() override;
    void property_changed(std::string_view name) override;
    // The widget's own font, one shared object for as long as the font stays the same.
    FontRef ambient_font() override;
    // The widget's locale ("C" and names ICU does not know read as the library's own).
    const Locale& locale() override;
    std::chrono::sys_days today() override;
    void beep() override;
    void show_about(const AboutBox& about) override;
    void accessible_event(AccessibleEvent event, std::string_view detail) override;
    std::int32_t width() override;
    std::int32_t height() override;

    void Click() override;
    void DblClick() override;
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void KeyPress(std::int16_t& KeyAscii) override;
    void Change() override;
    void Validate() override;

private:
    ControlWidget& widget_;
    // The widget's report: errors of the inner box and timer become its signal.
    ErrorReporter report_;
    FontRef font_;
    QFont font_source_;
    const Locale* locale_ = nullptr;  // shared with every widget of the same locale
    QLocale locale_source_;
};

}  // namespace norvtext::qt
