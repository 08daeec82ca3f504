// What assistive technology learns of a control: a screen-reader user hears neither the
// blink nor the beep, so the entry's standing and a refused key are also given in words.
#pragma once

#include <cstdint>
#include <string>

namespace norvtext {

// One control as a screen reader presents it. Every control is an editable text box.
struct AccessibleView {
    // What the user has entered: a mask's prompts are left out, and its literals are kept
    // only after an entered character, or where the mask opens with them, and only up to
    // the last entered character ("12/05/____" is "12/05", "(555) 1__-____" is "(555) 1");
    // a password box gives its password characters, never the text.
    std::u16string value;
    // The entry the box expects, in words ("date, month/day/year", "digits only").
    std::string description;
    bool read_only = false;
    // Set from the moment a check on leaving or a written value fails, until the next
    // successful check, write or clearing; reason says why ("not a date").
    bool invalid = false;
    std::string reason;
};

// What changed, for the host to pass on to assistive technology.
enum class AccessibleEvent {
    ValueChanged,
    StateChanged,  // read-only, invalid or the reason
    KeyRefused,    // a beep: the detail says why ("at most 8 characters")
};

// A length limit in words: "at most 8 characters".
inline std::string at_most(std::int32_t limit) {
    return "at most " + std::to_string(limit) + (limit == 1 ? " character" : " characters");
}

}  // namespace norvtext
