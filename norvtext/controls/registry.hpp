// The control classes by name: what a host needs to create a control it only knows by its
// class name (a form file, a script, a designer's widget box).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "norvtext/foundation/box_base.hpp"

namespace norvtext {

struct ControlClass {
    std::string_view name;
    std::int32_t initial_width;   // twips, on first placement
    std::int32_t initial_height;
    std::unique_ptr<BoxBase> (*create)(Host& host);
};

std::span<const ControlClass> control_classes();
const ControlClass* find_control_class(std::string_view name);

}  // namespace norvtext
