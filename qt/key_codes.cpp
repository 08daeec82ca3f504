// Qt keys and the controls' key codes.
#include "qt/key_codes.hpp"

#include <string_view>

#include "norvtext/foundation/key_codes.hpp"

namespace norvtext::qt {

namespace {

std::int16_t modifier_bits(Qt::KeyboardModifiers m) {
    return static_cast<std::int16_t>((m & Qt::ShiftModifier ? keys::ShiftMask : 0) |
                                     (m & Qt::ControlModifier ? keys::CtrlMask : 0) |
                                     (m & Qt::AltModifier ? keys::AltMask : 0));
}

// Codes of the keys that type no character of their own.
std::int16_t named_key_code(int key, bool keypad) {
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::int16_t>(keys::Numpad0 + key - Qt::Key_0);
    if (keypad) {
        switch (key) {
            case Qt::Key_Asterisk: return keys::NumpadMultiply;
            case Qt::Key_Plus: return keys::NumpadAdd;
            case Qt::Key_Minus: return keys::NumpadSubtract;
            case Qt::Key_Period: return keys::NumpadDecimal;
            case Qt::Key_Slash: return keys::NumpadDivide;
            default: break;
        }
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(keys::F1 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace: return keys::Backspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return keys::Tab;
        case Qt::Key_Clear: return keys::Clear;
        case Qt::Key_Return:
        case Qt::Key_Enter: return keys::Enter;
        case Qt::Key_Shift: return keys::Shift;
        case Qt::Key_Control: return keys::Control;
        case Qt::Key_Alt: return keys::Alt;
        case Qt::Key_Pause: return keys::Pause;
        case Qt::Key_CapsLock: return keys::CapsLock;
        case Qt::Key_Escape: return keys::Escape;
        case Qt::Key_PageUp: return keys::PageUp;
        case Qt::Key_PageDown: return keys::PageDown;
        case Qt::Key_End: return keys::End;
        case Qt::Key_Home: return keys::Home;
        case Qt::Key_Left: return keys::Left;
        case Qt::Key_Up: return keys::Up;
        case Qt::Key_Right: return keys::Right;
        case Qt::Key_Down: return keys::Down;
        case Qt::Key_Print: return keys::Print;
        case Qt::Key_Insert: return keys::Insert;
        case Qt::Key_Delete: return keys::Delete;
        case Qt::Key_Menu: return keys::Menu;
        case Qt::Key_NumLock: return keys::NumLock;
        case Qt::Key_ScrollLock: return keys::ScrollLock;
        default: return 0;
    }
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
    if (event.type() == QEvent::KeyPress) {
        if (key == Qt::Key_Shift) stroke.shift |= keys::ShiftMask;
        if (key == Qt::Key_Control) stroke.shift |= keys::CtrlMask;
        if (key == Qt::Key_Alt) stroke.shift |= keys::AltMask;
    }
    // Qt names a printable key by the symbol it types ("$" for Shift+4); the code is the
    // key's own, which the US keyboard table gives.
    if (stroke.code == 0 && key >= 0x20 && key < 0x7F) stroke.code = us_key_of(static_cast<char16_t>(key)).code;
    return stroke;
}

std::int16_t key_ascii(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace: return keys::Backspace;
        case Qt::Key_Tab: return keys::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return keys::Enter;
        case Qt::Key_Escape: return keys::Escape;
        default: break;
    }
    const int key = event.key();
    const Qt::KeyboardModifiers m = event.modifiers();
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    // Alt with a key is a menu or mnemonic key, not typing.
    if ((m & Qt::AltModifier) && !(m & Qt::ControlModifier)) return 0;
    // Keys outside Qt's character range (arrows, Delete, F-keys) type nothing, whatever
    // text the window system attaches to them ("\x7f" for Delete on X11).
    if (key >= Qt::Key_Escape && key < Qt::Key_unknown) return 0;
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const char16_t c = text.at(0).unicode();
    if (c < 32 || c == 127) return 0;
    return static_cast<std::int16_t>(c);
}

QKeyEvent key_event_for(std::int16_t KeyAscii) {
    switch (KeyAscii) {
        case keys::Backspace: return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        case keys::Enter: return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        case keys::Escape: return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        default: break;
    }
    const auto c = static_cast<char16_t>(KeyAscii);
    return QKeyEvent(QEvent::KeyPress, qt_key_of(c), Qt::NoModifier, QString(QChar(c)));
}

KeyClick key_events_for_char(char16_t c) {
    const KeyStroke stroke = us_key_of(c);
    const int key = qt_key_of(c);
    const Qt::KeyboardModifiers modifiers = stroke.shift ? Qt::ShiftModifier : Qt::NoModifier;
    const QString text(QChar{c});
    return {QKeyEvent(QEvent::KeyPress, key, modifiers, text), QKeyEvent(QEvent::KeyRelease, key, modifiers, text)};
}

}  // namespace norvtext::qt
