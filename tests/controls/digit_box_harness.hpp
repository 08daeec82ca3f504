// A digit box (telephone, social security, ZIP) on a headless form, placed and driven as a
// host and a user would, with the lines the host saw since the last look.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "norvtext/headless/memory_host.hpp"
#include "norvtext/services/memory_property_bag.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext::testing {

using Lines = std::vector<std::string>;

// The error number an action raises, 0 when it raises none.
int error_of(const auto& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

template <class Box>
struct DigitBoxHarness {
    headless::MemoryForm form;
    headless::MemoryHost host{form, "b1"};
    Box box{host};

    DigitBoxHarness() {
        box.InitProperties();
        take();
    }

    headless::SimulatedUser& user() { return *host.user(); }
    void type(std::u16string_view text) {
        for (char16_t c : text) user().type(c, 0, 0);
    }
    void escape() { user().press(27, 0, 27); }
    void tick() { host.manual_timer()->advance(500); }
    // The user comes into the box, types, and leaves; the lines of the leaving step only.
    Lines enter_type_and_leave(std::u16string_view text) {
        user().got_focus();
        type(text);
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
    std::u16string text() const { return std::u16string(box.textbox().text()); }
    bool blinking() { return box.timer().enabled(); }

    // The keys a save writes, in order, and the bag it leaves.
    Lines saved_keys(services::MemoryPropertyBag& bag) {
        Lines keys;
        bag.on_write = [&](std::string_view key, const Variant&, const std::optional<Variant>&) {
            keys.emplace_back(key);
        };
        bag.begin_save();
        box.WriteProperties(bag);
        bag.on_write = nullptr;
        return keys;
    }
};

// The keys a load of a fresh box from the bag reads, in order.
template <class Box>
Lines loaded_keys(Box& box, services::MemoryPropertyBag& bag) {
    Lines keys;
    bag.on_read = [&](std::string_view key, const Variant&) { keys.emplace_back(key); };
    box.ReadProperties(bag);
    bag.on_read = nullptr;
    return keys;
}

}  // namespace norvtext::testing
