// A rectangle as Win32 keeps one (RECT), for the ports of both programs.
#pragma once

#include <cstdint>

namespace zorun {

/// Left, top, right, bottom in pixels; right and bottom lie just outside.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const Rect&) const = default;
};

}  // namespace zorun
