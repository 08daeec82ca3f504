// The masked-edit contract's rules, written once for every masked inner box: "#" a digit
// position, "?" a letter position, every other mask character a literal; a prompt
// character shows an empty position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace norvtext {

struct MaskRules {
    std::u16string_view mask;
    char16_t prompt = u'_';

    static bool is_position(char16_t m) { return m == u'#' || m == u'?'; }
    // "#" takes the digits 0-9, "?" any letter.
    static bool fits(char16_t m, char16_t c);
    // A prompt is one character that no position admits, or an empty position could not
    // be told from an entered character.
    static bool valid_prompt(std::u16string_view p);

    // The text has the mask's shape: literals in place, each position empty or fitting.
    bool fits_text(std::u16string_view text) const;
    // The first position at or after `from` (the mask's length when there is none).
    std::int32_t skip_literals(std::int32_t from) const;
    // Types c into the next position at or after caret and moves the caret past it;
    // false, and nothing changed, when it does not fit.
    bool put_char(std::u16string& text, std::int32_t& caret, char16_t c) const;
    // The text with the positions in [start, start + length) empty again.
    std::u16string cleared(std::u16string_view text, std::int32_t start, std::int32_t length) const;
    // The entered characters of `text`, laid in order into the positions of `new_mask`
    // that they fit; the rest of the new text is empty positions.
    std::u16string relaid(std::u16string_view text, std::u16string_view new_mask) const;
    // The text with its empty positions shown by `new_prompt`.
    std::u16string with_prompt(std::u16string_view text, char16_t new_prompt) const;
};

}  // namespace norvtext
