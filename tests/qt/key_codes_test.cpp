// Qt key events in the controls' terms: the US keyboard codes and Shift state the script
// host also uses, and which keys type a character (KeyPress) at all.
#include <gtest/gtest.h>

#include "qt/key_codes.hpp"

namespace norvtext::qt {
namespace {

TEST(KeyCodes, KeyEventsGiveTheKeyboardsCodes) {
    struct Row {
        const char* rule;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        std::int16_t code, shift, ascii;
    };
    const Row rows[] = {
        {"a small letter's key is its capital's", Qt::Key_A, Qt::NoModifier, "a", 65, 0, 97},
        {"dollar is Shift+4", Qt::Key_Dollar, Qt::ShiftModifier, "$", 52, 1, 36},
        {"colon is Shift+semicolon", Qt::Key_Colon, Qt::ShiftModifier, ":", 186, 1, 58},
        {"a keypad digit has its own code", Qt::Key_5, Qt::KeypadModifier, "5", 101, 0, 53},
        {"the keypad point", Qt::Key_Period, Qt::KeypadModifier, ".", 110, 0, 46},
        {"Ctrl+C types 3", Qt::Key_C, Qt::ControlModifier, "\x03", 67, 2, 3},
        {"Alt+A types nothing", Qt::Key_A, Qt::AltModifier, "a", 65, 4, 0},
        {"Backspace types itself", Qt::Key_Backspace, Qt::NoModifier, "\b", 8, 0, 8},
        {"Enter types itself", Qt::Key_Return, Qt::NoModifier, "\r", 13, 0, 13},
        {"Delete types nothing, whatever its text", Qt::Key_Delete, Qt::NoModifier, "\x7f", 46, 0, 0},
        {"a function key", Qt::Key_F2, Qt::NoModifier, "", 113, 0, 0},
        {"Shift pressed holds Shift", Qt::Key_Shift, Qt::NoModifier, "", 16, 1, 0},
        {"Ctrl pressed with Shift held", Qt::Key_Control, Qt::ShiftModifier, "", 17, 3, 0},
        {"a letter beyond ASCII types, with no key", Qt::Key_Eacute, Qt::NoModifier, "\xc3\xa9", 0, 0, 0xE9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        const QKeyEvent e(QEvent::KeyPress, row.key, row.modifiers, QString::fromUtf8(row.text));
        EXPECT_EQ(key_stroke(e).code, row.code);
        EXPECT_EQ(key_stroke(e).shift, row.shift);
        EXPECT_EQ(key_ascii(e), row.ascii);
    }
}

TEST(KeyCodes, TypedCharactersTravelAsTheirKeysAndComeBack) {
    // Every printable ASCII character: the events a keyboard sends for it read back as the
    // same character and the US keyboard's code.
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        SCOPED_TRACE(static_cast<char>(c));
        const KeyClick click = key_events_for_char(c);
        EXPECT_EQ(key_ascii(click.press), c);
        EXPECT_EQ(key_stroke(click.release).code, us_key_of(c).code);
        EXPECT_EQ(key_stroke(click.release).shift, us_key_of(c).shift);
    }
    // A handler's replacement key types the replacement.
    for (std::int16_t k : {std::int16_t{'Z'}, std::int16_t{8}, std::int16_t{13}, std::int16_t{27}, std::int16_t{0xE9}}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(key_ascii(key_event_for(k)), k);
    }
}

}  // namespace
}  // namespace norvtext::qt
