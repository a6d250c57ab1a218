// Shared bits of the bitmap loader tests: load a built file, compare pixels.
#pragma once

#include "tools/bitmap_builder.h"
#include "renderer/bitmap_texture.h"
#include "temp_dir.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace zorun::renderer {

using Rgba = std::array<std::uint8_t, 4>;

inline Rgba opaque(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return {red, green, blue, 255};
}

inline testbmp::BitmapLayout layout(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                    std::vector<std::uint32_t> pixels,
                                    std::vector<std::array<std::uint8_t, 4>> palette = {})
{
    testbmp::BitmapLayout s;
    s.width = width;
    s.height = height;
    s.bits = bits;
    s.pixels = std::move(pixels);
    s.palette = std::move(palette);
    return s;
}

inline testbmp::BitmapLayout withMasks(testbmp::BitmapLayout s, std::uint32_t red, std::uint32_t green,
                                       std::uint32_t blue)
{
    s.compression = 3;
    s.masks = std::array<std::uint32_t, 3>{red, green, blue};
    return s;
}

inline std::vector<Rgba> pixelsOf(const BitmapTexture& texture)
{
    std::vector<Rgba> out(texture.pixelBytes() / 4);
    std::memcpy(out.data(), texture.pixels(), out.size() * sizeof(Rgba));
    return out;
}

inline std::array<std::uint8_t, 4> paletteEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return {blue, green, red, 0};
}

}  // namespace zorun::renderer
