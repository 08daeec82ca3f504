// The seven widgets to assistive technology on Qt: their accessible objects, made by a
// factory the library installs with its first widget, and the events that tell a screen
// reader what the blink and the beep tell a sighted user.
#pragma once

#include <string_view>

#include "norvtext/foundation/accessible.hpp"

namespace norvtext::qt {

class ControlWidget;

// Installs the factory; a second call does nothing.
void install_accessibility();

// Passes a change of the widget's accessible view on to assistive technology, when one is
// listening, and to the widget's accessibleEvent signal, when it is connected.
void notify_accessible(ControlWidget& widget, AccessibleEvent event, std::string_view detail);

}  // namespace norvtext::qt
