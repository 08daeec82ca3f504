// Shared behaviour of the masked boxes.
#include "norvtext/foundation/masked_box.hpp"

namespace norvtext {

MaskedBoxBase::MaskedBoxBase(Host& host, std::u16string_view design_mask, std::int32_t design_max_length)
    : BoxBase(host, host.create_masked_edit_box(design_mask, design_max_length)),
      // The inner box was created as a masked box just above.
      masked_(static_cast<MaskedEditBox&>(Textbox)) {}

void MaskedBoxBase::on_got_focus() {
    stop_blink_timer();
    select_on_focus();
}

}  // namespace norvtext
