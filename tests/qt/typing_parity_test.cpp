// One table of user sessions played twice: through the headless host's in-memory boxes and
// as real key and focus events into the Qt widgets. Both must tell their host the same
// lines in the same order and end with the same text, the one the row expects.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "norvtext/controls/registry.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "qt/key_codes.hpp"
#include "tests/qt/qt_harness.hpp"

namespace norvtext::qt {
namespace {

using testing::Lines;
using testing::QtForm;

struct Setting {
    const char* member;
    Variant value;
};

struct Case {
    const char* name;
    const char* class_name;
    std::vector<Setting> settings;
    // Characters are typed; {Focus} and {Blur} move the focus in and out; {Escape},
    // {Backspace}, {Delete}, {Left}, {Right}, {Home}, {End} and {Enter} are pressed.
    std::u16string session;
    std::string expected_text;
    std::optional<std::int16_t> key_press_override = std::nullopt;  // the host's KeyPress handler
};

struct NamedKey {
    std::u16string_view name;
    std::int16_t code;
    std::int16_t ascii;
    Qt::Key qt_key;
};
constexpr NamedKey named_keys[] = {
    {u"Escape", 27, 27, Qt::Key_Escape}, {u"Enter", 13, 13, Qt::Key_Return}, {u"Backspace", 8, 8, Qt::Key_Backspace},
    {u"Delete", 46, 0, Qt::Key_Delete},  {u"Left", 37, 0, Qt::Key_Left},     {u"Right", 39, 0, Qt::Key_Right},
    {u"Home", 36, 0, Qt::Key_Home},      {u"End", 35, 0, Qt::Key_End},
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
    for (const NamedKey& k : named_keys)
        if (k.name == name) return k;
    throw std::invalid_argument("no key of that name");
}

struct Result {
    Lines lines;
    std::string text;
};

Result run_headless(const Case& c) {
    headless::MemoryForm form;
    headless::MemoryHost host(form, "t1");
    std::unique_ptr<BoxBase> box = find_control_class(c.class_name)->create(host);
    box->InitProperties();
    for (const Setting& s : c.settings) box->put(s.member, s.value);
    host.key_press_override = c.key_press_override;
    form.transcript.clear();
    headless::SimulatedUser& user = *host.user();
    play(
        c.session,
        [&](char16_t ch) {
            const KeyStroke k = us_key_of(ch);
            user.type(ch, k.code, k.shift);
        },
        [&](std::u16string_view name) {
            if (name == u"Focus") return user.got_focus();
            if (name == u"Blur") return user.lost_focus();
            const NamedKey& k = named(name);
            user.press(k.code, 0, k.ascii);
        });
    return {form.transcript, to_qstring(box->textbox().text()).toStdString()};
}

// The host's KeyPress handler, connected to whichever class the widget is.
template <class... Classes>
void on_key_press(ControlWidget* w, std::function<void(short&)> handler) {
    const bool connected =
        ((qobject_cast<Classes*>(w) && QObject::connect(qobject_cast<Classes*>(w), &Classes::KeyPress, handler)) || ...);
    ASSERT_TRUE(connected);
}

Result run_qt(const Case& c) {
    QtForm form(c.class_name);
    EXPECT_TRUE(form.active);
    for (const Setting& s : c.settings) form.control->control().put(s.member, s.value);
    Lines lines;
    testing::record(*form.control, lines);
    if (c.key_press_override) {
        const std::int16_t value = *c.key_press_override;
        on_key_press<txtNorvText, txtNorvDate, txtNorvTelephone, txtNorvSocialSecurity, txtNorvZip, txtNorvCurrency,
                     txtNorvPercent>(form.control, [value](short& KeyAscii) { KeyAscii = value; });
    }
    QLineEdit* box = form.box();
    play(
        c.session,
        [&](char16_t ch) {
            KeyClick click = key_events_for_char(ch);
            QApplication::sendEvent(box, &click.press);
            QApplication::sendEvent(box, &click.release);
        },
        [&](std::u16string_view name) {
            if (name == u"Focus") return box->setFocus(Qt::TabFocusReason);
            if (name == u"Blur") return form.other->setFocus(Qt::TabFocusReason);
            QTest::keyClick(box, named(name).qt_key);
        });
    return {lines, form.text()};
}

TEST(TypingParity, QtWidgetsTellTheHostWhatTheHeadlessBoxesTell) {
    const std::vector<Case> cases = {
        {"text: plain typing and leaving", "txtNorvText", {}, u"{Focus}Hi there{Blur}", "Hi there"},
        {"text: upper case replaces each key", "txtNorvText", {{"Chars", Variant(std::int16_t{1})}}, u"{Focus}abc", "ABC"},
        {"text: a forbidden digit is swallowed", "txtNorvText", {{"Chars", Variant(std::int16_t{4})}}, u"{Focus}a1b", "ab"},
        {"text: the length limit beeps", "txtNorvText", {{"MaxChars", Variant(std::int16_t{3})}}, u"{Focus}abcd", "abc"},
        {"text: editing keys", "txtNorvText", {}, u"{Focus}abcd{Left}{Left}{Backspace}X{Home}{Delete}{End}!", "Xcd!"},
        {"text: typing over the focus selection", "txtNorvText", {{"Text", Variant(u"old")}}, u"{Focus}new", "new"},
        {"text: Escape clears", "txtNorvText", {}, u"{Focus}abc{Escape}", ""},
        {"text: the host replaces a key", "txtNorvText", {}, u"{Focus}ab", "zz", std::int16_t{'z'}},
        {"text: the host swallows a key", "txtNorvText", {}, u"{Focus}ab", "", std::int16_t{0}},
        {"date: a valid date", "txtNorvDate", {}, u"{Focus}12052026{Blur}", "12/05/2026"},
        {"date: letters do not fit digit positions", "txtNorvDate", {}, u"{Focus}1x2/05", "12/05/____"},
        {"date: Backspace puts prompts back", "txtNorvDate", {}, u"{Focus}1205{Backspace}{Backspace}{Backspace}", "1_/__/____"},
        {"date: Delete on a literal clears the next position", "txtNorvDate", {}, u"{Focus}1205{Home}{Right}{Right}{Delete}",
         "12/_5/____"},
        {"date: an invalid date on leaving", "txtNorvDate", {}, u"{Focus}13452026{Blur}", "13/45/2026"},
        {"date: the meridiem typed in small letters", "txtNorvDate", {{"FormatMask", Variant(std::int32_t{5})}},
         u"{Focus}0930pm{Blur}", "09:30 PM"},
        {"telephone: ten digits", "txtNorvTelephone", {}, u"{Focus}5551234567{Blur}", "(555) 123-4567"},
        {"telephone: the host replaces a key", "txtNorvTelephone", {}, u"{Focus}12", "(99_) ___-____", std::int16_t{'9'}},
        {"social security: nine digits", "txtNorvSocialSecurity", {}, u"{Focus}078051120{Blur}", "078-05-1120"},
        {"zip: nine digits", "txtNorvZip", {{"FormatMask", Variant(std::int32_t{2})}}, u"{Focus}123456789{Blur}", "12345-6789"},
        {"currency: formatted on leaving", "txtNorvCurrency", {}, u"{Focus}1234.5{Blur}", "$1,234.50"},
        {"percent: formatted on leaving", "txtNorvPercent", {}, u"{Focus}12.5{Blur}", "12.50%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result headless = run_headless(c);
        const Result qt = run_qt(c);
        EXPECT_EQ(qt.lines, headless.lines);
        EXPECT_EQ(headless.text, c.expected_text);
        EXPECT_EQ(qt.text, c.expected_text);
        // Every session types something: a table row that raised nothing tests nothing.
        EXPECT_FALSE(qt.lines.empty());
    }
}

}  // namespace
}  // namespace norvtext::qt
