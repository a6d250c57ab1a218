// make_dialog_art OUT_DIR: generates the settings dialog's stored pictures: the two 12 x 12 option
// pictures (JPEG), the 32 x 32 window icon (256 colours) and the 32 x 32 two-colour hand pointer with
// its hot spot at (12, 10).
#include "common/little_endian.h"
#include "common/write_file.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kOption = 12;
constexpr int kIcon = 32;

void put(Bytes& rgb, int width, int x, int y, int r, int g, int b)
{
    const auto i = static_cast<std::size_t>((y * width + x) * 3);
    rgb[i] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
    rgb[i + 1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
    rgb[i + 2] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
}

// A square box with a dark frame: white inside shaded grey towards the top left, or glossy blue.
Bytes optionPicture(bool selected)
{
    Bytes rgb(kOption * kOption * 3);
    for (int y = 0; y < kOption; ++y)
        for (int x = 0; x < kOption; ++x) {
            if (x == 0 || y == 0 || x == kOption - 1 || y == kOption - 1) {
                put(rgb, kOption, x, y, 64, 64, 72);
                continue;
            }
            const double d = std::min(x, y) / static_cast<double>(kOption - 2);  // 0 at the top-left edge
            if (!selected) {
                const int grey = static_cast<int>(std::lround(176 + 79 * std::min(1.0, d * 2.2)));
                put(rgb, kOption, x, y, grey, grey, grey);
            } else {
                // Dark blue below, a light shine across the upper half.
                const double t = (y - 1) / static_cast<double>(kOption - 3);
                const double shine = y < kOption / 2 ? 0.55 * (1 - t * 1.6) : 0;
                put(rgb, kOption, x, y, static_cast<int>(20 + 200 * shine), static_cast<int>(70 + 170 * shine + 40 * t),
                    static_cast<int>(200 + 55 * shine));
            }
        }
    return rgb;
}

// A white cloud on a blue sky, in the 6 x 6 x 6 colour cube.
std::uint8_t iconPixel(int x, int y)
{
    auto level = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 5)); };
    const double sky = y / static_cast<double>(kIcon - 1);
    double r = 0.25 + 0.35 * sky, g = 0.5 + 0.3 * sky, b = 1.0;
    const double blobs[][3] = {{11, 19, 6}, {18, 15, 7.5}, {24, 20, 5}, {16, 21, 6}};
    for (const auto& c : blobs)
        if (std::hypot(x - c[0], y - c[1]) <= c[2]) {
            const double shade = 1.0 - 0.25 * std::max(0.0, (y - c[1]) / c[2]);
            r = g = b = shade;
        }
    return static_cast<std::uint8_t>(level(r) * 36 + level(g) * 6 + level(b));
}

// The hand: '#' black outline, 'o' white inside, '.' transparent. The index fingertip is the hot spot.
const char* const kHand[kIcon] = {
    "................................", "................................", "................................",
    "................................", "................................", "................................",
    "................................", "................................", "................................",
    "...........##...................", "...........#o#..................", "...........#o#..................",
    "...........#o#..................", "...........#o#..................", "...........#o###................",
    "...........#o#o####.............", "...........#o#o#o#o##...........", "........##.#o#o#o#o#o#..........",
    "........#o##ooooooo#o#..........", "........#oo#ooooooooo#..........", ".........#o#ooooooooo#..........",
    ".........#oooooooooooo#.........", "..........#ooooooooooo#.........", "..........#oooooooooo#..........",
    "...........#ooooooooo#..........", "...........#oooooooo#...........", "............#ooooooo#...........",
    "............#ooooooo#...........", "............#########...........", "................................",
    "................................", "................................"};

// BITMAPINFOHEADER of an icon or cursor image: twice the height, for the picture and its mask.
void appendInfoHeader(Bytes& out, int bits, std::uint32_t colours, std::uint32_t imageBytes)
{
    zorun::le::appendU32(out, 40);
    zorun::le::appendU32(out, kIcon);
    zorun::le::appendU32(out, kIcon * 2);
    zorun::le::appendU16(out, 1);
    zorun::le::appendU16(out, static_cast<std::uint32_t>(bits));
    zorun::le::appendU32(out, 0);
    zorun::le::appendU32(out, imageBytes);
    zorun::le::appendU32(out, 0);
    zorun::le::appendU32(out, 0);
    zorun::le::appendU32(out, colours);
    zorun::le::appendU32(out, 0);
}

// The icon or cursor file around one image: a directory of one entry (hot spot for a cursor).
Bytes iconFile(bool cursor, int colours, int hotX, int hotY, const Bytes& image)
{
    Bytes out;
    zorun::le::appendU16(out, 0);
    zorun::le::appendU16(out, cursor ? 2 : 1);
    zorun::le::appendU16(out, 1);
    out.push_back(kIcon);
    out.push_back(kIcon);
    out.push_back(static_cast<std::uint8_t>(colours >= 256 ? 0 : colours));
    out.push_back(0);
    zorun::le::appendU16(out, cursor ? static_cast<std::uint32_t>(hotX) : 1);
    zorun::le::appendU16(out, cursor ? static_cast<std::uint32_t>(hotY) : 8);
    zorun::le::appendU32(out, static_cast<std::uint32_t>(image.size()));
    zorun::le::appendU32(out, 22);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

// Rows of a 1-bit mask, bottom row first, each 4 bytes.
void appendMask(Bytes& out, bool (*bit)(int x, int y))
{
    for (int y = kIcon - 1; y >= 0; --y)
        for (int byte = 0; byte < 4; ++byte) {
            std::uint8_t v = 0;
            for (int b = 0; b < 8; ++b)
                if (bit(byte * 8 + b, y))
                    v |= static_cast<std::uint8_t>(0x80 >> b);
            out.push_back(v);
        }
}

Bytes icon()
{
    Bytes image;
    appendInfoHeader(image, 8, 256, kIcon * kIcon + kIcon * 4);
    for (int i = 0; i < 256; ++i) {
        const int r = i / 36, g = i / 6 % 6, b = i % 6;
        image.insert(image.end(), {static_cast<std::uint8_t>(b * 51), static_cast<std::uint8_t>(g * 51),
                                   static_cast<std::uint8_t>(r * 51), 0});
    }
    for (int y = kIcon - 1; y >= 0; --y)
        for (int x = 0; x < kIcon; ++x)
            image.push_back(iconPixel(x, y));
    appendMask(image, [](int, int) { return false; });  // every pixel shows
    return iconFile(false, 256, 0, 0, image);
}

Bytes hand()
{
    Bytes image;
    appendInfoHeader(image, 1, 2, kIcon * 4 * 2);
    image.insert(image.end(), {0, 0, 0, 0, 255, 255, 255, 0});
    appendMask(image, [](int x, int y) { return kHand[y][x] == 'o'; });  // white where set
    appendMask(image, [](int x, int y) { return kHand[y][x] == '.'; });  // see-through where set
    return iconFile(true, 2, 12, 10, image);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_dialog_art OUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    for (bool selected : {false, true}) {
        const std::string path = dir + (selected ? "/option_selected.jpg" : "/option.jpg");
        ok = stbi_write_jpg(path.c_str(), kOption, kOption, 3, optionPicture(selected).data(), 95) != 0 && ok;
    }
    ok = zorun::writeWholeFile(dir + "/dialog_icon.ico", icon()) && ok;
    ok = zorun::writeWholeFile(dir + "/hand.cur", hand()) && ok;
    if (!ok)
        std::fprintf(stderr, "make_dialog_art: could not write every picture into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
