// A decoded picture's pixels in the 32-bit layout every drawing surface of the host takes.
#include "host/drawing/picture_pixels.h"

namespace zorun::host {

bool isWholePicture(const Picture& picture)
{
    return picture.width > 0 && picture.height > 0 &&
           picture.rgb.size() >= static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3;
}

std::uint32_t pixelAt(const Picture& picture, std::int32_t x, std::int32_t y)
{
    const std::uint8_t* p =
        &picture.rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + x) * 3];
    return std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
}

std::vector<std::uint32_t> xrgbPixels(const Picture& picture)
{
    std::vector<std::uint32_t> pixels;
    if (!isWholePicture(picture))
        return pixels;
    pixels.reserve(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    for (std::int32_t y = 0; y < picture.height; ++y)
        for (std::int32_t x = 0; x < picture.width; ++x)
            pixels.push_back(pixelAt(picture, x, y));
    return pixels;
}

}  // namespace zorun::host
