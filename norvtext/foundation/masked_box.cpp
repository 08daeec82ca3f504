// Shared behaviour of the masked boxes.
#include "norvtext/foundation/masked_box.hpp"

#include "norvtext/foundation/mask_rules.hpp"

namespace norvtext {

MaskedControlBase::MaskedControlBase(Host& host, std::u16string_view design_mask, std::int32_t design_max_length)
    : BoxBase(host, host.create_masked_edit_box(design_mask, design_max_length)),
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

void MaskedControlBase::on_got_focus() {
    stop_blink_timer();
    select_on_focus();
}

}  // namespace norvtext
