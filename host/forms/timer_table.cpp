#include "host/forms/timer_table.h"

#include <algorithm>

namespace zorun::host {

void TimerTable::set(int id, std::uint32_t intervalMs, bool on, Clock::time_point now)
{
    Timer& timer = timers_[id];
    timer.interval = intervalMs;
    timer.on = on;
    if (on)
        timer.due = now + std::chrono::milliseconds(intervalMs);
}

std::vector<int> TimerTable::due(Clock::time_point now) const
{
    std::vector<int> ids;
    for (const auto& [id, timer] : timers_)
        if (timer.on && timer.due <= now)
            ids.push_back(id);
    return ids;
}

bool TimerTable::take(int id, Clock::time_point now)
{
    auto it = timers_.find(id);
    if (it == timers_.end() || !it->second.on)
        return false;
    it->second.due = std::max(it->second.due + std::chrono::milliseconds(it->second.interval), now);
    return true;
}

int TimerTable::msUntilNext(Clock::time_point now) const
{
    int wait = -1;
    for (const auto& [id, timer] : timers_)
        if (timer.on) {
            const auto ms = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now).count();
            const int mine = static_cast<int>(std::clamp<long long>(ms, 0, 1 << 30));
            wait = wait < 0 ? mine : std::min(wait, mine);
        }
    return wait;
}

}  // namespace zorun::host
