// Qt key events in the controls' terms: KeyDown/KeyUp codes and Shift state of a US
// keyboard, and the KeyAscii a key produces.
#pragma once

#include <cstdint>

#include <QKeyEvent>

#include "norvtext/services/us_keyboard.hpp"

namespace norvtext::qt {

// The US keyboard table is the one every host shares, so a widget and a script type alike.
using services::KeyStroke;
using services::us_key_of;

// KeyDown/KeyUp arguments of a Qt key event.
KeyStroke key_stroke(const QKeyEvent& event);

// KeyAscii of a key press: the character it types (Backspace 8, Enter 13, Escape 27,
// Tab 9, Ctrl+letter 1..26), or 0 when the key types nothing (arrows, Delete, F-keys,
// modifiers, Alt+key), which then raises no KeyPress.
std::int16_t key_ascii(const QKeyEvent& event);

// The key event that types KeyAscii as a handler left it: what the inner box is given
// in place of the user's key.
QKeyEvent key_event_for(std::int16_t KeyAscii);

// The press and release a US keyboard sends for a typed character (Shift held for a
// capital or a shifted symbol): how demos and tests type into a widget.
struct KeyClick {
    QKeyEvent press;
    QKeyEvent release;
};
KeyClick key_events_for_char(char16_t c);

}  // namespace norvtext::qt
