// Header parsing and pixel conversion for Windows bitmaps; no file access, no OpenGL.
#include "renderer/bitmap_format.h"

#include <array>
#include <bit>
#include <vector>

namespace zorun::renderer::bmp {
namespace {

void putOpaque(std::uint8_t* out, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    out[0] = red;
    out[1] = green;
    out[2] = blue;
    out[3] = 255;
}

void putPaletteEntry(std::uint8_t* out, const std::uint8_t* entry)
{
    putOpaque(out, entry[2], entry[1], entry[0]);
}

// Position of the lowest set bit; a mask of 0 gives 31, so the channel reads 0.
int lowestBit(std::uint32_t mask)
{
    return mask == 0 ? 31 : std::countr_zero(mask);
}

}  // namespace

Headers parseHeaders(const std::uint8_t (&bytes)[fileHeaderSize + infoHeaderSize])
{
    const std::uint8_t* info = bytes + fileHeaderSize;
    Headers h;
    h.type = readU16(bytes);
    h.offBits = readU32(bytes + 10);
    h.infoSize = readU32(info);
    h.width = static_cast<std::int32_t>(readU32(info + 4));
    h.height = static_cast<std::int32_t>(readU32(info + 8));
    h.bitCount = readU16(info + 14);
    h.compression = readU32(info + 16);
    h.sizeImage = readU32(info + 20);
    h.clrUsed = readU32(info + 32);
    return h;
}

std::uint8_t widenChannel(std::uint32_t c, int maskBits)
{
    switch (maskBits) {
    case 1:
        return c != 0 ? 255 : 0;
    case 2:
        return static_cast<std::uint8_t>(c * 85);
    case 3:
        return static_cast<std::uint8_t>((c << 5) | (c << 2) | (c >> 1));
    case 4:
        return static_cast<std::uint8_t>((c << 4) | c);
    case 5:
        return static_cast<std::uint8_t>((c << 3) | (c >> 2));
    case 6:
        return static_cast<std::uint8_t>((c << 2) | (c >> 4));
    case 7:
        return static_cast<std::uint8_t>((c << 1) | (c >> 6));
    default:
        return static_cast<std::uint8_t>(c);
    }
}

void convert24(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
               std::uint8_t* rgba)
{
    for (std::int32_t y = 0; y < height; ++y, source += stride) {
        const std::uint8_t* in = source;
        for (std::int32_t x = 0; x < width; ++x, in += 3, rgba += 4)
            putOpaque(rgba, in[2], in[1], in[0]);
    }
}

void convert16(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
               const Masks& masks, std::uint8_t* rgba)
{
    // One table entry per 16-bit value: the masks stay fixed for the whole picture.
    const int redShift = lowestBit(masks.red);
    const int greenShift = lowestBit(masks.green);
    const int redBits = std::popcount(masks.red);
    const int greenBits = std::popcount(masks.green);
    const int blueBits = std::popcount(masks.blue);
    std::vector<std::array<std::uint8_t, 4>> table(65536);
    for (std::uint32_t v = 0; v < 65536; ++v) {
        table[v] = {widenChannel((v & masks.red) >> redShift, redBits),
                    widenChannel((v & masks.green) >> greenShift, greenBits), widenChannel(v & masks.blue, blueBits),
                    255};
    }
    for (std::int32_t y = 0; y < height; ++y, source += stride) {
        const std::uint8_t* in = source;
        for (std::int32_t x = 0; x < width; ++x, in += 2, rgba += 4) {
            const auto& rgbaOfValue = table[readU16(in)];
            rgba[0] = rgbaOfValue[0];
            rgba[1] = rgbaOfValue[1];
            rgba[2] = rgbaOfValue[2];
            rgba[3] = 255;
        }
    }
}

void convert8(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
              const Palette& palette, std::uint8_t* rgba)
{
    for (std::int32_t y = 0; y < height; ++y, source += stride) {
        for (std::int32_t x = 0; x < width; ++x, rgba += 4)
            putPaletteEntry(rgba, palette[source[x]]);
    }
}

void convert4(const std::uint8_t* source, std::size_t stride, std::int32_t width, std::int32_t height,
              const Palette& palette, std::uint8_t* rgba)
{
    for (std::int32_t y = 0; y < height; ++y, source += stride) {
        for (std::int32_t x = 0; x < width; ++x, rgba += 4) {
            const std::uint8_t pair = source[x / 2];
            const int index = (x % 2 == 0) ? pair >> 4 : pair & 0x0F;
            putPaletteEntry(rgba, palette[index]);
        }
    }
}

void convert32InPlace(std::uint8_t* pixels, std::size_t pixelCount)
{
    for (std::size_t i = 0; i < pixelCount; ++i, pixels += 4) {
        const std::uint8_t blue = pixels[0];
        pixels[0] = pixels[2];
        pixels[2] = blue;
        pixels[3] = 255;
    }
}

}  // namespace zorun::renderer::bmp
