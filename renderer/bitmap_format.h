// The Windows bitmap file layout (BITMAPFILEHEADER + BITMAPINFOHEADER) and the pixel converters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/little_endian.h"

namespace zorun::renderer::bmp {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;
constexpr std::uint16_t signatureBM = 0x4D42;
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t compressionNone = 0;
constexpr std::uint32_t compressionBitFields = 3;

/// The fields of the two headers that the reader uses; the others are ignored.
struct Headers {
    std::uint16_t type = 0;
    std::uint32_t offBits = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
};

using le::readU16;
using le::readU32;

Headers parseHeaders(const std::uint8_t (&bytes)[fileHeaderSize + infoHeaderSize]);

/// Bytes of one stored row: width x bits rounded up to a multiple of 4 bytes. 64-bit so it cannot wrap.
constexpr std::int64_t alignedRowBytes(std::int64_t width, std::int64_t bits)
{
    return (width * bits + 31) / 32 * 4;
}

/// Widens an n-bit channel value to 8 bits by repeating its bits (n = set bits of its mask).
std::uint8_t widenChannel(std::uint32_t value, int maskBits);

struct Masks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
};

/// The layout a 16-bit bitmap without bit fields uses.
constexpr Masks masks555{0x7C00, 0x03E0, 0x001F};

using Palette = std::uint8_t[256][4];  // blue, green, red, reserved, as stored

// Each converter walks `height` rows of `stride` bytes from `source` (rows in file order) and writes
// width x height RGBA pixels with alpha 255. The caller guarantees stride x height source bytes and
// width x height x 4 destination bytes.
void convert24(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
               std::uint8_t* rgba);
void convert16(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
               const Masks& masks, std::uint8_t* rgba);
void convert8(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
              const Palette& palette, std::uint8_t* rgba);
void convert4(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
              const Palette& palette, std::uint8_t* rgba);
/// 32-bit pixels are read straight into the RGBA buffer: swap blue and red, make every pixel opaque.
void convert32InPlace(std::uint8_t* pixels, std::size_t pixelCount);

}  // namespace zorun::renderer::bmp
