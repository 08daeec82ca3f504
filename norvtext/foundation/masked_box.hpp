// What the four masked boxes (date, telephone, social security, ZIP) share: the masked
// inner box, its empty text, clearing, and focus arrival that stops a blink.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "norvtext/foundation/box_base.hpp"

namespace norvtext {

class MaskedControlBase : public BoxBase {
protected:
    // The inner box starts with its design-time mask, maximum length and prompt "_".
    MaskedControlBase(Host& host, std::string_view class_name, std::u16string_view design_mask,
                      std::int32_t design_max_length);

    MaskedEditBox& masked() { return masked_; }
    const MaskedEditBox& masked() const { return masked_; }

    // The text of an untouched box under the current mask and prompt ("__/__/____").
    std::u16string empty_text() const;
    bool is_untouched() const { return masked_.text() == empty_text(); }
    // Writes the empty text into the inner box.
    void ClearText() { masked_.set_text(empty_text()); }
    std::u16string cleared_text() const override { return empty_text(); }
    // The mask's literals: a pasted "078-05-1120" or "12/05/2026" holds them.
    bool is_display_char(char16_t c) const override;
    // What has been entered, as AccessibleView::value says.
    std::u16string accessible_value() const override;

    // Focus arrival: any blink stops when the user comes back, then the selection step.
    void on_got_focus() override {
        stop_blink_timer();
        select_on_focus();
    }
    // Typing: Backspace and what admitted_char makes of a key are offered to the host, every
    // other key is dropped.
    void on_key_press(std::int16_t& KeyAscii) override;

private:
    MaskedEditBox& masked_;
};

}  // namespace norvtext
