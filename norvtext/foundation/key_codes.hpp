// The key codes of the key events (KeyDown/KeyUp's KeyCode, KeyPress's KeyAscii) and the
// bits of their Shift argument: every ring that speaks of a key by name uses these.
#pragma once

#include <cstdint>

namespace norvtext::keys {

// KeyCode of a key; the keys that type a control character (Backspace, Tab, Enter,
// Escape) give that character as KeyAscii too.
inline constexpr std::int16_t Backspace = 8;
inline constexpr std::int16_t Tab = 9;
inline constexpr std::int16_t Clear = 12;
inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Shift = 16;
inline constexpr std::int16_t Control = 17;
inline constexpr std::int16_t Alt = 18;
inline constexpr std::int16_t Pause = 19;
inline constexpr std::int16_t CapsLock = 20;
inline constexpr std::int16_t Escape = 27;
inline constexpr std::int16_t Space = 32;
inline constexpr std::int16_t PageUp = 33;
inline constexpr std::int16_t PageDown = 34;
inline constexpr std::int16_t End = 35;
inline constexpr std::int16_t Home = 36;
inline constexpr std::int16_t Left = 37;
inline constexpr std::int16_t Up = 38;
inline constexpr std::int16_t Right = 39;
inline constexpr std::int16_t Down = 40;
inline constexpr std::int16_t Print = 44;
inline constexpr std::int16_t Insert = 45;
inline constexpr std::int16_t Delete = 46;
inline constexpr std::int16_t Menu = 93;
// The keypad's digits run from Numpad0 to Numpad0 + 9, the function keys from F1 to F1 + 23.
inline constexpr std::int16_t Numpad0 = 96;
inline constexpr std::int16_t NumpadMultiply = 106;
inline constexpr std::int16_t NumpadAdd = 107;
inline constexpr std::int16_t NumpadSubtract = 109;
inline constexpr std::int16_t NumpadDecimal = 110;
inline constexpr std::int16_t NumpadDivide = 111;
inline constexpr std::int16_t F1 = 112;
inline constexpr std::int16_t NumLock = 144;
inline constexpr std::int16_t ScrollLock = 145;

// Bits of the Shift argument: which modifier keys are held.
inline constexpr std::int16_t ShiftMask = 1;
inline constexpr std::int16_t CtrlMask = 2;
inline constexpr std::int16_t AltMask = 4;

// What a key does to the text besides typing, the same in every box on every host: Ctrl+A
// selects everything, Ctrl+C or Ctrl+Insert copies, Ctrl+X or Shift+Delete cuts, Ctrl+V or
// Shift+Insert pastes, Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes.
enum class EditCommand { None, SelectAll, Copy, Cut, Paste, Undo, Redo };
constexpr EditCommand edit_command(std::int16_t code, std::int16_t shift) {
    const bool ctrl = shift == CtrlMask, shifted = shift == ShiftMask;
    if (ctrl && code == 'A') return EditCommand::SelectAll;
    if ((ctrl && code == 'C') || (ctrl && code == Insert)) return EditCommand::Copy;
    if ((ctrl && code == 'X') || (shifted && code == Delete)) return EditCommand::Cut;
    if ((ctrl && code == 'V') || (shifted && code == Insert)) return EditCommand::Paste;
    if (ctrl && code == 'Z') return EditCommand::Undo;
    if ((ctrl && code == 'Y') || (shift == (CtrlMask | ShiftMask) && code == 'Z')) return EditCommand::Redo;
    return EditCommand::None;
}

}  // namespace norvtext::keys
