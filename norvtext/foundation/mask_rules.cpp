// The masked-edit contract's rules.
#include "norvtext/foundation/mask_rules.hpp"

#include <algorithm>

#include <unicode/uchar.h>

#include "norvtext/foundation/edit_box.hpp"

namespace norvtext {

bool MaskRules::fits(char16_t m, char16_t c) {
    if (m == u'#') return c >= u'0' && c <= u'9';
    // Any letter, not only ASCII: a locale's month abbreviation ("Mär") must fit "???".
    if (m == u'?') return u_isalpha(c) != 0;
    return false;
}

bool MaskRules::valid_prompt(std::u16string_view p) { return p.size() == 1 && !fits(u'#', p[0]) && !fits(u'?', p[0]); }

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

bool MaskRules::put_char(std::u16string& text, std::int32_t& caret, char16_t c) const {
    const std::int32_t pos = skip_literals(caret);
    if (pos >= static_cast<std::int32_t>(mask.size()) || !fits(mask[static_cast<std::size_t>(pos)], c)) return false;
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

std::u16string MaskRules::with_prompt(std::u16string_view text, char16_t new_prompt) const {
    std::u16string t(text);
    for (std::size_t i = 0; i < t.size() && i < mask.size(); ++i)
        if (is_position(mask[i]) && t[i] == prompt) t[i] = new_prompt;
    return t;
}

}  // namespace norvtext
