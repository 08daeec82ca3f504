// Shared behaviour of the masked boxes.
#include "norvtext/foundation/masked_box.hpp"

namespace norvtext {

MaskedControlBase::MaskedControlBase(Host& host, std::u16string_view design_mask, std::int32_t design_max_length)
    : BoxBase(host, host.create_masked_edit_box(design_mask, design_max_length)),
      // The inner box was created as a masked box just above.
      masked_(static_cast<MaskedEditBox&>(Textbox)) {}

std::u16string MaskedControlBase::empty_text() const {
    // A loaded bag may have given the inner box another prompt; the untouched text is
    // whatever the box shows, or clearing would write prompts the box refuses.
    const Variant prompt = masked_.member(InnerMember::PromptChar);
    const bool one_char = prompt.is_string() && prompt.string_ref().size() == 1;
    return all_prompt_text(masked_.mask(), one_char ? prompt.string_ref()[0] : u'_');
}

void MaskedControlBase::on_got_focus() {
    stop_blink_timer();
    select_on_focus();
}

}  // namespace norvtext
