// The script host's commands.
#include "apps/script/script_host.hpp"

#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdio>

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
    if (s.empty()) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

// A date or time literal "#...#" may hold a blank; a "#" that opens anything else starts a
// comment.
bool date_literal_at(std::string_view line, std::size_t i, std::size_t& end) {
    const auto close = line.find('#', i + 1);
    if (close == std::string_view::npos || close == i + 1) return false;
    for (std::size_t k = i + 1; k < close; ++k) {
        const char c = line[k];
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == ':' || c == ' ')) return false;
    }
    end = close + 1;
    return true;
}

}  // namespace

// One line split into words; a quoted word keeps its quotes so that literals can tell a
// String from a name, and `rest` gives the raw text after a word (for `bag` lines).
struct ScriptHost::Words {
    std::vector<std::string> items;
    std::vector<std::size_t> ends;  // offset just past each word
    std::string_view line;

    Words(std::string_view text, int line_number) : line(text) {
        std::size_t i = 0;
        while (i < text.size()) {
            const char c = text[i];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
                continue;
            }
            if (c == '{' && items.size() >= 2 && items[0] == "bag") {  // JSON to the end of the line
                items.emplace_back(text.substr(i));
                ends.push_back(text.size());
                return;
            }
            std::size_t end = i;
            if (c == '#') {
                if (!date_literal_at(text, i, end)) return;  // a comment
            } else if (c == '"') {
                end = i + 1;
                while (end < text.size() && text[end] != '"') end += text[end] == '\\' ? 2 : 1;
                if (end >= text.size()) throw ScriptError(line_number, "unterminated string");
                ++end;
            } else {
                while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '\r') ++end;
            }
            items.emplace_back(text.substr(i, end - i));
            ends.push_back(end);
            i = end;
        }
    }
    std::size_t size() const { return items.size(); }
    const std::string& operator[](std::size_t i) const { return items[i]; }
};

namespace {

std::u16string unquote(const std::string& word, int line) {
    if (word.size() < 2 || word.front() != '"' || word.back() != '"')
        throw ScriptError(line, "expected a quoted text, got " + word);
    const std::string_view body(word.data() + 1, word.size() - 2);
    std::u16string out;
    std::string plain;
    auto flush = [&] {
        out += from_utf8(plain);
        plain.clear();
    };
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') {
            plain += body[i];
            continue;
        }
        if (i + 1 >= body.size()) throw ScriptError(line, "bad escape in " + word);
        const char e = body[++i];
        if (e == '"' || e == '\\') {
            plain += e;
        } else if (e == 'u' && i + 4 < body.size()) {
            unsigned code = 0;
            auto [p, ec] = std::from_chars(body.data() + i + 1, body.data() + i + 5, code, 16);
            if (ec != std::errc() || p != body.data() + i + 5) throw ScriptError(line, "bad \\u escape in " + word);
            flush();
            out += static_cast<char16_t>(code);
            i += 4;
        } else {
            throw ScriptError(line, "bad escape in " + word);
        }
    }
    flush();
    return out;
}

Variant literal_string(const std::string& word, int line) {
    Variant v(unquote(word, line));
    return v;
}

long long whole_number(const std::string& word, int line) {
    long long n = 0;
    auto [p, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (ec != std::errc() || p != word.data() + word.size()) throw ScriptError(line, "expected a number, got " + word);
    return n;
}

struct NamedKey {
    std::string_view name;
    std::int16_t code;
    std::int16_t ascii;  // 0: produces no character
};
constexpr NamedKey named_keys[] = {
    {"Escape", keys::Escape, keys::Escape},
    {"Enter", keys::Enter, keys::Enter},
    {"Tab", keys::Tab, keys::Tab},
    {"Backspace", keys::Backspace, keys::Backspace},
    {"Delete", keys::Delete, 0},
    {"Left", keys::Left, 0},
    {"Right", keys::Right, 0},
    {"Home", keys::Home, 0},
    {"End", keys::End, 0},
};

headless::SimulatedUser& user_box(headless::MemoryHost& host) { return *host.user(); }

}  // namespace

ScriptHost::ScriptHost(std::ostream& out) : out_(out) {
    form_.on_line = [this](const std::string& line) { out_ << line << '\n'; };
}

ScriptHost::~ScriptHost() {
    // Controls go before their hosts.
    for (auto& [name, c] : controls_) c.box.reset();
}

void ScriptHost::run(std::istream& in) {
    std::string line;
    int number = 0;
    while (std::getline(in, line)) run_line(line, ++number);
}

template <class F>
void ScriptHost::guarded(const std::string& who, F&& action) {
    try {
        action();
    } catch (const Error& e) {
        out_ << who << ": error " << e.number() << ' ' << e.what() << '\n';
    }
}

ScriptHost::Control& ScriptHost::control(const std::string& name, int line) {
    auto it = controls_.find(name);
    if (it == controls_.end()) throw ScriptError(line, "no control named " + name);
    return it->second;
}

services::MemoryPropertyBag& ScriptHost::bag(const std::string& name, int line) {
    if (!is_name(name)) throw ScriptError(line, "bad bag name " + name);
    return bags_[name];
}

void ScriptHost::add_control(const std::string& class_name, const std::string& name, bool first_placement, int line) {
    const ControlClass* cls = find_control_class(class_name);
    if (!cls) throw ScriptError(line, "unknown class " + class_name);
    if (!is_name(name)) throw ScriptError(line, "bad control name " + name);
    if (controls_.count(name)) throw ScriptError(line, "a control named " + name + " exists already");
    Control c;
    c.class_name = class_name;
    c.host = std::make_unique<headless::MemoryHost>(form_, name);
    c.box = cls->create(*c.host);
    Control& placed = controls_.emplace(name, std::move(c)).first->second;
    creation_order_.push_back(name);
    // A new control takes its class's first size; the host then sizes its inner box.
    placed.host->control_width = cls->initial_width;
    placed.host->control_height = cls->initial_height;
    guarded(name, [&] {
        if (first_placement) placed.box->InitProperties();
        placed.box->Resize();
    });
}

void ScriptHost::save(Control& c, const std::string& name, services::MemoryPropertyBag& b) {
    b.begin_save();
    b.on_write = [this, &name](std::string_view key, const Variant& value, const std::optional<Variant>& def) {
        out_ << name << ": write " << key << " = " << print_value(value) << ' '
             << (def ? "(default " + print_value(*def) + ")" : std::string("(no default)")) << '\n';
    };
    try {
        c.box->WriteProperties(b);
    } catch (...) {
        b.on_write = nullptr;
        throw;
    }
    b.on_write = nullptr;
}

void ScriptHost::focus(const std::string& name) {
    if (!focused_.empty() && focused_ != name) blur(std::string(focused_));  // a copy: blur clears it
    focused_ = name;
    guarded(name, [&] { user_box(*controls_.at(name).host).got_focus(); });
}

void ScriptHost::blur(const std::string& name) {
    if (focused_ == name) focused_.clear();
    guarded(name, [&] { user_box(*controls_.at(name).host).lost_focus(); });
}

void ScriptHost::print_state(const std::string& name, Control& c) {
    const EditBox& box = c.box->textbox();
    out_ << name << ": text " << quote(box.text()) << " sel " << box.sel_start() << ' ' << box.sel_length()
         << " blink " << (c.box->timer().enabled() ? "on" : "off") << '\n';
}

void ScriptHost::run_line(std::string_view text, int n) {
    const Words w(text, n);
    if (w.size() == 0) return;
    const std::string& cmd = w[0];
    auto need = [&](std::size_t count) {
        if (w.size() != count) throw ScriptError(n, cmd + ": expected " + std::to_string(count - 1) + " argument(s)");
    };
    auto literal = [&](std::size_t i) -> Variant {
        const std::string& word = w[i];
        if (!word.empty() && word.front() == '"') return literal_string(word, n);
        if (word == "Font") {
            if (w.size() != i + 3) throw ScriptError(n, "a Font literal is: Font \"NAME\" SIZE");
            auto f = std::make_shared<Font>();
            f->name = unquote(w[i + 1], n);
            auto size = parse_literal(w[i + 2]);
            if (!size || !size->is_numeric_type()) throw ScriptError(n, "bad font size " + w[i + 2]);
            f->size = size->to_double();
            return Variant(f);
        }
        auto v = parse_literal(word);
        if (!v) throw ScriptError(n, "bad value " + word);
        if (w.size() != i + 1) throw ScriptError(n, "unexpected words after the value");
        return *v;
    };

    if (cmd == "new" || cmd == "create") {
        need(3);
        add_control(w[1], w[2], cmd == "new", n);
    } else if (cmd == "bag") {
        if (w.size() != 3) throw ScriptError(n, "bag: expected a name and a JSON object");
        auto& b = bag(w[1], n);
        try {
            b = services::parse_bag_json(w[2], "bag " + w[1]);
        } catch (const Error& e) {
            throw ScriptError(n, e.what());
        }
    } else if (cmd == "load" || cmd == "save") {
        need(3);
        Control& c = control(w[1], n);
        auto& b = bag(w[2], n);
        guarded(w[1], [&] {
            if (cmd == "load")
                c.box->ReadProperties(b);
            else
                save(c, w[1], b);
        });
    } else if (cmd == "loadfile" || cmd == "savefile") {
        need(3);
        Control& c = control(w[1], n);
        const std::string path = w[2].front() == '"' ? to_utf8(unquote(w[2], n)) : w[2];
        guarded(w[1], [&] {
            if (cmd == "loadfile") {
                auto b = services::read_form_file(path);
                c.box->ReadProperties(b);
            } else {
                services::MemoryPropertyBag b;
                save(c, w[1], b);
                services::write_form_file(path, b);
            }
        });
    } else if (cmd == "show") {
        need(2);
        out_ << w[1] << " = " << services::bag_to_json(bag(w[1], n), false) << '\n';
    } else if (cmd == "get") {
        need(3);
        Control& c = control(w[1], n);
        const std::string who = w[1] + "." + w[2];
        guarded(who, [&] {
            const Variant value = c.box->get(w[2]);  // read first: a failed read prints only its error
            out_ << who << " = " << print_value(value) << '\n';
        });
    } else if (cmd == "set" || cmd == "setref") {
        if (w.size() < 4) throw ScriptError(n, cmd + ": expected NAME MEMBER VALUE");
        Control& c = control(w[1], n);
        const Variant v = literal(3);
        guarded(w[1] + "." + w[2], [&] {
            if (cmd == "set")
                c.box->put(w[2], v);
            else
                c.box->putref(w[2], v);
        });
    } else if (cmd == "call") {
        if (w.size() < 3) throw ScriptError(n, "call: expected NAME METHOD [VALUE ...]");
        Control& c = control(w[1], n);
        std::vector<Variant> args;
        for (std::size_t i = 3; i < w.size(); ++i) {
            const std::string& word = w[i];
            if (!word.empty() && word.front() == '"') {
                args.push_back(literal_string(word, n));
            } else {
                auto v = parse_literal(word);
                if (!v) throw ScriptError(n, "bad value " + word);
                args.push_back(*v);
            }
        }
        const std::string who = w[1] + "." + w[2];
        guarded(who, [&] {
            const Variant result = c.box->invoke(w[2], args);
            out_ << who << " = " << print_value(result) << '\n';
        });
    } else if (cmd == "focus" || cmd == "blur") {
        need(2);
        control(w[1], n);
        if (cmd == "focus")
            focus(w[1]);
        else
            blur(w[1]);
    } else if (cmd == "type") {
        need(3);
        Control& c = control(w[1], n);
        const std::u16string typed = unquote(w[2], n);
        guarded(w[1], [&] {
            for (char16_t ch : typed) {
                const services::KeyStroke k = services::us_key_of(ch);
                user_box(*c.host).type(ch, k.code, k.shift);
            }
        });
    } else if (cmd == "key") {
        need(3);
        Control& c = control(w[1], n);
        const std::string& k = w[2];
        std::int16_t code = 0, shift = 0, ascii = 0;
        if (k.size() == 6 && k.rfind("Ctrl+", 0) == 0 && k[5] >= 'A' && k[5] <= 'Z') {
            code = k[5], shift = 2, ascii = static_cast<std::int16_t>(k[5] - 'A' + 1);
        } else {
            const NamedKey* found = nullptr;
            for (const NamedKey& nk : named_keys)
                if (nk.name == k) found = &nk;
            if (!found) throw ScriptError(n, "unknown key " + k);
            code = found->code, ascii = found->ascii;
        }
        guarded(w[1], [&] { user_box(*c.host).press(code, shift, ascii); });
    } else if (cmd == "select") {
        need(4);
        Control& c = control(w[1], n);
        user_box(*c.host).user_select(static_cast<std::int32_t>(whole_number(w[2], n)),
                                      static_cast<std::int32_t>(whole_number(w[3], n)));
    } else if (cmd == "click" || cmd == "dblclick") {
        need(2);
        Control& c = control(w[1], n);
        guarded(w[1], [&] {
            if (cmd == "click")
                user_box(*c.host).click();
            else
                user_box(*c.host).dbl_click();
        });
    } else if (cmd == "tick") {
        if (w.size() != 2 && w.size() != 3) throw ScriptError(n, "tick: expected NAME [N]");
        Control& c = control(w[1], n);
        const long long count = w.size() == 3 ? whole_number(w[2], n) : 1;
        if (count < 0 || count > 1000000) throw ScriptError(n, "tick: N out of range");
        guarded(w[1], [&] {
            for (long long i = 0; i < count; ++i) c.host->manual_timer()->advance(blink_interval_ms);
        });
    } else if (cmd == "resize") {
        need(4);
        Control& c = control(w[1], n);
        const long long width = whole_number(w[2], n), height = whole_number(w[3], n);
        if (width < 0 || height < 0 || width > INT32_MAX || height > INT32_MAX)
            throw ScriptError(n, "resize: size out of range");
        c.host->control_width = static_cast<std::int32_t>(width);
        c.host->control_height = static_cast<std::int32_t>(height);
        guarded(w[1], [&] { c.box->Resize(); });
    } else if (cmd == "onkeypress") {
        need(3);
        Control& c = control(w[1], n);
        if (w[2] == "off") {
            c.host->key_press_override.reset();
        } else {
            const long long code = whole_number(w[2], n);
            if (code < INT16_MIN || code > INT16_MAX) throw ScriptError(n, "onkeypress: code out of range");
            c.host->key_press_override = static_cast<std::int16_t>(code);
        }
    } else if (cmd == "state") {
        need(2);
        print_state(w[1], control(w[1], n));
    } else if (cmd == "locale") {
        need(2);
        guarded("locale", [&] { form_.locale = Locale::from_name(w[1]); });
    } else if (cmd == "today") {
        need(2);
        int y = 0, m = 0, d = 0;
        if (std::sscanf(w[1].c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3) throw ScriptError(n, "today: expected YYYY-MM-DD");
        const std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                                              std::chrono::day{static_cast<unsigned>(d)}};
        if (!ymd.ok()) throw ScriptError(n, "today: no such date " + w[1]);
        form_.today = std::chrono::sys_days{ymd};
    } else if (cmd == "font") {
        need(3);
        auto f = std::make_shared<Font>();
        f->name = unquote(w[1], n);
        auto size = parse_literal(w[2]);
        if (!size || !size->is_numeric_type()) throw ScriptError(n, "bad font size " + w[2]);
        f->size = size->to_double();
        form_.ambient_font = f;
    } else if (cmd == "page") {
        page_.run(w.items, n, {[&](const std::string& name) -> Dispatch& { return *control(name, n).box; },
                               [&](const std::string& word) { return unquote(word, n); }});
    } else if (cmd == "print") {
        need(2);
        out_ << to_utf8(unquote(w[1], n)) << '\n';
    } else if (cmd == "typelib") {
        need(1);
        out_ << typelib_text();
    } else {
        throw ScriptError(n, "unknown command " + cmd);
    }
}

}  // namespace norvtext::script
