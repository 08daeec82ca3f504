// A blink timer whose ticks come when the host advances its clock, so tests and scripts
// decide exactly when 500 ms have passed.
#pragma once

#include "norvtext/foundation/timer.hpp"

namespace norvtext::headless {

class ManualTimer : public Timer {
public:
    void set_listener(TimerListener* listener) override { listener_ = listener; }
    bool enabled() const override { return enabled_; }
    void set_enabled(bool enabled) override {
        if (enabled != enabled_) elapsed_ms_ = 0;
        enabled_ = enabled;
    }
    // Lets `ms` milliseconds pass: one tick per full interval while enabled.
    void advance(int ms) {
        if (!enabled_) return;
        elapsed_ms_ += ms;
        while (enabled_ && elapsed_ms_ >= blink_interval_ms) {
            elapsed_ms_ -= blink_interval_ms;
            if (listener_) listener_->on_timer();
        }
    }

private:
    TimerListener* listener_ = nullptr;
    bool enabled_ = false;  // created disabled
    int elapsed_ms_ = 0;
};

}  // namespace norvtext::headless
