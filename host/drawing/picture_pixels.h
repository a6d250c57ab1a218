// A decoded picture's pixels in the 32-bit layout every drawing surface of the host takes.
#pragma once

#include "host/pictures/picture.h"

#include <cstdint>
#include <vector>

namespace zorun::host {

/// Whether the picture has a size and every pixel of it.
bool isWholePicture(const Picture& picture);

/// The pixel at x, y as 0x00RRGGBB; the picture must be whole and the point inside it.
std::uint32_t pixelAt(const Picture& picture, std::int32_t x, std::int32_t y);

/// Every pixel as 0x00RRGGBB, top row first, no padding: a 32-bit top-down DIB section's layout and a
/// cairo RGB24 surface's on a little-endian machine. Empty for a picture that is not whole.
std::vector<std::uint32_t> xrgbPixels(const Picture& picture);

/// A colour as the forms give it (0x00BBGGRR, a COLORREF) as a 0x00RRGGBB pixel.
constexpr std::uint32_t xrgbFromColour(std::uint32_t colour)
{
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

}  // namespace zorun::host
