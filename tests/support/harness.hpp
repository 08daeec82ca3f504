// What every headless test shares: a control placed on a headless form and driven as a host
// and a user would, the lines the host saw since the last look, and text helpers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "apps/script/value_text.hpp"
#include "norvtext/controls/registry.hpp"
#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/platform/utf8.hpp"
#include "norvtext/services/memory_property_bag.hpp"

namespace norvtext {
// GoogleTest prints UTF-16 texts readably in failure messages.
inline void PrintTo(const std::u16string& s, std::ostream* os) { *os << '"' << to_utf8(s) << '"'; }
}  // namespace norvtext

namespace norvtext::testing {

using Lines = std::vector<std::string>;

inline std::string u8(std::u16string_view s) { return to_utf8(s); }

// The error number an action raises, 0 when it raises none.
int error_of(const auto& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

// Keys in a typing sequence for play(): these codes stand for the keys that type nothing.
namespace key {
constexpr char16_t del = u'\x7f', left = u'\x01', right = u'\x02', home = u'\x03', end = u'\x04';
}
// A user's keys into an in-memory box: Backspace, Enter, Tab and Escape are pressed with
// their character, the codes of `key` without one, anything else is typed.
inline void play(headless::SimulatedUser& user, std::u16string_view keys) {
    for (const char16_t k : keys) {
        switch (k) {
            case key::del: user.press(keys::Delete, 0, 0); break;
            case key::left: user.press(keys::Left, 0, 0); break;
            case key::right: user.press(keys::Right, 0, 0); break;
            case key::home: user.press(keys::Home, 0, 0); break;
            case key::end: user.press(keys::End, 0, 0); break;
            case u'\b': case u'\r': case u'\t': case u'\x1b': user.press(static_cast<std::int16_t>(k), 0, static_cast<std::int16_t>(k)); break;
            default: user.type(k, 0, 0);
        }
    }
}

// Counts an inner box's Change notifications.
struct ChangeCounter final : EditBoxListener {
    int changes = 0;
    void on_change() override { ++changes; }
};

// A form with one control. `Box` is a control class, or BoxBase for one made by class name
// through the registry.
template <class Box = BoxBase>
struct Placed {
    headless::MemoryForm form;
    headless::MemoryHost host;
    std::unique_ptr<Box> owner;
    Box& box;

    // A control placed for the first time (InitProperties), or left unplaced for a load.
    explicit Placed(bool first_placement = true, std::string name = "b1")
        requires(!std::is_same_v<Box, BoxBase>)
        : host(form, std::move(name)), owner(std::make_unique<Box>(host)), box(*owner) {
        if (first_placement) box.InitProperties();
        take();
    }
    explicit Placed(std::string_view class_name, bool first_placement = true, std::string name = "b1")
        requires std::is_same_v<Box, BoxBase>
        : host(form, std::move(name)), owner(find_control_class(class_name)->create(host)), box(*owner) {
        if (first_placement) box.InitProperties();
        take();
    }

    headless::SimulatedUser& user() { return *host.user(); }
    std::u16string text() const { return std::u16string(box.textbox().text()); }
    bool blinking() { return box.timer().enabled(); }

    // Typed characters, one key each (KeyDown and KeyUp carry code 0).
    void type(std::u16string_view typed) {
        for (const char16_t c : typed) user().type(c, 0, 0);
    }
    void key(std::int16_t code, std::int16_t ascii = 0) { user().press(code, 0, ascii); }
    void escape() { key(keys::Escape, keys::Escape); }
    void tick() { host.manual_timer()->advance(500); }
    // The user comes into the box, types, and leaves; the lines of the leaving step only.
    Lines enter(std::u16string_view typed) {
        user().got_focus();
        type(typed);
        take();
        user().lost_focus();
        return take();
    }
    // The transcript since the last call.
    Lines take() {
        Lines out = std::move(form.transcript);
        form.transcript.clear();
        return out;
    }
    // The last line of take(), "" when there is none.
    std::string last_line() { const Lines lines = take(); return lines.empty() ? "" : lines.back(); }
    // A writer's blink: whether it runs, and when it does not, that nothing is left selected.
    void expect_blinking(bool on) {
        EXPECT_EQ(blinking(), on);
        if (!on) { EXPECT_EQ(box.SelLength(), 0) << "a stopped blink leaves nothing selected"; }
    }
};

// The bag a save of the box writes.
inline services::MemoryPropertyBag saved(BoxBase& box) {
    services::MemoryPropertyBag bag;
    bag.begin_save();
    box.WriteProperties(bag);
    return bag;
}

// Every write a save makes, as "Key=Type value" in order, also those a bag leaves out.
inline Lines writes_of(BoxBase& box) {
    services::MemoryPropertyBag bag;
    Lines out;
    bag.on_write = [&](std::string_view key, const Variant& v, const std::optional<Variant>&) {
        out.push_back(std::string(key) + "=" + script::print_value(v));
    };
    bag.begin_save();
    box.WriteProperties(bag);
    return out;
}

}  // namespace norvtext::testing
