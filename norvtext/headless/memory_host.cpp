// The headless form's host sites: they create in-memory constituents and record what the
// controls tell them.
#include "norvtext/headless/memory_host.hpp"

#include "norvtext/headless/memory_masked_edit_box.hpp"

namespace norvtext::headless {

void MemoryForm::record(std::string line) {
    if (on_line) on_line(line);
    transcript.push_back(std::move(line));
}

template <class Box>
std::unique_ptr<Box> MemoryHost::designed(std::unique_ptr<Box> box) {
    // The form's font and a window of its own.
    box->set_member(InnerMember::Font, Variant(form_.ambient_font));
    box->set_member(InnerMember::hWnd, Variant(form_.next_window_handle()));
    box->set_clipboard(&form_.clipboard);
    user_ = box.get();
    return box;
}

std::unique_ptr<EditBox> MemoryHost::create_edit_box() { return designed(std::make_unique<MemoryEditBox>()); }

std::unique_ptr<MaskedEditBox> MemoryHost::create_masked_edit_box(std::u16string_view mask, std::int32_t max_length) {
    return designed(std::make_unique<MemoryMaskedEditBox>(mask, max_length));
}

std::unique_ptr<Timer> MemoryHost::create_timer() {
    auto timer = std::make_unique<ManualTimer>();
    timer_ = timer.get();
    return timer;
}

void MemoryHost::KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    say("KeyDown " + std::to_string(KeyCode) + " " + std::to_string(Shift));
}
void MemoryHost::KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    say("KeyUp " + std::to_string(KeyCode) + " " + std::to_string(Shift));
}
void MemoryHost::KeyPress(std::int16_t& KeyAscii) {
    say("KeyPress " + std::to_string(KeyAscii));
    if (key_press_override) KeyAscii = *key_press_override;
}

}  // namespace norvtext::headless
