// The masked-edit contract's rules, and the masked box's empty text.
#include "norvtext/foundation/mask_rules.hpp"

#include <algorithm>

#include <unicode/uchar.h>

#include "norvtext/foundation/edit_box.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {

std::u16string all_prompt_text(std::u16string_view mask, char16_t prompt) {
    std::u16string text(mask);
    for (char16_t& c : text)
        if (MaskRules::is_position(c)) c = prompt;
    return text;
}

bool MaskRules::fits(char16_t m, char16_t c) {
    if (m == u'#') return c >= u'0' && c <= u'9';
    // "?": any letter, not only ASCII: a locale's month abbreviation ("Mär") must fit "???".
    return u_isalpha(c) != 0;
}

char16_t MaskRules::prompt_of(const Variant& p) {
    return p.is_string() && p.string_ref().size() == 1 ? p.string_ref()[0] : u'_';
}

bool MaskRules::fits_text(std::u16string_view text) const {
    if (text.size() != mask.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t m = mask[i];
        if (is_position(m) ? !(text[i] == prompt || fits(m, text[i])) : text[i] != m) return false;
    }
    return true;
}

std::int32_t MaskRules::skip_literals(std::int32_t from) const {
    auto i = static_cast<std::size_t>(std::max(from, 0));
    while (i < mask.size() && !is_position(mask[i])) ++i;
    return static_cast<std::int32_t>(i);
}

std::int32_t MaskRules::caret_stop(std::int32_t to, bool forward) const {
    if (forward) return skip_literals(to);
    to = std::min(to, static_cast<std::int32_t>(mask.size()) - 1);
    while (to >= 0 && !is_position(mask[static_cast<std::size_t>(to)])) --to;
    return std::max(to, 0);
}

bool MaskRules::takes(std::int32_t caret, char16_t c) const {
    const std::int32_t pos = skip_literals(caret);
    return pos < static_cast<std::int32_t>(mask.size()) && fits(mask[static_cast<std::size_t>(pos)], c);
}

bool MaskRules::put_char(std::u16string& text, std::int32_t& caret, char16_t c) const {
    if (!takes(caret, c)) return false;
    const std::int32_t pos = skip_literals(caret);
    text[static_cast<std::size_t>(pos)] = c;
    caret = skip_literals(pos + 1);
    return true;
}

std::u16string MaskRules::cleared(std::u16string_view text, std::int32_t start, std::int32_t length) const {
    std::u16string t(text);
    const auto end = static_cast<std::size_t>(start + length);
    for (auto i = static_cast<std::size_t>(std::max(start, 0)); i < end && i < t.size() && i < mask.size(); ++i)
        if (is_position(mask[i])) t[i] = prompt;
    return t;
}

std::u16string MaskRules::relaid(std::u16string_view text, std::u16string_view new_mask) const {
    std::u16string entered;
    for (std::size_t i = 0; i < text.size() && i < mask.size(); ++i)
        if (is_position(mask[i]) && text[i] != prompt) entered += text[i];
    std::u16string t = all_prompt_text(new_mask, prompt);
    std::size_t next = 0;
    for (std::size_t i = 0; i < t.size() && next < entered.size(); ++i) {
        if (!is_position(new_mask[i])) continue;
        while (next < entered.size() && !fits(new_mask[i], entered[next])) ++next;
        if (next < entered.size()) t[i] = entered[next++];
    }
    return t;
}

std::u16string MaskRules::assigned(std::u16string_view text) const {
    if (text.empty()) return all_prompt_text(mask, prompt);
    if (!fits_text(text)) raise(ErrorCode::InvalidPropertyValue);
    return std::u16string(text);
}

std::u16string MaskRules::typed_over(std::u16string_view text, std::int32_t start, std::int32_t length,
                                     std::u16string_view typed, std::int32_t& caret) const {
    std::u16string t = cleared(text, start, length);
    caret = start;
    for (char16_t c : typed) put_char(t, caret, c);
    return t;
}

std::u16string MaskRules::reprompted(std::u16string_view text, const Variant& prompt_char) const {
    const std::u16string p = prompt_char.to_string();
    if (p.size() != 1 || fits(u'#', p[0]) || fits(u'?', p[0])) raise(ErrorCode::InvalidPropertyValue);
    std::u16string t(text);
    for (std::size_t i = 0; i < t.size() && i < mask.size(); ++i)
        if (is_position(mask[i]) && t[i] == prompt) t[i] = p[0];
    return t;
}

}  // namespace norvtext
