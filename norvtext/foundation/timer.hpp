// The blink timer (`Timer1`): ticks every 500 ms while enabled, created disabled.
#pragma once

namespace norvtext {

inline constexpr int blink_interval_ms = 500;

class TimerListener {
public:
    virtual void on_timer() = 0;

protected:
    ~TimerListener() = default;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual void set_listener(TimerListener* listener) = 0;
    virtual bool enabled() const = 0;
    virtual void set_enabled(bool enabled) = 0;
};

}  // namespace norvtext
