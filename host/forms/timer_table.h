// The timers of one window for adapters that run their own message loop: which are due, and how long
// the loop may sleep.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <vector>

namespace zorun::host {

class TimerTable {
public:
    using Clock = std::chrono::steady_clock;

    /// As SetTimer and KillTimer: switching on (again) starts a full interval from now.
    void set(int id, std::uint32_t intervalMs, bool on, Clock::time_point now);
    /// The timers due at now, in id order.
    std::vector<int> due(Clock::time_point now) const;
    /// Whether the timer still runs, and if so moves it to its next tick: a slow handler delays that tick
    /// rather than queueing several.
    bool take(int id, Clock::time_point now);
    /// Milliseconds until the next tick (0 when one is due), or -1 when no timer runs.
    int msUntilNext(Clock::time_point now) const;

private:
    struct Timer {
        std::uint32_t interval = 0;
        Clock::time_point due;
        bool on = false;
    };
    std::map<int, Timer> timers_;
};

}  // namespace zorun::host
