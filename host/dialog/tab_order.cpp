// Tab order: the next control that takes the focus, wrapping around.
#include "host/dialog/tab_order.h"

namespace zorun::host {

int nextTabStop(std::span<const bool> takesFocus, int current, bool backwards)
{
    const int count = static_cast<int>(takesFocus.size());
    if (current < 0 || current >= count)
        current = backwards ? count : -1;  // from none: the first forwards, the last backwards
    for (int step = 1; step <= count; ++step) {
        const int at = ((backwards ? current - step : current + step) % count + count) % count;
        if (takesFocus[static_cast<std::size_t>(at)])
            return at;
    }
    return -1;
}

}  // namespace zorun::host
