// Qt keys and the controls' key codes.
#include "qt/key_codes.hpp"

#include <span>

#include "norvtext/foundation/key_codes.hpp"

namespace norvtext::qt {

namespace {

std::int16_t modifier_bits(Qt::KeyboardModifiers m) {
    return static_cast<std::int16_t>((m & Qt::ShiftModifier ? keys::ShiftMask : 0) |
                                     (m & Qt::ControlModifier ? keys::CtrlMask : 0) |
                                     (m & Qt::AltModifier ? keys::AltMask : 0));
}

// A Qt key and the controls' code for it.
using QtKeyCode = std::pair<int, std::int16_t>;

// The keys that type no character of their own.
constexpr QtKeyCode named_keys[] = {
    {Qt::Key_Backspace, keys::Backspace}, {Qt::Key_Tab, keys::Tab},           {Qt::Key_Backtab, keys::Tab},
    {Qt::Key_Clear, keys::Clear},         {Qt::Key_Return, keys::Enter},      {Qt::Key_Enter, keys::Enter},
    {Qt::Key_Shift, keys::Shift},         {Qt::Key_Control, keys::Control},   {Qt::Key_Alt, keys::Alt},
    {Qt::Key_Pause, keys::Pause},         {Qt::Key_CapsLock, keys::CapsLock}, {Qt::Key_Escape, keys::Escape},
    {Qt::Key_PageUp, keys::PageUp},       {Qt::Key_PageDown, keys::PageDown}, {Qt::Key_End, keys::End},
    {Qt::Key_Home, keys::Home},           {Qt::Key_Left, keys::Left},         {Qt::Key_Up, keys::Up},
    {Qt::Key_Right, keys::Right},         {Qt::Key_Down, keys::Down},         {Qt::Key_Print, keys::Print},
    {Qt::Key_Insert, keys::Insert},       {Qt::Key_Delete, keys::Delete},     {Qt::Key_Menu, keys::Menu},
    {Qt::Key_NumLock, keys::NumLock},     {Qt::Key_ScrollLock, keys::ScrollLock},
};

// The keypad's operators; its digits run from Numpad0.
constexpr QtKeyCode keypad_operators[] = {
    {Qt::Key_Asterisk, keys::NumpadMultiply}, {Qt::Key_Plus, keys::NumpadAdd},
    {Qt::Key_Minus, keys::NumpadSubtract},    {Qt::Key_Period, keys::NumpadDecimal},
    {Qt::Key_Comma, keys::NumpadDecimal},  // the keypad's decimal key on a layout with a decimal comma
    {Qt::Key_Slash, keys::NumpadDivide},
};

// The keys that type a control character, which is their code too.
constexpr QtKeyCode typing_keys[] = {
    {Qt::Key_Backspace, keys::Backspace}, {Qt::Key_Tab, keys::Tab},       {Qt::Key_Return, keys::Enter},
    {Qt::Key_Enter, keys::Enter},         {Qt::Key_Escape, keys::Escape},
};

// The modifier keys and the Shift bit each holds down.
constexpr QtKeyCode modifier_keys[] = {
    {Qt::Key_Shift, keys::ShiftMask}, {Qt::Key_Control, keys::CtrlMask}, {Qt::Key_Alt, keys::AltMask}};

// The key's code in the table, or 0.
std::int16_t code_in(std::span<const QtKeyCode> table, int key) {
    for (const auto& [qt, code] : table)
        if (qt == key) return code;
    return 0;
}

std::int16_t named_key_code(int key, bool keypad) {
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::int16_t>(keys::Numpad0 + key - Qt::Key_0);
    if (keypad)
        if (const std::int16_t code = code_in(keypad_operators, key)) return code;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(keys::F1 + key - Qt::Key_F1);
    return code_in(named_keys, key);
}

// Qt's key for a character: a letter's upper-case key, any other printable ASCII key by its
// own character, Key_unknown beyond.
int qt_key_of(char16_t c) {
    if (c >= u'a' && c <= u'z') return Qt::Key_A + (c - u'a');
    if (c >= 0x20 && c < 0x7F) return c;
    return Qt::Key_unknown;
}

}  // namespace

KeyStroke key_stroke(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    KeyStroke stroke{named_key_code(key, keypad), modifier_bits(event.modifiers())};
    // Pressing a modifier key holds it down already, as the keyboard reports it.
    if (event.type() == QEvent::KeyPress) stroke.shift |= code_in(modifier_keys, key);
    // Qt names a printable key by the symbol it types ("$" for Shift+4); the code is the
    // key's own, which the US keyboard table gives.
    if (stroke.code == 0 && key >= 0x20 && key < 0x7F) stroke.code = us_key_of(static_cast<char16_t>(key)).code;
    return stroke;
}

std::int16_t key_ascii(const QKeyEvent& event) {
    const int key = event.key();
    if (const std::int16_t typed = code_in(typing_keys, key)) return typed;
    const Qt::KeyboardModifiers m = event.modifiers();
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    // Alt with a key is a menu or mnemonic key, not typing.
    if ((m & Qt::AltModifier) && !(m & Qt::ControlModifier)) return 0;
    // Keys outside Qt's character range (arrows, Delete, F-keys) type nothing, whatever
    // text the window system attaches to them ("\x7f" for Delete on X11).
    if (key >= Qt::Key_Escape && key < Qt::Key_unknown) return 0;
    // One printable character, else nothing.
    const QString text = event.text();
    const char16_t c = text.size() == 1 ? text.at(0).unicode() : u'\0';
    return static_cast<std::int16_t>(c < 32 || c == 127 ? 0 : c);
}

QKeyEvent key_event_for(std::int16_t KeyAscii) {
    // Backspace, Enter and Escape as their keys; Tab, like any other, as its character.
    for (const auto& [qt, code] : typing_keys)
        if (code == KeyAscii && code != keys::Tab) return QKeyEvent(QEvent::KeyPress, qt, Qt::NoModifier);
    const auto c = static_cast<char16_t>(KeyAscii);
    return QKeyEvent(QEvent::KeyPress, qt_key_of(c), Qt::NoModifier, QString(QChar(c)));
}

KeyClick key_events_for_char(char16_t c) {
    const int key = qt_key_of(c);
    const Qt::KeyboardModifiers modifiers = us_key_of(c).shift ? Qt::ShiftModifier : Qt::NoModifier;
    const QString text(QChar{c});
    return {QKeyEvent(QEvent::KeyPress, key, modifiers, text), QKeyEvent(QEvent::KeyRelease, key, modifiers, text)};
}

}  // namespace norvtext::qt
