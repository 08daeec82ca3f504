// The in-memory masked edit box: typing overwrites the next input position, skipping
// literals; a key that does not fit its position is rejected; deleting puts prompts back.
#include "norvtext/headless/memory_masked_edit_box.hpp"

#include "norvtext/platform/error.hpp"

namespace norvtext::headless {

MemoryMaskedEditBox::MemoryMaskedEditBox(std::u16string_view mask, std::int32_t max_length)
    : mask_(mask), max_length_(max_length) {
    text_ = all_prompt_text(mask_, prompt());
}

char16_t MemoryMaskedEditBox::prompt() const {
    const Variant p = member(InnerMember::PromptChar);
    return p.is_string() && p.string_ref().size() == 1 ? p.string_ref()[0] : u'_';
}

void MemoryMaskedEditBox::set_member(InnerMember m, const Variant& value) {
    if (m != InnerMember::PromptChar) return MemoryBox::set_member(m, value);
    const std::u16string p = value.to_string();
    if (!MaskRules::valid_prompt(p)) raise(ErrorCode::InvalidPropertyValue);
    const std::u16string t = rules().with_prompt(text_, p[0]);
    MemoryBox::set_member(m, value);
    change_text(t, sel_start_);
}

bool MemoryMaskedEditBox::fits_mask(std::u16string_view text) const { return rules().fits_text(text); }

void MemoryMaskedEditBox::set_text(std::u16string_view text) {
    if (text.empty()) return change_text(all_prompt_text(mask_, prompt()), 0);
    if (!fits_mask(text)) raise(ErrorCode::InvalidPropertyValue);
    change_text(text, 0);
}

void MemoryMaskedEditBox::set_mask(std::u16string_view mask) {
    const std::u16string t = rules().relaid(text_, mask);
    mask_ = mask;
    max_length_ = static_cast<std::int32_t>(mask_.size());
    change_text(t, 0);
}

void MemoryMaskedEditBox::insert_char(char16_t c) {
    // A selection typed over is cleared first; a key that does not fit changes nothing.
    std::u16string t = rules().cleared(text_, sel_start_, sel_length_);
    std::int32_t caret = sel_start_;
    if (!rules().put_char(t, caret, c)) return;
    change_text(t, caret);
}

void MemoryMaskedEditBox::set_sel_text(std::u16string_view text) {
    std::u16string t = rules().cleared(text_, sel_start_, sel_length_);
    std::int32_t caret = sel_start_;
    for (char16_t c : text) rules().put_char(t, caret, c);
    change_text(t, caret);
}

void MemoryMaskedEditBox::backspace() {
    if (sel_length_ > 0) return change_text(rules().cleared(text_, sel_start_, sel_length_), sel_start_);
    auto i = static_cast<std::size_t>(sel_start_);
    while (i > 0 && !MaskRules::is_position(mask_[i - 1])) --i;
    if (i == 0) return;
    const auto pos = static_cast<std::int32_t>(i - 1);
    change_text(rules().cleared(text_, pos, 1), pos);
}

void MemoryMaskedEditBox::delete_forward() {
    if (sel_length_ > 0) return change_text(rules().cleared(text_, sel_start_, sel_length_), sel_start_);
    const std::int32_t pos = rules().skip_literals(sel_start_);
    if (pos >= static_cast<std::int32_t>(mask_.size())) return;
    change_text(rules().cleared(text_, pos, 1), sel_start_);
}

}  // namespace norvtext::headless
