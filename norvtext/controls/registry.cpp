// The list of control classes.
#include "norvtext/controls/registry.hpp"

#include <array>

#include "norvtext/controls/text/text_box.hpp"

namespace norvtext {

namespace {
template <class Box>
std::unique_ptr<BoxBase> make(Host& host) {
    return std::make_unique<Box>(host);
}

constexpr std::array classes{
    ControlClass{"txtNorvText", txtNorvText::initial_width, txtNorvText::initial_height, &make<txtNorvText>},
};
}  // namespace

std::span<const ControlClass> control_classes() { return classes; }

const ControlClass* find_control_class(std::string_view name) {
    for (const ControlClass& c : classes)
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace norvtext
