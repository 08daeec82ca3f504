// The Qt widgets as an application meets them. The published surface the generator writes
// and values converted on their way through the properties; errors kept inside the widget
// at every handler; a window losing the front; the blink timer as the user sees it. What
// the user types, from the Qt key event to the inner box: key events in the controls' terms
// (the US keyboard codes the script host also uses), the masked box on QLineEdit's input
// mask against the mask rules' table the in-memory box runs, and one table of user sessions
// played through the headless host's in-memory boxes and as real events into the widgets.
// Saving and restoring: every Variant subtype through a QVariantMap and QSettings, and a
// whole form in one form file.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QHBoxLayout>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "norvtext/controls/registry.hpp"
#include "norvtext/foundation/type_library.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/services/form_file.hpp"
#include "norvtext/services/form_value.hpp"
#include "qt/controls.hpp"
#include "qt/conversions.hpp"
#include "qt/form_io.hpp"
#include "qt/key_codes.hpp"
#include "qt/line_edit_box.hpp"
#include "qt/settings_bag.hpp"
#include "tests/support/accessible_cases.hpp"
#include "tests/support/harness.hpp"
#include "tests/support/mask_cases.hpp"

namespace norvtext::qt {
namespace {


using Lines = std::vector<std::string>;
using Settings = std::vector<std::pair<const char*, Variant>>;

// The lines MemoryHost records: "t1: KeyPress 97", "t1: changed Text", "beep", "t1: about".
void record(ControlWidget& c, Lines& lines) {
    const auto said = [&c, &lines](const QString& what) { lines.push_back((c.objectName() + QStringLiteral(": ") + what).toStdString()); };
    QObject::connect(&c, &ControlWidget::eventRaised,
                     [said](const QString& name, const QString& args) { said(args.isEmpty() ? name : name + u' ' + args); });
    QObject::connect(&c, &ControlWidget::propertyChanged, [said](const QString& name) { said(QStringLiteral("changed ") + name); });
    QObject::connect(&c, &ControlWidget::beeped, [&lines] { lines.push_back("beep"); });
    QObject::connect(&c, &ControlWidget::aboutShown, [said] { said(QStringLiteral("about")); });
}

struct QtForm {
    // The settings are written into the control once its window is up.
    explicit QtForm(const char* class_name, const Settings& settings = {}) : window(std::make_unique<QWidget>()) {
        control = create_control_widget(class_name, window.get());
        control->setObjectName(QStringLiteral("t1"));
        other = new QLineEdit(window.get());
        auto* layout = new QHBoxLayout(window.get());
        layout->addWidget(control);
        layout->addWidget(other);
        // The library's own locale, whatever the machine's is.
        window->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        other->setFocus();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        for (const auto& [member, value] : settings) control->control().put(member, value);
    }
    QLineEdit* box() const { return control->textbox(); }
    std::string text() const { return to_qstring(control->control().textbox().text()).toStdString(); }

    std::unique_ptr<QWidget> window;
    ControlWidget* control = nullptr;
    QLineEdit* other = nullptr;
};

// The user types each character: its key press and release.
void type_into(QLineEdit* box, std::u16string_view typed) {
    for (const char16_t ch : typed) {
        KeyClick click = key_events_for_char(ch);
        QApplication::sendEvent(box, &click.press);
        QApplication::sendEvent(box, &click.release);
    }
}

// The warnings Qt's log has received since the last clear(); each goes on to the log too.
QStringList& warnings() {
    static QStringList seen;
    static const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& at, const QString& m) {
        if (type == QtWarningMsg) seen << m;
        previous(type, at, m);
    });
    return seen;
}


TEST(QtSurface, EveryPublishedMemberIsAPropertyWithItsAccess) {
    for (const ControlClass& cls : control_classes()) {
        SCOPED_TRACE(std::string(cls.name));
        std::unique_ptr<ControlWidget> w(create_control_widget(cls.name));
        const QMetaObject* meta = w->metaObject();
        const ClassInfo& info = *type_library().find_class(cls.name);
        int readers = 0;
        for (const Slot& s : info.slots) {
            const std::string member(s.member);
            SCOPED_TRACE(member);
            EXPECT_EQ(w->description(QString::fromStdString(member)).toStdString(), s.description);
            if (s.accessor == Accessor::Method) {
                EXPECT_GE(meta->indexOfMethod((member + "(QString)").c_str()), meta->methodOffset());
                continue;
            }
            const QMetaProperty p = meta->property(meta->indexOfProperty(member.c_str()));
            ASSERT_TRUE(p.isReadable());
            EXPECT_EQ(p.isWritable(), info.find(s.member, Accessor::Put) || info.find(s.member, Accessor::PutRef));
            if (const EnumInfo* e = type_library().find_enum(s.type)) {
                ASSERT_EQ(p.enumerator().keyCount(), static_cast<int>(e->members.size()));
                for (const EnumMember& m : e->members) EXPECT_EQ(p.enumerator().keyToValue(std::string(m.name).c_str()), m.value);
            }
            readers += s.accessor == Accessor::Get;
        }
        // Nothing beyond the published members.
        EXPECT_EQ(meta->propertyCount() - meta->propertyOffset(), readers);
        for (const EventInfo& e : info.events) {
            std::string signature = std::string(e.name) + '(';
            for (std::size_t i = 0; i < e.params.size(); ++i) signature += i ? ",short&" : "short&";
            EXPECT_GE(meta->indexOfSignal((signature + ')').c_str()), 0) << signature;
        }
    }
}

// An enumeration and a text written through the property system are in design_test.cpp:
// Designer builds its form that way.
TEST(QtSurface, ValuesConvertOnTheirWayThroughTheProperties) {
    txtNorvText text;
    EXPECT_EQ(text.PCase(QStringLiteral("\u00e9cole")), QStringLiteral("\u00c9cole"));
    text.setBackColor(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(text.textbox()->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
    // A system colour is the palette's colour for its part of the widget.
    text.control().put("ForeColor", Variant(static_cast<std::int32_t>(system_window_text)));
    EXPECT_EQ(text.ForeColor(), text.textbox()->palette().color(QPalette::Text));
}

// A number box reads and shows numbers in its widget's locale as it is now, as every box
// does, also when the form's locale is set after the box was made.
TEST(QtSurface, ANumberBoxFollowsItsWidgetsLocale) {
    QtForm form("txtNorvCurrency");
    form.window->setLocale(QLocale(QLocale::German, QLocale::Germany));
    form.box()->setFocus(Qt::TabFocusReason);
    type_into(form.box(), u"1234,5");
    form.other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form.text(), "$1.234,50");
}

// An error where no caller could receive it: a property written through Qt's property
// system, a host's load or save, or a handler that raises once in each override and slot
// that runs the application's handlers. It is reported as the signal and a warning, and
// the box goes on working.
TEST(QtErrors, AnErrorStaysInsideTheWidgetAndIsReported) {
    // event: whose handler raises 380; none: the action itself fails
    struct Row { const char* rule; const char* class_name; const char* event; std::function<void(QtForm&)> act; int number = 380; };
    const auto type_1 = [](QtForm& f) { QTest::keyClick(f.box(), Qt::Key_1); };
    services::MemoryPropertyBag failing;  // its next read, and its next write, fails
    failing.fail_at_read(1);
    failing.fail_at_write(1);
    const Row rows[] = {
        {"a property write", "txtNorvText", nullptr, [](QtForm& f) { f.control->setProperty("MaxChars", 100000); }, 6},
        {"a load from a failing bag", "txtNorvText", nullptr, [&](QtForm& f) { EXPECT_FALSE(f.control->load(failing)); }, 31036},
        {"a save into a failing bag", "txtNorvText", nullptr, [&](QtForm& f) { EXPECT_FALSE(f.control->save(failing)); }, 31036},
        {"key down", "txtNorvText", "KeyDown", type_1},
        {"key press", "txtNorvText", "KeyPress", type_1},
        {"key up", "txtNorvText", "KeyUp", type_1},
        {"the line edit's change", "txtNorvText", "Change", type_1},
        {"a click", "txtNorvText", "Click", [](QtForm& f) { QTest::mouseClick(f.box(), Qt::LeftButton); }},
        {"a double click", "txtNorvText", "DblClick", [](QtForm& f) { QTest::mouseDClick(f.box(), Qt::LeftButton); }},
        {"leaving", "txtNorvZip", "Validate", [type_1](QtForm& f) { type_1(f), f.other->setFocus(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        QtForm form(row.class_name);
        bool raised = false;
        QObject::connect(form.control, &ControlWidget::eventRaised, [&](const QString& name) {
            if (row.event && name == QLatin1String(row.event) && !std::exchange(raised, true)) raise(ErrorCode::InvalidPropertyValue);
        });
        QSignalSpy errors(form.control, &ControlWidget::errorRaised);
        warnings().clear();
        form.box()->setFocus();
        row.act(form);
        EXPECT_EQ(raised, row.event != nullptr);
        ASSERT_EQ(errors.count(), 1);
        EXPECT_EQ(errors.at(0).at(0).toInt(), row.number);
        ASSERT_EQ(warnings().size(), 1);
        EXPECT_TRUE(warnings().front().contains(QStringLiteral("t1 (%1): error %2").arg(row.class_name).arg(row.number)));
        form.box()->setFocus();
        form.box()->home(false);
        QTest::keyClick(form.box(), Qt::Key_2);
        EXPECT_NE(form.text().find('2'), std::string::npos);
    }
}

// The blink runs on a 500 ms timer and shows while the focus is elsewhere: the line edit's
// own selection would go with the focus. (A loaded machine may deliver the ticks late.)
TEST(QtBlink, TheWholeTextFlashesEveryHalfSecondUntilStopped) {
    QtForm form("txtNorvText");
    form.control->setMember(QStringLiteral("Text"), QStringLiteral("abc"));
    QSignalSpy toggles(form.box(), &QLineEdit::selectionChanged);
    form.control->setMember(QStringLiteral("Blink"), true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return toggles.count() >= 3; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.box()->hasSelectedText(); }, 1000));
    EXPECT_EQ(form.box()->selectedText(), QStringLiteral("abc"));
    form.control->setMember(QStringLiteral("Blink"), false);
    EXPECT_FALSE(form.box()->hasSelectedText());
    toggles.clear();
    QTest::qWait(700);
    EXPECT_EQ(toggles.count(), 0);
}


TEST(KeyCodes, KeyEventsGiveTheKeyboardsCodes) {
    struct Row { const char* rule; int key; Qt::KeyboardModifiers modifiers; const char* text; std::int16_t code, shift, ascii; };
    const Row rows[] = {
        {"a keypad digit has its own code", Qt::Key_5, Qt::KeypadModifier, "5", 101, 0, 53},
        {"the keypad point", Qt::Key_Period, Qt::KeypadModifier, ".", 110, 0, 46},
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

TEST(QtMaskedLineEdit, EveryMaskRuleAsTheInMemoryBox) {
    // In Qt's mask language, literals that are Qt mask characters are escaped.
    EXPECT_EQ(QtMaskedEditBox::qt_input_mask(u"a-X>", u'_'), QStringLiteral("\\a-\\X\\>;_"));
    for (const norvtext::testing::MaskCase& c : norvtext::testing::mask_cases()) {
        SCOPED_TRACE(c.rule);
        QtMaskedEditBox box(nullptr, {}, c.mask);
        norvtext::testing::run_mask_case(c, box);
        EXPECT_EQ(box.displayText(), to_qstring(c.text)) << "the line edit shows what the box holds";
    }
}

struct Session {
    const char* rule;
    const char* class_name;
    Settings settings;
    // Characters are typed; {Focus} and {Blur} move the focus in and out, {Away} brings
    // another window to the front and back (no leaving), {DblClick} is a user's double click;
    // {Escape}, {Backspace}, {Delete}, {Left}, {Right}, {Home}, {End}, {Numpad} (the keypad's
    // decimal key) and {Ctrl+A} ... {Ctrl+Z} are pressed. {Clip:T} puts T on the
    // clipboard, {Paste:T} pastes it through the box's edit menu, {Drop:T} drops T at the
    // caret and {Ime:T} commits T from an input method; {Clipboard} notes what the clipboard
    // holds as a line "clipboard T".
    std::u16string session;
    std::string text;
    std::optional<std::int16_t> host_key = std::nullopt;  // what the host's KeyPress handler leaves
};

struct NamedKey { std::u16string_view name; std::int16_t code, ascii; Qt::Key qt_key; std::int16_t shift = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier; };
constexpr NamedKey named_keys[] = {
    {u"Escape", 27, 27, Qt::Key_Escape}, {u"Backspace", 8, 8, Qt::Key_Backspace}, {u"Delete", 46, 0, Qt::Key_Delete},
    {u"Left", 37, 0, Qt::Key_Left},      {u"Right", 39, 0, Qt::Key_Right},        {u"Home", 36, 0, Qt::Key_Home},
    {u"End", 35, 0, Qt::Key_End},
    // A German keyboard's keypad types a comma; the headless user's a full stop.
    {u"Numpad", 110, '.', Qt::Key_Comma, 0, Qt::KeypadModifier},
    {u"Ctrl+A", 'A', 1, Qt::Key_A, 2, Qt::ControlModifier},  {u"Ctrl+C", 'C', 3, Qt::Key_C, 2, Qt::ControlModifier},
    {u"Ctrl+V", 'V', 22, Qt::Key_V, 2, Qt::ControlModifier}, {u"Ctrl+X", 'X', 24, Qt::Key_X, 2, Qt::ControlModifier},
    {u"Ctrl+Y", 'Y', 25, Qt::Key_Y, 2, Qt::ControlModifier}, {u"Ctrl+Z", 'Z', 26, Qt::Key_Z, 2, Qt::ControlModifier},
};

// "{Paste:T}" and the like: the edit and its text; "" for a plain key.
std::pair<std::u16string_view, std::u16string_view> edit_of(std::u16string_view name) {
    const std::size_t colon = name.find(u':');
    if (colon == std::u16string_view::npos) return {};
    return {name.substr(0, colon), name.substr(colon + 1)};
}

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
    testing::Placed<> p(row.class_name, true, "t1");
    for (const auto& [member, value] : row.settings) p.box.put(member, value);
    p.host.key_press_override = row.host_key;
    p.take();
    headless::SimulatedUser& user = p.user();
    const auto type = [&](char16_t ch) { user.type(ch, us_key_of(ch).code, us_key_of(ch).shift); };
    play(row.session, type, [&](std::u16string_view name) {
        if (name == u"Focus") return user.got_focus();
        if (name == u"Blur") return user.lost_focus();
        if (name == u"Away") return;
        if (name == u"DblClick") {
            user.click();
            return user.dbl_click();
        }
        if (name == u"Clipboard") return p.form.transcript.push_back("clipboard " + testing::u8(p.form.clipboard));
        const auto [edit, text] = edit_of(name);
        if (edit == u"Clip" || edit == u"Paste") p.form.clipboard = text;
        if (edit == u"Paste") return user.paste();
        if (edit == u"Drop") return user.drop(text);
        if (edit == u"Ime") return user.input_method_commit(text);
        if (edit.empty()) user.press(named(name).code, named(name).shift, named(name).ascii);
    });
    return {p.take(), testing::u8(p.text())};
}

// The Paste of the box's own edit menu, as a user picks it from the context menu.
void paste_from_menu(QLineEdit* box) {
    auto* masked = dynamic_cast<QtMaskedEditBox*>(box);
    const std::unique_ptr<QMenu> menu(masked ? masked->edit_menu() : dynamic_cast<LineEditBox<EditBox>*>(box)->edit_menu());
    for (QAction* a : menu->actions())
        if (a->text() == QStringLiteral("&Paste")) a->trigger();
}

std::pair<Lines, std::string> run_qt(const Session& row) {
    QtForm form(row.class_name, row.settings);
    Lines lines;
    record(*form.control, lines);
    // The host's KeyPress handler on the class's own signal; every class's comes from the one generator.
    if (row.host_key)
        QObject::connect(qobject_cast<txtNorvText*>(form.control), &txtNorvText::KeyPress,
                         [k = *row.host_key](short& KeyAscii) { KeyAscii = k; });
    QLineEdit* box = form.box();
    const auto type = [&](char16_t ch) { type_into(box, std::u16string_view(&ch, 1)); };
    play(row.session, type, [&](std::u16string_view name) {
        if (name == u"Focus") return box->setFocus(Qt::TabFocusReason);
        if (name == u"Blur") return form.other->setFocus(Qt::TabFocusReason);
        if (name == u"Away") {
            QWidget elsewhere;
            elsewhere.show();
            elsewhere.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
            form.window->activateWindow();
            return static_cast<void>(QTest::qWaitForWindowActive(form.window.get()));
        }
        // A click, then the second press that makes it double; its release is no Click.
        if (name == u"DblClick") {
            QTest::mouseClick(box, Qt::LeftButton);
            return QTest::mouseDClick(box, Qt::LeftButton);
        }
        if (name == u"Clipboard") return lines.push_back("clipboard " + QGuiApplication::clipboard()->text().toStdString());
        const auto [edit, text] = edit_of(name);
        if (edit == u"Clip" || edit == u"Paste") QGuiApplication::clipboard()->setText(to_qstring(text));
        if (edit == u"Paste") return paste_from_menu(box);
        if (edit == u"Drop") {
            QMimeData data;
            data.setText(to_qstring(text));
            // As a drag arrives: it enters the box, then drops, at the caret.
            const QPointF at = box->inputMethodQuery(Qt::ImCursorRectangle).toRectF().center();
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            return static_cast<void>(QApplication::sendEvent(box, &drop));
        }
        if (edit == u"Ime") {
            QInputMethodEvent commit;
            commit.setCommitString(to_qstring(text));
            return static_cast<void>(QApplication::sendEvent(box, &commit));
        }
        if (!edit.empty()) return;
        // The key alone, without the modifier keys' own events, as the headless user presses it.
        const NamedKey& k = named(name);
        const QString typed = k.modifiers == Qt::KeypadModifier ? QStringLiteral(",") : QString();
        QKeyEvent press(QEvent::KeyPress, k.qt_key, k.modifiers, typed), release(QEvent::KeyRelease, k.qt_key, k.modifiers, typed);
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    });
    return {lines, form.text()};
}

TEST(TypingParity, QtWidgetsTellTheHostWhatTheHeadlessBoxesTell) {
    const Session rows[] = {
        {"the text set on leaving", "txtNorvText", {{"Chars", Variant(std::int16_t{128})}}, u"{Focus}hi $5{Blur}", "Hi $5"},
        {"another window in front is no leaving", "txtNorvText", {{"Chars", Variant(std::int16_t{128})}}, u"{Focus}hi{Away}",
         "hi"},
        {"the line edit's editing keys", "txtNorvText", {}, u"{Focus}abcd{Left}{Left}{Backspace}X{Home}{Delete}{End}!", "Xcd!"},
        {"Left over a selection goes to its start", "txtNorvText", {{"Text", Variant(u"hello")}, {"FocusSelect", Variant(true)}},
         u"{Focus}{Left}X", "Xhello"},
        {"the control replaces a key", "txtNorvText", {{"Chars", Variant(std::int16_t{1})}}, u"{Focus}abc", "ABC"},
        {"the control swallows a key and beeps", "txtNorvText", {{"MaxChars", Variant(std::int16_t{2})}}, u"{Focus}abc", "ab"},
        {"the host replaces a key", "txtNorvText", {}, u"{Focus}ab", "zz", std::int16_t{'z'}},
        {"a double click", "txtNorvText", {}, u"{DblClick}", ""},
        {"typing over the focus selection", "txtNorvText", {{"Text", Variant(u"old")}}, u"{Focus}new", "new"},
        {"masked: a letter fits no digit position", "txtNorvDate", {}, u"{Focus}1x2/05", "12/05/____"},
        {"masked: Backspace puts prompts back", "txtNorvDate", {}, u"{Focus}1205{Backspace}{Backspace}{Backspace}", "1_/__/____"},
        {"masked: the arrows pass literals by", "txtNorvDate", {}, u"{Focus}1205{Home}{Right}{Right}{Right}{Delete}",
         "12/0_/____"},
        // The line edit reports every typed key as a change; the box passes on only real ones.
        {"masked: typing what a position holds is no change", "txtNorvDate", {}, u"{Focus}12{Home}1", "12/__/____"},
        {"masked: the control replaces a key", "txtNorvDate", {{"FormatMask", Variant(std::int32_t{5})}}, u"{Focus}0930pm{Blur}",
         "09:30 PM"},
        // The user's other edits go through the box's own rules; a paste is no keystroke.
        {"paste: a digits-only box keeps the digits and beeps", "txtNorvText", {{"Chars", Variant(std::int16_t{26})}},
         u"{Focus}{Paste:ab12}", "12"},
        {"Ctrl+V: an amount pastes as its number", "txtNorvCurrency", {}, u"{Focus}{Clip:$1,234.50}{Ctrl+V}", "1234.50"},
        {"drop: a date at the caret", "txtNorvDate", {{"OLEDropMode", Variant(std::int32_t{1})}}, u"{Focus}{Home}{Drop:12/05/2026}",
         "12/05/2026"},
        {"input method: SSN digits laid past the literals", "txtNorvSocialSecurity", {}, u"{Focus}{Ime:078051120}",
         "078-05-1120"},
        {"cut, then undo and redo", "txtNorvText", {{"Text", Variant(u"hello")}}, u"{Focus}{Ctrl+X}{Ctrl+Z}{Ctrl+Y}{Ctrl+Z}",
         "hello"},
        {"Escape clears on its release, and the clearing is undone", "txtNorvText", {}, u"{Focus}ab{Escape}{Ctrl+Z}", "ab"},
        {"the keypad's decimal key types the locale's symbol", "txtNorvCurrency", {}, u"{Focus}12{Numpad}5", "12.5"},
        {"read-only: nothing the user does edits the box", "txtNorvText",
         {{"Text", Variant(u"hello")}, {"ReadOnly", Variant(true)}, {"OLEDropMode", Variant(std::int32_t{1})}},
         u"{Focus}{Home}{Delete}{Ctrl+A}{Ctrl+X}{Paste:x}{Drop:y}{Ime:z}{Ctrl+Z}{Ctrl+A}{Ctrl+C}{Clipboard}", "hello"},
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

// Where the window system keeps a selection (X11), a middle click pastes it; the box's rules
// take it as they take any paste. Offscreen Qt has no selection: ctest runs this under Xvfb.
TEST(QtSelection, AMiddleClickPastesByTheRulesOfAnyPaste) {
    if (!QGuiApplication::clipboard()->supportsSelection()) GTEST_SKIP() << "no window-system selection here";
    struct Row { const char* rule; Settings settings; const char* selection; const char* text; Lines lines; };
    const Row rows[] = {
        {"a digits-only box keeps the digits and beeps", {{"Chars", Variant(std::int16_t{26})}}, "ab12", "12", {"t1: Change", "beep"}},
        {"a read-only box takes nothing", {{"Text", Variant(u"hello")}, {"ReadOnly", Variant(true)}}, "x", "hello", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        QtForm form("txtNorvText", row.settings);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(row.selection), QClipboard::Selection);
        form.box()->setFocus(Qt::MouseFocusReason);
        Lines lines;
        record(*form.control, lines);
        QTest::mouseClick(form.box(), Qt::MiddleButton);
        EXPECT_EQ(form.text(), row.text);
        EXPECT_EQ(lines, row.lines);
    }
}

// What assistive technology gets through QAccessible: the same table the headless boxes run,
// read from the widget's accessible object and from its inner line edit's, where focus lands.
TEST(QtAccessible, EveryClassForEmptyHalfTypedValidAndInvalidEntries) {
    for (const testing::AccessibleCase& row : testing::accessible_cases()) {
        SCOPED_TRACE(std::string(row.class_name) + " " + to_qstring(row.typed).toStdString());
        QtForm form(row.class_name, row.settings);
        form.box()->setFocus(Qt::TabFocusReason);
        type_into(form.box(), row.typed);
        if (row.leave) form.other->setFocus(Qt::TabFocusReason);
        const std::string told = std::string(row.reason) + (row.reason.empty() ? "" : "; ") + std::string(row.description);
        for (QObject* presenting : {static_cast<QObject*>(form.control), static_cast<QObject*>(form.box())}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(presenting);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->role(), QAccessible::EditableText);
            EXPECT_EQ(a->childCount(), 0);
            EXPECT_EQ(a->text(QAccessible::Value), to_qstring(row.value));
            EXPECT_EQ(a->text(QAccessible::Description).toStdString(), told);
            EXPECT_EQ(bool(a->state().invalid), !row.reason.empty());
            EXPECT_EQ(bool(a->state().readOnly), row.read_only);
        }
    }
}

TEST(QtAccessible, TheNameFromTheWidgetOrItsLabelAndWhatTheHostIsTold) {
    QtForm form("txtNorvText");
    auto* label = new QLabel(QStringLiteral("&Name:"), form.window.get());
    label->setBuddy(form.control);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(form.control);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Name:"));
    form.control->setAccessibleName(QStringLiteral("Customer name"));
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Customer name"));

    // The offscreen platform has no accessibility backend, so Qt delivers no accessible
    // events here; the widget's own signal says what it passed on.
    QStringList logged;
    QObject::connect(form.control, &ControlWidget::accessibleEvent,
                     [&](const QString& kind, const QString& detail) { logged << kind + u' ' + detail; });
    form.control->control().put("MaxChars", Variant(std::int16_t{1}));
    form.box()->setFocus(Qt::TabFocusReason);
    type_into(form.box(), u"ab");
    form.control->control().put("ReadOnly", Variant(true));
    EXPECT_EQ(logged, (QStringList{QStringLiteral("value a"), QStringLiteral("refused at most 1 character"),
                                   QStringLiteral("states read-only")}));
    EXPECT_EQ(a->text(QAccessible::Help), QStringLiteral("at most 1 character"));
}


TEST(QtPersistence, EverySubtypeThroughAMapAndQSettingsAndAWholeFormThroughAFormFile) {
    QPixmap pixel(2, 2);
    pixel.fill(Qt::red);
    // Each key names the rule its value checks.
    const std::pair<const char*, Variant> values[] = {
        {"Integer stays short", Variant(std::int16_t{-7})}, {"Long stays int", Variant(std::int32_t{70000})},
        {"Boolean", Variant(false)}, {"Double", Variant(0.1)}, {"Currency stays exact", Variant(Currency{12345678901})},
        {"a date", Variant(DateSerial{46361})}, {"a time", Variant(DateSerial{0.25})},
        {"a date and time", Variant(DateSerial{46361.5})}, {"String", Variant(u"a\u00e9")},
        {"Empty", Variant()}, {"Null", Variant::null()}, {"Nothing", Variant::nothing()},
        {"Font", Variant(std::make_shared<Font>(Font{u"DejaVu Serif", 12, true}))}, {"Picture", Variant(to_picture(pixel))},
    };
    QtPropertyBag bag;
    for (const auto& [key, value] : values) bag.set(key, value);
    const auto comes_back = [&](const QtPropertyBag& back) {
        ASSERT_EQ(back.entries().size(), bag.entries().size());
        for (const auto& e : bag.entries()) EXPECT_TRUE(services::identical(*back.find(e.key), e.value)) << e.key;
    };
    comes_back(QtPropertyBag::from_map(bag.to_map()));
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("form.ini")), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("t1"));
    settings.setValue(QStringLiteral("stale"), 1);  // a save replaces the group's keys
    bag.to_settings(settings);
    comes_back(QtPropertyBag::from_settings(settings));

    // A damaged value fails as a damaged form file does, naming the settings and the key.
    settings.setValue(QStringLiteral("Chars"), QStringLiteral("{\"Currency\": \"1.2.3\"}"));
    try {
        QtPropertyBag::from_settings(settings);
        FAIL() << "a damaged value was read";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("form.ini [t1]: key \"Chars\""), std::string::npos) << e.what();
    }

    // A form file holds the whole form under the controls' object names.
    const std::filesystem::path path = dir.filePath(QStringLiteral("form.json")).toStdString();
    txtNorvText name, fresh_name;
    txtNorvZip zip, fresh_zip;
    for (ControlWidget* c : {&name, &fresh_name}) c->setObjectName(QStringLiteral("txtName"));
    for (ControlWidget* c : {&zip, &fresh_zip}) c->setObjectName(QStringLiteral("txtZip"));
    name.setText(QStringLiteral("abc"));
    zip.setText(QStringLiteral("12345"));
    ControlWidget* const form[] = {&name, &zip};
    ControlWidget* const fresh[] = {&fresh_name, &fresh_zip};
    ASSERT_TRUE(save_form(path, form));
    ASSERT_TRUE(load_form(path, fresh));
    EXPECT_EQ(fresh_zip.Text(), QStringLiteral("12345"));
    // A damaged file changes no control.
    std::ofstream(path) << "{\"txtName.Text\": \"zzz\", \"txtZip.Text\": ";
    EXPECT_THROW(load_form(path, fresh), Error);
    EXPECT_EQ(fresh_name.Text(), QStringLiteral("abc"));
}

}  // namespace
}  // namespace norvtext::qt
