// The in-memory masked edit box: typing overwrites the next input position, skipping
// literals; a key that does not fit its position is rejected; deleting puts prompts back.
#include "norvtext/headless/memory_masked_edit_box.hpp"

namespace norvtext::headless {

void MemoryMaskedEditBox::set_member(InnerMember m, const Variant& value) {
    if (m != InnerMember::PromptChar) return MemoryBox::set_member(m, value);
    const std::u16string t = rules().reprompted(text_, value);
    MemoryBox::set_member(m, value);
    forget_history();
    change_text(t, sel_start_);
}

void MemoryMaskedEditBox::set_mask(std::u16string_view mask) {
    const std::u16string t = rules().relaid(text_, mask);
    mask_ = mask;
    max_length_ = static_cast<std::int32_t>(mask_.size());
    forget_history();
    change_text(t, 0);
}

void MemoryMaskedEditBox::insert_char(char16_t c) {
    // A selection typed over is cleared first; a key that does not fit changes nothing.
    std::u16string t = rules().cleared(text_, sel_start_, sel_length_);
    std::int32_t caret = sel_start_;
    if (rules().put_char(t, caret, c)) change_text(t, caret);
}

void MemoryMaskedEditBox::backspace() {
    if (sel_length_ > 0) return change_text(rules().cleared(text_, sel_start_, sel_length_), sel_start_);
    std::int32_t pos = sel_start_ - 1;  // the input position before the caret, past literals
    while (pos >= 0 && !MaskRules::is_position(mask_[to_index(pos)])) --pos;
    if (pos >= 0) change_text(rules().cleared(text_, pos, 1), pos);
}

void MemoryMaskedEditBox::delete_forward() {
    if (sel_length_ > 0) return change_text(rules().cleared(text_, sel_start_, sel_length_), sel_start_);
    const std::int32_t pos = rules().skip_literals(sel_start_);
    if (pos < static_cast<std::int32_t>(mask_.size())) change_text(rules().cleared(text_, pos, 1), sel_start_);
}

}  // namespace norvtext::headless
