// Qt key events in the controls' terms: the US keyboard codes and Shift state the script
// host also uses, and which keys type a character (KeyPress) at all.
#include <gtest/gtest.h>

#include "qt/key_codes.hpp"

namespace norvtext::qt {
namespace {

TEST(KeyCodes, KeyEventsGiveTheKeyboardsCodes) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        std::int16_t code, shift, ascii;
    };
    const Case cases[] = {
        {"small letter", Qt::Key_A, Qt::NoModifier, "a", 65, 0, 97},
        {"capital", Qt::Key_A, Qt::ShiftModifier, "A", 65, 1, 65},
        {"digit", Qt::Key_7, Qt::NoModifier, "7", 55, 0, 55},
        {"dollar is Shift+4", Qt::Key_Dollar, Qt::ShiftModifier, "$", 52, 1, 36},
        {"colon is Shift+semicolon", Qt::Key_Colon, Qt::ShiftModifier, ":", 186, 1, 58},
        {"full stop", Qt::Key_Period, Qt::NoModifier, ".", 190, 0, 46},
        {"keypad digit", Qt::Key_5, Qt::KeypadModifier, "5", 101, 0, 53},
        {"keypad point", Qt::Key_Period, Qt::KeypadModifier, ".", 110, 0, 46},
        {"space", Qt::Key_Space, Qt::NoModifier, " ", 32, 0, 32},
        {"Ctrl+C types 3", Qt::Key_C, Qt::ControlModifier, "\x03", 67, 2, 3},
        {"Alt+A types nothing", Qt::Key_A, Qt::AltModifier, "a", 65, 4, 0},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", 8, 0, 8},
        {"Enter", Qt::Key_Return, Qt::NoModifier, "\r", 13, 0, 13},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", 27, 0, 27},
        {"Delete types nothing, whatever its text", Qt::Key_Delete, Qt::NoModifier, "\x7f", 46, 0, 0},
        {"arrow", Qt::Key_Left, Qt::NoModifier, "", 37, 0, 0},
        {"function key", Qt::Key_F2, Qt::NoModifier, "", 113, 0, 0},
        {"Shift pressed alone", Qt::Key_Shift, Qt::NoModifier, "", 16, 1, 0},
        {"Ctrl pressed with Shift held", Qt::Key_Control, Qt::ShiftModifier, "", 17, 3, 0},
        {"a letter beyond ASCII", Qt::Key_Eacute, Qt::NoModifier, "\xc3\xa9", 0, 0, 0xE9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QKeyEvent e(QEvent::KeyPress, c.key, c.modifiers, QString::fromUtf8(c.text));
        const KeyStroke stroke = key_stroke(e);
        EXPECT_EQ(stroke.code, c.code);
        EXPECT_EQ(stroke.shift, c.shift);
        EXPECT_EQ(key_ascii(e), c.ascii);
    }
}

TEST(KeyCodes, TypedCharactersTravelAsTheirKeysAndComeBack) {
    // Every printable ASCII character: the events a keyboard sends for it read back as the
    // same character and the US keyboard's code.
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        SCOPED_TRACE(static_cast<char>(c));
        const KeyClick click = key_events_for_char(c);
        EXPECT_EQ(key_ascii(click.press), c);
        EXPECT_EQ(key_stroke(click.press).code, us_key_of(c).code);
        EXPECT_EQ(key_stroke(click.press).shift, us_key_of(c).shift);
        EXPECT_NE(us_key_of(c).code, 0);
    }
    // A handler's replacement key types the replacement.
    for (std::int16_t k : {std::int16_t{'Z'}, std::int16_t{'5'}, std::int16_t{8}, std::int16_t{0xE9}}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(key_ascii(key_event_for(k)), k);
    }
}

}  // namespace
}  // namespace norvtext::qt
