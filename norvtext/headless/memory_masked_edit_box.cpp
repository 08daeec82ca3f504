// The in-memory masked edit box: typing overwrites the next input position, skipping
// literals; a key that does not fit its position is rejected; deleting puts prompts back.
#include "norvtext/headless/memory_masked_edit_box.hpp"

#include <algorithm>

#include <unicode/uchar.h>

#include "norvtext/platform/error.hpp"

namespace norvtext::headless {

namespace {

bool is_position(char16_t m) { return m == u'#' || m == u'?'; }

bool fits(char16_t m, char16_t c) {
    if (m == u'#') return c >= u'0' && c <= u'9';
    // Any letter, not only ASCII: a locale's month abbreviation ("Mär") must fit "???".
    if (m == u'?') return u_isalpha(c) != 0;
    return false;
}

}  // namespace

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
    // One character that no position admits, or the box could not tell a prompt from an
    // entered character.
    const std::u16string p = value.to_string();
    if (p.size() != 1 || fits(u'#', p[0]) || fits(u'?', p[0])) raise(ErrorCode::InvalidPropertyValue);
    const char16_t old = prompt();
    MemoryBox::set_member(m, value);
    std::u16string t = text_;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (is_position(mask_[i]) && t[i] == old) t[i] = p[0];
    change_text(std::move(t), sel_start_);
}

bool MemoryMaskedEditBox::fits_mask(std::u16string_view text) const {
    if (text.size() != mask_.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t m = mask_[i];
        if (is_position(m) ? !(text[i] == prompt() || fits(m, text[i])) : text[i] != m) return false;
    }
    return true;
}

void MemoryMaskedEditBox::set_text(std::u16string_view text) {
    if (text.empty()) return change_text(all_prompt_text(mask_, prompt()), 0);
    if (!fits_mask(text)) raise(ErrorCode::InvalidPropertyValue);
    change_text(std::u16string(text), 0);
}

void MemoryMaskedEditBox::set_mask(std::u16string_view mask) {
    // The entered characters that fit are kept, laid into the new positions in order.
    std::u16string entered;
    for (std::size_t i = 0; i < text_.size() && i < mask_.size(); ++i)
        if (is_position(mask_[i]) && text_[i] != prompt()) entered += text_[i];
    mask_ = mask;
    max_length_ = static_cast<std::int32_t>(mask_.size());
    std::u16string t = all_prompt_text(mask_, prompt());
    std::size_t next = 0;
    for (std::size_t i = 0; i < t.size() && next < entered.size(); ++i) {
        if (!is_position(mask_[i])) continue;
        while (next < entered.size() && !fits(mask_[i], entered[next])) ++next;
        if (next < entered.size()) t[i] = entered[next++];
    }
    change_text(std::move(t), 0);
}

std::u16string MemoryMaskedEditBox::cleared_selection() const {
    std::u16string t = text_;
    const auto end = static_cast<std::size_t>(sel_start_ + sel_length_);
    for (auto i = static_cast<std::size_t>(sel_start_); i < end && i < t.size(); ++i)
        if (is_position(mask_[i])) t[i] = prompt();
    return t;
}

std::int32_t MemoryMaskedEditBox::skip_literals(std::int32_t from) const {
    auto i = static_cast<std::size_t>(std::max(from, 0));
    while (i < mask_.size() && !is_position(mask_[i])) ++i;
    return static_cast<std::int32_t>(i);
}

bool MemoryMaskedEditBox::put_char(std::u16string& t, std::int32_t& caret, char16_t c) const {
    const std::int32_t pos = skip_literals(caret);
    if (pos >= static_cast<std::int32_t>(mask_.size())) return false;
    if (!fits(mask_[static_cast<std::size_t>(pos)], c)) return false;
    t[static_cast<std::size_t>(pos)] = c;
    caret = skip_literals(pos + 1);
    return true;
}

void MemoryMaskedEditBox::insert_char(char16_t c) {
    // A selection typed over is cleared first; a key that does not fit changes nothing.
    std::u16string t = cleared_selection();
    std::int32_t caret = sel_start_;
    if (!put_char(t, caret, c)) return;
    change_text(std::move(t), caret);
}

void MemoryMaskedEditBox::set_sel_text(std::u16string_view text) {
    std::u16string t = cleared_selection();
    std::int32_t caret = sel_start_;
    for (char16_t c : text) put_char(t, caret, c);
    change_text(std::move(t), caret);
}

void MemoryMaskedEditBox::backspace() {
    if (sel_length_ > 0) return change_text(cleared_selection(), sel_start_);
    auto i = static_cast<std::size_t>(sel_start_);
    while (i > 0 && !is_position(mask_[i - 1])) --i;
    if (i == 0) return;
    std::u16string t = text_;
    t[i - 1] = prompt();
    change_text(std::move(t), static_cast<std::int32_t>(i - 1));
}

void MemoryMaskedEditBox::delete_forward() {
    if (sel_length_ > 0) return change_text(cleared_selection(), sel_start_);
    const std::int32_t pos = skip_literals(sel_start_);
    if (pos >= static_cast<std::int32_t>(mask_.size())) return;
    std::u16string t = text_;
    t[static_cast<std::size_t>(pos)] = prompt();
    change_text(std::move(t), sel_start_);
}

}  // namespace norvtext::headless
