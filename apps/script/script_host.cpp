// The script host's commands: one row each in the command table of find_command.
#include "apps/script/script_host.hpp"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <limits>
#include <optional>
#include <utility>

#include "apps/script/value_text.hpp"
#include "norvtext/controls/registry.hpp"
#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/platform/utf8.hpp"
#include "norvtext/services/form_file.hpp"
#include "norvtext/services/us_keyboard.hpp"

namespace norvtext::script {

namespace {

bool is_name(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

// A date or time literal "#...#" may hold a blank; a "#" that opens anything else starts a
// comment.
bool date_literal_at(std::string_view line, std::size_t i, std::size_t& end) {
    const auto close = line.find('#', i + 1);
    if (close == std::string_view::npos || close == i + 1) return false;
    if (line.substr(i + 1, close - i - 1).find_first_not_of("0123456789-: ") != std::string_view::npos) return false;
    end = close + 1;
    return true;
}

// The keys a `key` line can name; those that type a control character (Escape, Enter, Tab,
// Backspace) give it as KeyAscii too, and the keypad's decimal key types "." as a US
// keyboard's does.
constexpr std::pair<std::string_view, std::int16_t> named_keys[] = {
    {"Escape", keys::Escape}, {"Enter", keys::Enter}, {"Tab", keys::Tab},     {"Backspace", keys::Backspace},
    {"Delete", keys::Delete}, {"Left", keys::Left},   {"Right", keys::Right}, {"Home", keys::Home},
    {"End", keys::End},       {"Insert", keys::Insert}, {"NumpadDecimal", keys::NumpadDecimal},
};

struct PressedKey {
    std::int16_t code, shift;
    std::int16_t ascii;  // 0: produces no character
};

// A `key` word: one of the named keys, or Ctrl+A ... Ctrl+Z, which types the letter's
// control character.
std::optional<PressedKey> key_named(std::string_view k) {
    if (k.size() == 6 && k.starts_with("Ctrl+") && k[5] >= 'A' && k[5] <= 'Z')
        return PressedKey{k[5], keys::CtrlMask, static_cast<std::int16_t>(k[5] - 'A' + 1)};
    for (const auto& [name, code] : named_keys)
        if (name == k)
            return PressedKey{code, 0, code < keys::Space ? code : code == keys::NumpadDecimal ? std::int16_t{'.'} : std::int16_t{0}};
    return std::nullopt;
}

// The states assistive technology is told a box has.
std::string accessible_states(const AccessibleView& view) {
    std::string states = view.read_only ? "read-only" : "";
    if (view.invalid) states += std::string(states.empty() ? "" : " ") + "invalid, reason " + quote(from_utf8(view.reason));
    return states.empty() ? "none" : states;
}

// Runs an action of a control; its error is printed as "WHO: error N MESSAGE".
template <class F>
void guarded(std::ostream& out, const std::string& who, F&& action) {
    try {
        action();
    } catch (const Error& e) {
        out << who << ": error " << e.number() << ' ' << e.what() << '\n';
    }
}

// Reads or calls a member and prints "WHO = VALUE", WHO being "NAME.MEMBER".
template <class F>
void print_result(std::ostream& out, const std::string& who, F&& read) {
    guarded(out, who, [&] {
        const Variant value = read();  // read first: a failed read prints only its error
        out << who << " = " << print_value(value) << '\n';
    });
}

// What a command acts on: the form, or the control its first argument names.
enum Subject { OnForm, OnControl };

}  // namespace

// One line split into words, as a command sees it; a quoted word keeps its quotes so that
// literals can tell a String from a name.
struct ScriptHost::Line {
    std::vector<std::string> words;
    int number;
    Control* control = nullptr;  // for a command on a control: the one its first argument names

    Line(std::string_view text, int line_number) : number(line_number) {
        constexpr std::string_view blanks = " \t\r";
        std::size_t i = 0;
        while ((i = text.find_first_not_of(blanks, i)) != std::string_view::npos) {
            const char c = text[i];
            if (c == '{' && words.size() >= 2 && words[0] == "bag") {  // JSON to the end of the line
                words.emplace_back(text.substr(i));
                return;
            }
            std::size_t end = i;
            if (c == '#') {
                if (!date_literal_at(text, i, end)) return;  // a comment
            } else if (c == '"') {
                end = i + 1;
                while (end < text.size() && text[end] != '"') end += text[end] == '\\' ? 2 : 1;
                if (end >= text.size()) fail("unterminated string");
                ++end;
            } else {
                end = std::min(text.find_first_of(blanks, i), text.size());
            }
            words.emplace_back(text.substr(i, end - i));
            i = end;
        }
    }
    const std::string& operator[](std::size_t i) const { return words[i]; }
    std::size_t size() const { return words.size(); }
    BoxBase& box() const { return *control->box; }
    headless::MemoryHost& host() const { return *control->host; }
    headless::SimulatedUser& user() const { return *control->host->user(); }
    // "NAME.MEMBER": who a get, set or call is, in its output and its errors.
    std::string member() const { return words[1] + "." + words[2]; }

    [[noreturn]] void fail(const std::string& message) const { throw ScriptError(number, message); }
    std::u16string text(std::size_t i) const { return unquote(words[i], number); }
    // A file's path: a bare word, or a quoted one for a path with blanks.
    std::string path(std::size_t i) const { return words[i].front() == '"' ? to_utf8(text(i)) : words[i]; }
    long long whole(std::size_t i) const {
        const auto n = read_number<long long>(words[i]);
        if (!n) fail("expected a number, got " + words[i]);
        return *n;
    }
    // One word's literal: a quoted text or anything parse_literal reads.
    Variant value(std::size_t i) const {
        if (words[i].front() == '"') return Variant(text(i));
        auto v = parse_literal(words[i]);
        if (!v) fail("bad value " + words[i]);
        return *v;
    }
    // The value that ends a `set` line: a literal, or `Font "NAME" SIZE`.
    Variant literal(std::size_t i) const {
        if (words[i] == "Font") {
            if (size() != i + 3) fail("a Font literal is: Font \"NAME\" SIZE");
            return Variant(font(i + 1));
        }
        const Variant v = value(i);
        // A quoted text is the value whatever follows it; any other literal must end the line.
        if (words[i].front() != '"' && size() != i + 1) fail("unexpected words after the value");
        return v;
    }
    // `"NAME" SIZE` from word i on: a new Font object.
    FontRef font(std::size_t i) const {
        auto f = std::make_shared<Font>();
        f->name = text(i);
        const auto size = parse_literal(words[i + 1]);
        if (!size || !size->is_numeric_type()) fail("bad font size " + words[i + 1]);
        f->size = size->to_double();
        return f;
    }
};

services::MemoryPropertyBag& ScriptHost::bag(const std::string& name, int line) {
    if (!is_name(name)) throw ScriptError(line, "bad bag name " + name);
    return bags_[name];
}

void ScriptHost::add_control(const std::string& class_name, const std::string& name, bool first_placement, int line) {
    const ControlClass* cls = find_control_class(class_name);
    if (!cls) throw ScriptError(line, "unknown class " + class_name);
    if (!is_name(name)) throw ScriptError(line, "bad control name " + name);
    if (controls_.count(name)) throw ScriptError(line, "a control named " + name + " exists already");
    Control& placed = controls_[name];
    placed.host = std::make_unique<headless::MemoryHost>(form_, name);
    placed.box = cls->create(*placed.host);
    // A new control takes its class's first size; the host then sizes its inner box.
    placed.host->control_width = cls->initial_width;
    placed.host->control_height = cls->initial_height;
    guarded(out_, name, [&] {
        if (first_placement) placed.box->InitProperties();
        placed.box->Resize();
    });
}

void ScriptHost::save(Control& c, const std::string& name, services::MemoryPropertyBag& b) {
    b.begin_save();
    // Only a save writes to a bag, and each one sets the hook afresh for its own control.
    b.on_write = [this, name](std::string_view key, const Variant& value, const std::optional<Variant>& def) {
        out_ << name << ": write " << key << " = " << print_value(value) << ' '
             << (def ? "(default " + print_value(*def) + ")" : std::string("(no default)")) << '\n';
    };
    c.box->WriteProperties(b);
}

void ScriptHost::blur(const std::string& name) {
    if (focused_ == name) focused_.clear();
    guarded(out_, name, [&] { controls_.at(name).host->user()->lost_focus(); });
}

void ScriptHost::print_accessible(const std::string& name, Control& c) {
    const AccessibleView view = c.box->accessible();
    out_ << name << ": role editable text, value " << quote(view.value) << ", description "
         << quote(from_utf8(view.description)) << ", states " << accessible_states(view) << '\n';
    c.host->on_accessible_event = [this, name, &c](AccessibleEvent event, std::string_view detail) {
        const AccessibleView now = c.box->accessible();
        switch (event) {
            case AccessibleEvent::ValueChanged: form_.record(name + ": accessible value " + quote(now.value)); break;
            case AccessibleEvent::StateChanged: form_.record(name + ": accessible states " + accessible_states(now)); break;
            case AccessibleEvent::KeyRefused: form_.record(name + ": accessible refused " + quote(from_utf8(detail))); break;
        }
    };
}

// Every command: what it acts on, how many words follow it, and what it does. The line's
// word count is checked, and its control looked up, before the command runs.
struct ScriptHost::Command {
    std::string_view name;
    Subject subject;
    std::size_t min_args, max_args;
    std::string_view usage;  // what a wrong word count is told to expect; empty: "N argument(s)"
    void (*run)(ScriptHost& host, const Line& line);
};

const ScriptHost::Command* ScriptHost::find_command(std::string_view name) {
    using H = ScriptHost;
    using L = const Line&;
    constexpr std::size_t any = std::numeric_limits<std::size_t>::max();
    // `set` and `setref`: the value is read before the member is given it.
    constexpr auto assign = [](H& h, L l) {
        const Variant v = l.literal(3);
        const auto put = l[0] == "set" ? &Dispatch::put : &Dispatch::putref;
        guarded(h.out_, l.member(), [&] { (l.box().*put)(l[2], v); });
    };
    static constexpr Command commands[] = {
        {"new", OnForm, 2, 2, "", [](H& h, L l) { h.add_control(l[1], l[2], true, l.number); }},
        {"create", OnForm, 2, 2, "", [](H& h, L l) { h.add_control(l[1], l[2], false, l.number); }},
        {"bag", OnForm, 2, 2, "a name and a JSON object",
         [](H& h, L l) {
             auto& b = h.bag(l[1], l.number);
             try {
                 b = services::parse_bag_json(l[2], "bag " + l[1]);
             } catch (const Error& e) {
                 l.fail(e.what());
             }
         }},
        {"load", OnControl, 2, 2, "", [](H& h, L l) { l.box().ReadProperties(h.bag(l[2], l.number)); }},
        {"save", OnControl, 2, 2, "", [](H& h, L l) { h.save(*l.control, l[1], h.bag(l[2], l.number)); }},
        {"loadfile", OnControl, 2, 2, "",
         [](H&, L l) {
             auto b = services::read_form_file(l.path(2));
             l.box().ReadProperties(b);
         }},
        {"savefile", OnControl, 2, 2, "",
         [](H& h, L l) {
             const std::string path = l.path(2);
             services::MemoryPropertyBag b;
             h.save(*l.control, l[1], b);
             services::write_form_file(path, b);
         }},
        {"show", OnForm, 1, 1, "",
         [](H& h, L l) { h.out_ << l[1] << " = " << services::bag_to_json(h.bag(l[1], l.number), false) << '\n'; }},
        {"get", OnControl, 2, 2, "",
         [](H& h, L l) { print_result(h.out_, l.member(), [&] { return l.box().get(l[2]); }); }},
        {"set", OnControl, 3, any, "NAME MEMBER VALUE", assign},
        {"setref", OnControl, 3, any, "NAME MEMBER VALUE", assign},
        {"call", OnControl, 2, any, "NAME METHOD [VALUE ...]",
         [](H& h, L l) {
             std::vector<Variant> args;
             for (std::size_t i = 3; i < l.size(); ++i) args.push_back(l.value(i));
             print_result(h.out_, l.member(), [&] { return l.box().invoke(l[2], args); });
         }},
        // Focus leaves the focused control first; a copy of its name, as blur clears it.
        {"focus", OnControl, 1, 1, "",
         [](H& h, L l) {
             if (!h.focused_.empty() && h.focused_ != l[1]) h.blur(std::string(h.focused_));
             h.focused_ = l[1];
             l.user().got_focus();
         }},
        {"blur", OnControl, 1, 1, "", [](H& h, L l) { h.blur(l[1]); }},
        {"type", OnControl, 2, 2, "",
         [](H&, L l) {
             for (char16_t ch : l.text(2)) {
                 const services::KeyStroke k = services::us_key_of(ch);
                 l.user().type(ch, k.code, k.shift);
             }
         }},
        {"key", OnControl, 2, 2, "",
         [](H&, L l) {
             const std::optional<PressedKey> k = key_named(l[2]);
             if (!k) l.fail("unknown key " + l[2]);
             l.user().press(k->code, k->shift, k->ascii);
         }},
        // Edits that are no keystrokes; paste puts the text on the form's clipboard first.
        {"paste", OnControl, 2, 2, "",
         [](H& h, L l) {
             h.form_.clipboard = l.text(2);
             l.user().paste();
         }},
        {"drop", OnControl, 2, 2, "", [](H&, L l) { l.user().drop(l.text(2)); }},
        {"ime", OnControl, 2, 2, "", [](H&, L l) { l.user().input_method_commit(l.text(2)); }},
        {"select", OnControl, 3, 3, "",
         [](H&, L l) {
             l.user().user_select(static_cast<std::int32_t>(l.whole(2)), static_cast<std::int32_t>(l.whole(3)));
         }},
        {"click", OnControl, 1, 1, "", [](H&, L l) { l.user().click(); }},
        {"dblclick", OnControl, 1, 1, "", [](H&, L l) { l.user().dbl_click(); }},
        {"tick", OnControl, 1, 2, "NAME [N]",
         [](H&, L l) {
             const long long count = l.size() == 3 ? l.whole(2) : 1;
             if (count < 0 || count > 1000000) l.fail("tick: N out of range");
             for (long long i = 0; i < count; ++i) l.host().manual_timer()->advance(blink_interval_ms);
         }},
        {"resize", OnControl, 3, 3, "",
         [](H&, L l) {
             const long long width = l.whole(2), height = l.whole(3);
             if (width < 0 || height < 0 || width > INT32_MAX || height > INT32_MAX)
                 l.fail("resize: size out of range");
             l.host().control_width = static_cast<std::int32_t>(width);
             l.host().control_height = static_cast<std::int32_t>(height);
             l.box().Resize();
         }},
        {"onkeypress", OnControl, 2, 2, "",
         [](H&, L l) {
             if (l[2] == "off") return l.host().key_press_override.reset();
             const long long code = l.whole(2);
             if (code < INT16_MIN || code > INT16_MAX) l.fail("onkeypress: code out of range");
             l.host().key_press_override = static_cast<std::int16_t>(code);
         }},
        {"state", OnControl, 1, 1, "",
         [](H& h, L l) {
             const EditBox& box = l.box().textbox();
             h.out_ << l[1] << ": text " << quote(box.text()) << " sel " << box.sel_start() << ' ' << box.sel_length()
                    << " blink " << (l.box().timer().enabled() ? "on" : "off") << '\n';
         }},
        {"accessible", OnControl, 1, 1, "", [](H& h, L l) { h.print_accessible(l[1], *l.control); }},
        {"locale", OnForm, 1, 1, "",
         [](H& h, L l) { guarded(h.out_, "locale", [&] { h.form_.locale = Locale::from_name(l[1]); }); }},
        {"today", OnForm, 1, 1, "",
         [](H& h, L l) {
             int y = 0, m = 0, d = 0;
             if (std::sscanf(l[1].c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3) l.fail("today: expected YYYY-MM-DD");
             const std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                                                   std::chrono::day{static_cast<unsigned>(d)}};
             if (!ymd.ok()) l.fail("today: no such date " + l[1]);
             h.form_.today = std::chrono::sys_days{ymd};
         }},
        {"font", OnForm, 2, 2, "", [](H& h, L l) { h.form_.ambient_font = l.font(1); }},
        // The page commands check their own words.
        {"page", OnForm, 0, any, "",
         [](H& h, L l) {
             h.page_.run(l.words, l.number,
                         [&](const std::string& name) -> Dispatch& { return *h.control(name, l.number).box; });
         }},
        {"print", OnForm, 1, 1, "", [](H& h, L l) { h.out_ << to_utf8(l.text(1)) << '\n'; }},
        {"typelib", OnForm, 0, 0, "", [](H& h, L) { h.out_ << typelib_text(); }},
    };
    const auto found = std::ranges::find(commands, name, &Command::name);
    return found == std::end(commands) ? nullptr : found;
}

void ScriptHost::run_line(std::string_view text, int number) {
    Line line(text, number);
    if (line.size() == 0) return;
    const std::string& name = line[0];
    const Command* command = find_command(name);
    if (!command) line.fail("unknown command " + name);
    const std::size_t args = line.size() - 1;
    if (args < command->min_args || args > command->max_args) {
        const std::string expected =
            command->usage.empty() ? std::to_string(command->min_args) + " argument(s)" : std::string(command->usage);
        line.fail(name + ": expected " + expected);
    }
    if (command->subject == OnForm) return command->run(*this, line);
    line.control = &control(line[1], number);
    // An error of the control's own is printed, and the script goes on.
    guarded(out_, line[1], [&] { command->run(*this, line); });
}

}  // namespace norvtext::script
