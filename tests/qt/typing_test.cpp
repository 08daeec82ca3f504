// What the user types, from the Qt key event to the inner box: key events in the controls'
// terms (the US keyboard codes the script host also uses), the masked box on QLineEdit's
// input mask against the mask rules' table the in-memory box runs, and one table of user
// sessions played twice, through the headless host's in-memory boxes and as real key, mouse
// and focus events into the Qt widgets: both must tell their host the same lines in the same
// order and end with the text the row expects.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "norvtext/controls/registry.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "qt/key_codes.hpp"
#include "qt/line_edit_box.hpp"
#include "tests/qt/qt_harness.hpp"
#include "tests/support/mask_cases.hpp"

namespace norvtext::qt {
namespace {

using testing::Lines;

TEST(KeyCodes, KeyEventsGiveTheKeyboardsCodes) {
    struct Row {
        const char* rule;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        std::int16_t code, shift, ascii;
    };
    const Row rows[] = {
        {"dollar is Shift+4", Qt::Key_Dollar, Qt::ShiftModifier, "$", 52, 1, 36},
        {"a keypad digit has its own code", Qt::Key_5, Qt::KeypadModifier, "5", 101, 0, 53},
        {"the keypad point", Qt::Key_Period, Qt::KeypadModifier, ".", 110, 0, 46},
        {"Ctrl+C types 3", Qt::Key_C, Qt::ControlModifier, "\x03", 67, 2, 3},
        {"Alt+A types nothing", Qt::Key_A, Qt::AltModifier, "a", 65, 4, 0},
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
    // A handler's replacement key types the replacement.
    for (std::int16_t k : {std::int16_t{'Z'}, std::int16_t{8}, std::int16_t{13}, std::int16_t{27}, std::int16_t{0xE9}})
        EXPECT_EQ(key_ascii(key_event_for(k)), k) << k;
}

TEST(QtMaskedLineEdit, OurMaskInQtsLanguage) {
    EXPECT_EQ(QtMaskedEditBox::qt_input_mask(u"(###) ??", u'*'), QStringLiteral("(000) aa;*"));
    // Literals that are Qt mask characters are escaped.
    EXPECT_EQ(QtMaskedEditBox::qt_input_mask(u"a-X>", u'_'), QStringLiteral("\\a-\\X\\>;_"));
}

TEST(QtMaskedLineEdit, EveryMaskRuleAsTheInMemoryBox) {
    QWidget parent;
    for (const norvtext::testing::MaskCase& c : norvtext::testing::mask_cases()) {
        SCOPED_TRACE(c.rule);
        QtMaskedEditBox box(&parent, {}, c.mask);
        norvtext::testing::run_mask_case(c, box);
        EXPECT_EQ(box.displayText(), to_qstring(c.text)) << "the line edit shows what the box holds";
    }
}

struct Session {
    const char* rule;
    const char* class_name;
    std::vector<std::pair<const char*, Variant>> settings;
    // Characters are typed; {Focus} and {Blur} move the focus in and out, {DblClick} is a
    // user's double click; {Escape}, {Backspace}, {Delete}, {Left}, {Right}, {Home} and {End}
    // are pressed.
    std::u16string session;
    std::string text;
    std::optional<std::int16_t> host_key = std::nullopt;  // what the host's KeyPress handler leaves
};

struct NamedKey {
    std::u16string_view name;
    std::int16_t code, ascii;
    Qt::Key qt_key;
};
constexpr NamedKey named_keys[] = {
    {u"Escape", 27, 27, Qt::Key_Escape}, {u"Backspace", 8, 8, Qt::Key_Backspace}, {u"Delete", 46, 0, Qt::Key_Delete},
    {u"Left", 37, 0, Qt::Key_Left},      {u"Right", 39, 0, Qt::Key_Right},        {u"Home", 36, 0, Qt::Key_Home},
    {u"End", 35, 0, Qt::Key_End},
};

// Walks a session: each character, or each {Name}, once.
void play(std::u16string_view session, const std::function<void(char16_t)>& type,
          const std::function<void(std::u16string_view)>& special) {
    for (std::size_t i = 0; i < session.size(); ++i) {
        if (session[i] != u'{') {
            type(session[i]);
            continue;
        }
        const std::size_t end = session.find(u'}', i);
        special(session.substr(i + 1, end - i - 1));
        i = end;
    }
}

const NamedKey& named(std::u16string_view name) {
    return *std::find_if(std::begin(named_keys), std::end(named_keys), [&](const NamedKey& k) { return k.name == name; });
}

std::pair<Lines, std::string> run_headless(const Session& row) {
    headless::MemoryForm form;
    headless::MemoryHost host(form, "t1");
    std::unique_ptr<BoxBase> box = find_control_class(row.class_name)->create(host);
    box->InitProperties();
    for (const auto& [member, value] : row.settings) box->put(member, value);
    host.key_press_override = row.host_key;
    form.transcript.clear();
    headless::SimulatedUser& user = *host.user();
    const auto type = [&](char16_t ch) { user.type(ch, us_key_of(ch).code, us_key_of(ch).shift); };
    play(row.session, type, [&](std::u16string_view name) {
        if (name == u"Focus") return user.got_focus();
        if (name == u"Blur") return user.lost_focus();
        if (name == u"DblClick") {
            user.click();
            return user.dbl_click();
        }
        user.press(named(name).code, 0, named(name).ascii);
    });
    return {form.transcript, to_qstring(box->textbox().text()).toStdString()};
}

// The host's KeyPress handler on the class's own signal, whichever class the widget is.
template <class... Classes>
bool on_key_press(ControlWidget* w, std::int16_t key) {
    const auto handler = [key](short& KeyAscii) { KeyAscii = key; };
    return ((qobject_cast<Classes*>(w) && QObject::connect(qobject_cast<Classes*>(w), &Classes::KeyPress, handler)) || ...);
}

std::pair<Lines, std::string> run_qt(const Session& row) {
    testing::QtForm form(row.class_name);
    EXPECT_TRUE(form.active);
    for (const auto& [member, value] : row.settings) form.control->control().put(member, value);
    Lines lines;
    testing::record(*form.control, lines);
    if (row.host_key) {
        EXPECT_TRUE((on_key_press<txtNorvText, txtNorvDate, txtNorvTelephone, txtNorvCurrency>(form.control, *row.host_key)));
    }
    QLineEdit* box = form.box();
    const auto type = [&](char16_t ch) {
        KeyClick click = key_events_for_char(ch);
        QApplication::sendEvent(box, &click.press);
        QApplication::sendEvent(box, &click.release);
    };
    play(row.session, type, [&](std::u16string_view name) {
        if (name == u"Focus") return box->setFocus(Qt::TabFocusReason);
        if (name == u"Blur") return form.other->setFocus(Qt::TabFocusReason);
        // A click, then the second press that makes it double; its release is no Click.
        if (name == u"DblClick") {
            QTest::mouseClick(box, Qt::LeftButton);
            return QTest::mouseDClick(box, Qt::LeftButton);
        }
        QTest::keyClick(box, named(name).qt_key);
    });
    return {lines, form.text()};
}

TEST(TypingParity, QtWidgetsTellTheHostWhatTheHeadlessBoxesTell) {
    const Session rows[] = {
        {"shifted characters and leaving", "txtNorvText", {}, u"{Focus}Hi $5{Blur}", "Hi $5"},
        {"the line edit's editing keys", "txtNorvText", {}, u"{Focus}abcd{Left}{Left}{Backspace}X{Home}{Delete}{End}!", "Xcd!"},
        {"Escape clears on its release", "txtNorvText", {}, u"{Focus}abc{Escape}", ""},
        {"the control replaces a key", "txtNorvText", {{"Chars", Variant(std::int16_t{1})}}, u"{Focus}abc", "ABC"},
        {"the control swallows a key and beeps", "txtNorvText", {{"MaxChars", Variant(std::int16_t{2})}}, u"{Focus}abc", "ab"},
        {"the host replaces a key", "txtNorvText", {}, u"{Focus}ab", "zz", std::int16_t{'z'}},
        {"the host swallows a key", "txtNorvText", {}, u"{Focus}ab", "", std::int16_t{0}},
        {"a double click", "txtNorvText", {}, u"{DblClick}", ""},
        {"typing over the focus selection", "txtNorvText", {{"Text", Variant(u"old")}}, u"{Focus}new", "new"},
        {"masked: a letter fits no digit position", "txtNorvDate", {}, u"{Focus}1x2/05", "12/05/____"},
        {"masked: Backspace puts prompts back", "txtNorvDate", {}, u"{Focus}1205{Backspace}{Backspace}{Backspace}", "1_/__/____"},
        {"masked: Delete on a literal clears the next position", "txtNorvDate", {}, u"{Focus}1205{Home}{Right}{Right}{Delete}",
         "12/_5/____"},
        // The line edit reports every typed key as a change; the box passes on only real ones.
        {"masked: typing what a position holds is no change", "txtNorvDate", {}, u"{Focus}12{Home}1", "12/__/____"},
        {"masked: Validate on leaving", "txtNorvDate", {}, u"{Focus}13452026{Blur}", "13/45/2026"},
        {"masked: the control replaces a key", "txtNorvDate", {{"FormatMask", Variant(std::int32_t{5})}}, u"{Focus}0930pm{Blur}",
         "09:30 PM"},
        {"masked: the host replaces a key", "txtNorvTelephone", {}, u"{Focus}12", "(99_) ___-____", std::int16_t{'9'}},
        {"the text set on leaving", "txtNorvCurrency", {}, u"{Focus}1234.5{Blur}", "$1,234.50"},
    };
    for (const Session& row : rows) {
        SCOPED_TRACE(row.rule);
        const auto [headless_lines, headless_text] = run_headless(row);
        const auto [qt_lines, qt_text] = run_qt(row);
        EXPECT_EQ(qt_lines, headless_lines);
        EXPECT_EQ(headless_text, row.text);
        EXPECT_EQ(qt_text, row.text);
        EXPECT_FALSE(qt_lines.empty());  // a row that raised nothing tests nothing
    }
}

}  // namespace
}  // namespace norvtext::qt
