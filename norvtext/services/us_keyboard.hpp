// The keys of a US keyboard: what a simulated user, or a GUI that types for a demo or a
// test, sends as KeyDown/KeyUp for a typed character.
#pragma once

#include <cstdint>

namespace norvtext::services {

struct KeyStroke {
    std::int16_t code = 0;   // KeyCode: 0 for a character the keyboard has no key for
    std::int16_t shift = 0;  // Shift 1, Ctrl 2, Alt 4
};

// A letter gives its upper-case code (Shift 1 for a capital), a digit its own code, the
// punctuation keys their codes, a shifted symbol its base key with Shift 1; anything else 0, 0.
KeyStroke us_key_of(char16_t c);

}  // namespace norvtext::services
