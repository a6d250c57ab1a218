// Bitmap files built in memory for the fuzz seeds, tests and benchmarks.
#include "tools/bitmap_builder.h"

#include "common/little_endian.h"

namespace testbmp {
namespace {

using zorun::le::appendU16;
using zorun::le::appendU32;

std::size_t rowBytes(const BitmapLayout& layout)
{
    return (static_cast<std::size_t>(layout.width) * layout.bits + 31) / 32 * 4;
}

}  // namespace

std::vector<std::uint8_t> packRows(const BitmapLayout& layout)
{
    const std::size_t stride = rowBytes(layout);
    const std::size_t rows = static_cast<std::size_t>(layout.height < 0 ? -layout.height : layout.height);
    std::vector<std::uint8_t> out;
    out.reserve(stride * rows);
    std::size_t next = 0;
    for (std::size_t y = 0; y < rows; ++y) {
        std::vector<std::uint8_t> row;
        for (std::int32_t x = 0; x < layout.width; ++x) {
            const std::uint32_t v = next < layout.pixels.size() ? layout.pixels[next] : 0;
            ++next;
            switch (layout.bits) {
            case 4:
                if (x % 2 == 0)
                    row.push_back(static_cast<std::uint8_t>((v & 0x0F) << 4));
                else
                    row.back() = static_cast<std::uint8_t>(row.back() | (v & 0x0F));
                break;
            case 8:
                row.push_back(static_cast<std::uint8_t>(v));
                break;
            case 16:
                appendU16(row, v);
                break;
            case 24:
                row.push_back(static_cast<std::uint8_t>(v));
                row.push_back(static_cast<std::uint8_t>(v >> 8));
                row.push_back(static_cast<std::uint8_t>(v >> 16));
                break;
            default:
                appendU32(row, v);
                break;
            }
        }
        // The spare low half of an odd 4-bit row also carries the padding pattern.
        if (layout.bits == 4 && layout.width % 2 == 1)
            row.back() = static_cast<std::uint8_t>(row.back() | (layout.padding & 0x0F));
        row.resize(stride, layout.padding);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<std::uint8_t> encode(const BitmapLayout& layout)
{
    const std::vector<std::uint8_t> rows = packRows(layout);
    const std::uint32_t extras = static_cast<std::uint32_t>((layout.masks ? 12 : 0) + layout.palette.size() * 4);
    const std::uint32_t offBits = layout.offBits.value_or(14 + 40 + extras);
    std::vector<std::uint8_t> out;
    out.reserve(offBits + rows.size());
    appendU16(out, 0x4D42);
    appendU32(out, static_cast<std::uint32_t>(offBits + rows.size()));
    appendU32(out, 0);
    appendU32(out, offBits);
    appendU32(out, layout.infoSize);
    appendU32(out, static_cast<std::uint32_t>(layout.width));
    appendU32(out, static_cast<std::uint32_t>(layout.height));
    appendU16(out, 1);
    appendU16(out, layout.bits);
    appendU32(out, layout.compression);
    appendU32(out, layout.sizeImage);
    appendU32(out, 2835);
    appendU32(out, 2835);
    appendU32(out, layout.clrUsed.value_or(static_cast<std::uint32_t>(layout.palette.size())));
    appendU32(out, 0);
    if (layout.masks) {
        for (std::uint32_t mask : *layout.masks)
            appendU32(out, mask);
    }
    for (const auto& entry : layout.palette)
        out.insert(out.end(), entry.begin(), entry.end());
    out.resize(offBits, 0);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

BitmapLayout gradient(std::int32_t width, std::int32_t height, std::uint16_t bits)
{
    BitmapLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bits = bits;
    layout.padding = 0;
    const std::uint32_t colours = bits < 16 ? (1u << bits) : 0;
    for (std::uint32_t i = 0; i < colours; ++i)
        layout.palette.push_back({static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                                  static_cast<std::uint8_t>(i * 3), 0});
    layout.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const auto ux = static_cast<std::uint32_t>(x);
            const auto uy = static_cast<std::uint32_t>(y);
            std::uint32_t v = (ux * 2654435761u) ^ (uy * 40503u);
            if (colours != 0)
                v %= colours;
            layout.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                v;
        }
    }
    return layout;
}

}  // namespace testbmp
