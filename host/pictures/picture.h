// A decoded picture, as the host's windows, the button and the dialog take it.
#pragma once

#include <cstdint>
#include <vector>

namespace zorun::host {

/// width x height pixels as red, green, blue triples, top row first.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb;
};

}  // namespace zorun::host
