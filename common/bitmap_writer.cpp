// Uncompressed 24-bit bitmap writer: rows stored bottom first, each padded to 4 bytes.
#include "common/bitmap_writer.h"

#include "common/little_endian.h"
#include "common/write_file.h"

#include <cstdio>
#include <memory>

namespace zorun {

using le::appendU16;
using le::appendU32;

std::vector<std::uint8_t> encodeBitmap24(std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& rgb)
{
    if (width <= 0 || height <= 0)
        return {};
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
    const std::uint64_t sourceBytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 3;
    if (pixelBytes + 54 > 0x7FFFFFFFu || rgb.size() < sourceBytes)
        return {};

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(54 + pixelBytes));
    appendU16(out, 0x4D42);
    appendU32(out, static_cast<std::uint32_t>(54 + pixelBytes));
    appendU32(out, 0);
    appendU32(out, 54);
    appendU32(out, 40);
    appendU32(out, static_cast<std::uint32_t>(width));
    appendU32(out, static_cast<std::uint32_t>(height));
    appendU16(out, 1);
    appendU16(out, 24);
    appendU32(out, 0);
    appendU32(out, static_cast<std::uint32_t>(pixelBytes));
    appendU32(out, 3780);  // 96 dots per inch
    appendU32(out, 3780);
    appendU32(out, 0);
    appendU32(out, 0);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (std::int32_t y = height - 1; y >= 0; --y) {
        const std::uint8_t* row = rgb.data() + static_cast<std::size_t>(y) * rowBytes;
        for (std::size_t x = 0; x < rowBytes; x += 3) {
            out.push_back(row[x + 2]);
            out.push_back(row[x + 1]);
            out.push_back(row[x]);
        }
        out.resize(out.size() + static_cast<std::size_t>(stride) - rowBytes, 0);
    }
    return out;
}

bool writeBitmap24(const std::string& path, std::int32_t width, std::int32_t height,
                   const std::vector<std::uint8_t>& rgb)
{
    const std::vector<std::uint8_t> bytes = encodeBitmap24(width, height, rgb);
    return !bytes.empty() && writeWholeFile(path, bytes);
}

}  // namespace zorun
