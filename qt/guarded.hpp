// Errors never cross Qt's event loop: whatever a widget does on Qt's behalf (an event, a
// property written through Qt's property system) runs guarded, and an error it raises is
// reported, as a signal and a log line, instead of leaving the handler.
#pragma once

#include <exception>
#include <functional>

namespace norvtext::qt {

// Where an error raised in a guarded action goes; an empty reporter drops it.
using ErrorReporter = std::function<void(const std::exception&)>;

// Runs `action`; false when it raised, which then went to `report`.
template <class Action>
bool guarded(const ErrorReporter& report, Action&& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        if (report) report(e);
        return false;
    }
}

}  // namespace norvtext::qt
