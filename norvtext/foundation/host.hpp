// The host container of one control: what a control asks of the form it sits on. A host
// supplies the inner box and timer, the ambient font, locale and clock, the beep, the modal
// About box, property-changed notifications and the delivery of the control's events.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

#include "norvtext/foundation/about_box.hpp"
#include "norvtext/foundation/accessible.hpp"
#include "norvtext/foundation/edit_box.hpp"
#include "norvtext/foundation/timer.hpp"
#include "norvtext/platform/locale.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {

// The controls' events, delivered to the host; key arguments go by reference and what the
// host leaves in them comes back to the control.
class EventSink {
public:
    virtual void Click() {}
    virtual void DblClick() {}
    virtual void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void KeyPress(std::int16_t& KeyAscii) { (void)KeyAscii; }
    virtual void Change() {}
    virtual void Validate() {}

protected:
    ~EventSink() = default;
};

class Host : public EventSink {
public:
    virtual ~Host() = default;

    // Constituents: the inner box and the blink timer, created with their design state.
    virtual std::unique_ptr<EditBox> create_edit_box() = 0;
    virtual std::unique_ptr<MaskedEditBox> create_masked_edit_box(std::u16string_view mask,
                                                                  std::int32_t max_length) = 0;
    virtual std::unique_ptr<Timer> create_timer() = 0;

    // A persisted property changed; the host marks its form as changed.
    virtual void property_changed(std::string_view name) = 0;

    virtual FontRef ambient_font() = 0;
    virtual const Locale& locale() = 0;
    virtual std::chrono::sys_days today() = 0;
    virtual void beep() = 0;
    // Shows the About box modally: returns after it has closed.
    virtual void show_about(const AboutBox& about) = 0;

    // Assistive technology: the control's AccessibleView changed, or a key was refused with a
    // beep (detail: the reason in words). Hosts without assistive technology ignore it.
    virtual void accessible_event(AccessibleEvent event, std::string_view detail) { (void)event, (void)detail; }

    // The control's own size, read on every resize (twips).
    virtual std::int32_t width() = 0;
    virtual std::int32_t height() = 0;
};

}  // namespace norvtext
