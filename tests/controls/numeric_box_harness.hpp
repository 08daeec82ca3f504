// A currency or percent box on a headless form, placed and driven as a host and a user
// would, with the lines the host saw since the last look.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "norvtext/headless/memory_host.hpp"

namespace norvtext::testing {

template <class Box>
struct NumericBoxHarness {
    using Lines = std::vector<std::string>;

    headless::MemoryForm form;
    headless::MemoryHost host;
    Box box;

    explicit NumericBoxHarness(std::string name) : host(form, std::move(name)), box(host) { box.InitProperties(); }

    headless::SimulatedUser& user() { return *host.user(); }
    std::u16string text() const { return std::u16string(box.textbox().text()); }
    void put_text(std::u16string_view t) { box.textbox().set_text(t); }
    // A key as the user presses it; KeyDown and KeyUp carry code 0.
    void key(char16_t c) { user().press(0, 0, static_cast<std::int16_t>(c)); }
    // The user comes into the box, replaces whatever is there by `typed`, and leaves.
    void enter(std::u16string_view typed) {
        user().got_focus();
        if (box.SelLength() > 0) key(8);
        for (char16_t c : typed) key(c);
        user().lost_focus();
    }
    Lines take() {
        Lines out = std::move(form.transcript);
        form.transcript.clear();
        return out;
    }
};

inline std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

}  // namespace norvtext::testing
