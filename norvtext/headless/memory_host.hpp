// A headless form and the host site of each control on it. Everything a control tells its
// host (announcements, events, beeps, About openings) is recorded as one transcript line,
// in the order it happens.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "norvtext/foundation/host.hpp"
#include "norvtext/headless/manual_timer.hpp"
#include "norvtext/headless/memory_edit_box.hpp"

namespace norvtext::headless {

class MemoryForm {
public:
    FontRef ambient_font = std::make_shared<Font>();
    Locale locale = Locale::en_us();
    std::chrono::sys_days today{std::chrono::year{2026} / 12 / 5};
    // The one clipboard every box on the form copies to and pastes from.
    std::u16string clipboard;

    // Every recorded line, and an optional sink that sees each as it is recorded.
    std::vector<std::string> transcript;
    std::function<void(const std::string&)> on_line;
    void record(std::string line) {
        if (on_line) on_line(line);
        transcript.push_back(std::move(line));
    }
    std::int32_t next_window_handle() { return next_handle_++; }

private:
    std::int32_t next_handle_ = 0x1000;
};

class MemoryHost : public Host {
public:
    MemoryHost(MemoryForm& form, std::string name) : form_(form), name_(std::move(name)) {}

    // The constituents this host created (the last of each), and the inner box as a
    // simulated user drives it.
    SimulatedUser* user() const { return user_; }
    ManualTimer* manual_timer() const { return timer_; }

    // The host's own KeyPress handler: replaces KeyAscii after the event is recorded.
    std::optional<std::int16_t> key_press_override;
    // Assistive technology's notifications, for a form that listens; none by default, so
    // a transcript holds them only where it asked for them.
    std::function<void(AccessibleEvent, std::string_view)> on_accessible_event;
    std::int32_t control_width = 0;
    std::int32_t control_height = 0;

    // Host
    std::unique_ptr<EditBox> create_edit_box() override { return designed(std::make_unique<MemoryEditBox>()); }
    std::unique_ptr<MaskedEditBox> create_masked_edit_box(std::u16string_view mask, std::int32_t max_length) override;
    std::unique_ptr<Timer> create_timer() override {
        auto timer = std::make_unique<ManualTimer>();
        timer_ = timer.get();
        return timer;
    }
    void property_changed(std::string_view property) override { say("changed " + std::string(property)); }
    FontRef ambient_font() override { return form_.ambient_font; }
    const Locale& locale() override { return form_.locale; }
    std::chrono::sys_days today() override { return form_.today; }
    void beep() override { form_.record("beep"); }
    // Headless: the modal dialog is shown and closed at once.
    void show_about(const AboutBox&) override { say("about"); }
    void accessible_event(AccessibleEvent event, std::string_view detail) override {
        if (on_accessible_event) on_accessible_event(event, detail);
    }
    std::int32_t width() override { return control_width; }
    std::int32_t height() override { return control_height; }

    // EventSink
    void Click() override { say("Click"); }
    void DblClick() override { say("DblClick"); }
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override { say_key("KeyDown", KeyCode, Shift); }
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override { say_key("KeyUp", KeyCode, Shift); }
    void KeyPress(std::int16_t& KeyAscii) override {
        say("KeyPress " + std::to_string(KeyAscii));
        if (key_press_override) KeyAscii = *key_press_override;
    }
    void Change() override { say("Change"); }
    void Validate() override { say("Validate"); }

private:
    void say(const std::string& what) { form_.record(name_ + ": " + what); }
    void say_key(const std::string& event, std::int16_t code, std::int16_t shift) {
        say(event + " " + std::to_string(code) + " " + std::to_string(shift));
    }
    // A new inner box with the design-time state every inner box starts with.
    template <class Box>
    std::unique_ptr<Box> designed(std::unique_ptr<Box> box) {
        // The form's font and a window of its own.
        box->set_member(InnerMember::Font, Variant(form_.ambient_font));
        box->set_member(InnerMember::hWnd, Variant(form_.next_window_handle()));
        box->set_clipboard(&form_.clipboard);
        user_ = box.get();
        return box;
    }

    MemoryForm& form_;
    std::string name_;
    SimulatedUser* user_ = nullptr;
    ManualTimer* timer_ = nullptr;
};

}  // namespace norvtext::headless
