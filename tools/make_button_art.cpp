// make_button_art OUT_DIR: generates the six button state pictures (64 x 25, 24-bit bitmaps): a 4-pixel
// ring with curved corners whose colours at the middle of each edge are the frame table's, side bands
// blended from the top colour to the bottom one, and a light gradient inside that no face ever shows.
#include "common/bitmap_writer.h"
#include "tools/button_frame_colours.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 25;
constexpr int kRing = 4;

std::uint32_t mix(std::uint32_t a, std::uint32_t b, double t)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF;
        const double cb = (b >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

// A side band's colour at depth k and row y: from the top band's colour to the table's middle colour,
// flat around the middle row (so a stretched face still shows the table's colour at its middle), then on
// to the bottom band's colour.
std::uint32_t sideColour(const zorun::tools::FrameRing& ring, const std::array<std::uint32_t, 4>& side, int k, int y)
{
    constexpr int firstRow = kRing;               // 4
    constexpr int lastRow = kHeight - 1 - kRing;  // 20
    constexpr int middle = kHeight / 2;           // 12
    constexpr int flat = 2;
    if (y <= middle - flat)
        return mix(ring.top[k], side[k], static_cast<double>(y - firstRow + 1) / (middle - flat - firstRow + 1));
    if (y >= middle + flat)
        return mix(side[k], ring.bottom[k], static_cast<double>(y - (middle + flat)) / (lastRow + 1 - (middle + flat)));
    return side[k];
}

std::uint32_t pixel(const zorun::tools::FrameRing& ring, int x, int y)
{
    const int fromLeft = x;
    const int fromRight = kWidth - 1 - x;
    const int fromTop = y;
    const int fromBottom = kHeight - 1 - y;
    const int across = std::min(fromLeft, fromRight);
    const int down = std::min(fromTop, fromBottom);
    if (across >= kRing && down >= kRing)
        return mix(0xFFFFFF, 0xC6C5D7, static_cast<double>(y - kRing) / (kHeight - 2 * kRing));
    const bool upper = fromTop <= fromBottom;
    if (across < kRing && down < kRing) {
        // A corner: the ring follows a quarter circle around the inner corner of the ring.
        const double r = std::hypot(kRing - (across + 0.5), kRing - (down + 0.5));
        const int k = r >= kRing ? 0 : kRing - 1 - static_cast<int>(std::floor(r));
        return upper ? ring.top[k] : ring.bottom[k];
    }
    if (down < kRing)
        return upper ? ring.top[fromTop] : ring.bottom[fromBottom];
    return fromLeft <= fromRight ? sideColour(ring, ring.left, fromLeft, y)
                                 : sideColour(ring, ring.right, fromRight, y);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_button_art OUT_DIR\n");
        return 2;
    }
    for (const zorun::tools::FrameRing& ring : zorun::tools::kFrameRings) {
        std::vector<std::uint8_t> rgb;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t c = pixel(ring, x, y);
                rgb.insert(rgb.end(), {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                       static_cast<std::uint8_t>(c)});
            }
        const std::string path = std::string(argv[1]) + "/" + ring.file;
        if (!zorun::writeBitmap24(path, kWidth, kHeight, rgb)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
