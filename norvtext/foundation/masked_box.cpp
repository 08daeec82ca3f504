// Shared behaviour of the masked boxes.
#include "norvtext/foundation/masked_box.hpp"

#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/foundation/mask_rules.hpp"

namespace norvtext {

MaskedControlBase::MaskedControlBase(Host& host, std::string_view class_name, std::u16string_view design_mask,
                                     std::int32_t design_max_length)
    : BoxBase(host, class_name, host.create_masked_edit_box(design_mask, design_max_length)),
      // The inner box was created as a masked box just above.
      masked_(static_cast<MaskedEditBox&>(Textbox)) {}

std::u16string MaskedControlBase::empty_text() const {
    // A loaded bag may have given the inner box another prompt; the untouched text is
    // whatever the box shows, or clearing would write prompts the box refuses.
    return all_prompt_text(masked_.mask(), MaskRules::prompt_of(masked_.member(InnerMember::PromptChar)));
}

bool MaskedControlBase::is_display_char(char16_t c) const {
    return !MaskRules::is_position(c) && masked_.mask().find(c) != std::u16string_view::npos;
}

std::u16string MaskedControlBase::accessible_value() const {
    const std::u16string_view mask = masked_.mask();
    const std::u16string_view text = masked_.text();
    const char16_t prompt = MaskRules::prompt_of(masked_.member(InnerMember::PromptChar));
    std::u16string value;
    std::size_t entered_end = 0;  // the value's length up to its last entered character
    bool entered = false;         // something entered so far
    bool past_lead = false;       // past the literals the mask opens with ("(" of a telephone)
    for (std::size_t i = 0; i < text.size() && i < mask.size(); ++i) {
        if (!MaskRules::is_position(mask[i])) {
            if (entered || !past_lead) value += text[i];
            continue;
        }
        past_lead = true;
        if (text[i] == prompt) continue;
        value += text[i];
        entered = true;
        entered_end = value.size();
    }
    value.resize(entered_end);
    return value;
}

void MaskedControlBase::on_key_press(std::int16_t& KeyAscii) {
    if (swallow_if_read_only(KeyAscii)) return;
    if (KeyAscii != keys::Backspace) {
        KeyAscii = KeyAscii > 0 ? static_cast<std::int16_t>(admitted_char(static_cast<char16_t>(KeyAscii), 0)) : 0;
        if (KeyAscii == 0) return;
    }
    host_.KeyPress(KeyAscii);  // the host's value goes in as it left it
}

}  // namespace norvtext
