// The masked-edit contract's rules, written once for every masked inner box: "#" a digit
// position, "?" a letter position, every other mask character a literal; a prompt
// character shows an empty position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "norvtext/platform/variant.hpp"

namespace norvtext {

struct MaskRules {
    std::u16string_view mask;
    char16_t prompt = u'_';

    static bool is_position(char16_t m) { return m == u'#' || m == u'?'; }
    // Of a position (m is "#" or "?"): "#" takes the digits 0-9, "?" any letter.
    static bool fits(char16_t m, char16_t c);
    // The prompt a box's PromptChar member shows: "_" until it holds one character.
    static char16_t prompt_of(const Variant& prompt_char);

    // The text has the mask's shape: literals in place, each position empty or fitting.
    bool fits_text(std::u16string_view text) const;
    // The first position at or after `from` (the mask's length when there is none).
    std::int32_t skip_literals(std::int32_t from) const;
    // Where the caret comes to rest when an arrow takes it to `to`: it never rests on a
    // literal, so it goes on to the next position forward (the mask's length when there is
    // none) or the one before going back (0 when there is none).
    std::int32_t caret_stop(std::int32_t to, bool forward) const;
    // Whether c fits the next position at or after caret, where typing it would go.
    bool takes(std::int32_t caret, char16_t c) const;
    // Types c into the next position at or after caret and moves the caret past it;
    // false, and nothing changed, when it does not fit.
    bool put_char(std::u16string& text, std::int32_t& caret, char16_t c) const;
    // The text with the positions in [start, start + length) empty again.
    std::u16string cleared(std::u16string_view text, std::int32_t start, std::int32_t length) const;
    // The entered characters of `text`, laid in order into the positions of `new_mask`
    // that they fit; the rest of the new text is empty positions.
    std::u16string relaid(std::u16string_view text, std::u16string_view new_mask) const;
    // What assigning `text` shows: "" the all-prompt text, a text of the mask's shape
    // itself; any other raises 380, before the box changes.
    std::u16string assigned(std::u16string_view text) const;
    // What writing `typed` over the selection [start, start + length) shows, and the caret
    // after it: the selection emptied, then each character that fits put at the next position.
    std::u16string typed_over(std::u16string_view text, std::int32_t start, std::int32_t length,
                              std::u16string_view typed, std::int32_t& caret) const;
    // The text with its empty positions shown by the new PromptChar value, which must be one
    // character that no position admits, or an empty position could not be told from an
    // entered character; any other raises 380.
    std::u16string reprompted(std::u16string_view text, const Variant& prompt_char) const;
};

}  // namespace norvtext
