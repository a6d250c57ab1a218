// Builds Windows bitmap files in memory from pixel values, for the fuzz seeds, tests and benchmarks.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace testbmp {

/// Pixel values in file order (bottom row first for a positive height):
/// 4 and 8 bits: palette index; 16 bits: the 16-bit value; 24 bits: 0xRRGGBB; 32 bits: 0xXXRRGGBB.
struct BitmapLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<std::array<std::uint8_t, 4>> palette;   // blue, green, red, reserved
    std::optional<std::array<std::uint32_t, 3>> masks;  // written after the info header
    std::optional<std::uint32_t> clrUsed;               // default: the palette's length
    std::uint32_t sizeImage = 0;
    std::uint32_t infoSize = 40;
    std::optional<std::uint32_t> offBits;  // default: right after headers, masks and palette
    std::uint8_t padding = 0xEE;           // fills row alignment bytes, so a reader that uses them shows it
};

/// Rows packed and aligned to 4 bytes, as stored in a file.
std::vector<std::uint8_t> packRows(const BitmapLayout& layout);
/// The whole file: 14-byte file header, 40-byte info header, masks, palette, pixel rows.
std::vector<std::uint8_t> encode(const BitmapLayout& layout);

/// A width x height picture of the given depth with varied pixels and, below 16 bits, a full palette.
BitmapLayout gradient(std::int32_t width, std::int32_t height, std::uint16_t bits);

}  // namespace testbmp
