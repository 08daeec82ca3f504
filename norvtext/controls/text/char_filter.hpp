// The general text box's input discipline: the keystroke filter over the `Chars` flags,
// the exception characters of `CharTable`, the `MaxChars` limit, and proper case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "norvtext/platform/locale.hpp"

namespace norvtext {

// `Chars` flag bits.
namespace chars_flag {
inline constexpr std::int16_t upper_case = 1;
inline constexpr std::int16_t no_spaces = 2;
inline constexpr std::int16_t no_digits = 4;
inline constexpr std::int16_t no_letters = 8;
inline constexpr std::int16_t no_punctuation = 16;
inline constexpr std::int16_t char_table = 32;
inline constexpr std::int16_t lower_case = 64;
inline constexpr std::int16_t proper_case = 128;
}  // namespace chars_flag

struct FilterSettings {
    std::int16_t chars = 0;
    std::u16string_view char_table;
    std::int16_t max_chars = 0;
};

enum class KeyVerdict {
    Swallow,        // KeyAscii set to 0, no event
    BeepAndSwallow, // at the length limit
    PassQuietly,    // Backspace: to the inner box untouched, no event
    Offer,          // raise KeyPress with the (case-converted) KeyAscii
};

// Steps after the read-only test, in their fixed order: Backspace, length limit, case,
// then the four character classes with the exception test.
KeyVerdict filter_key(std::int16_t& KeyAscii, const FilterSettings& settings, std::size_t text_length,
                      std::int32_t sel_length);

// The characters the settings admit, in words ("digits only", "letters and spaces, upper
// case"), for the user who cannot see what the box refuses.
std::string describe_filter(const FilterSettings& settings);

// The first character and every character after a space upper-cased, all others
// lower-cased; a text of only spaces becomes empty. Length is kept.
std::u16string proper_case(std::u16string_view text, const Locale& loc);

}  // namespace norvtext
