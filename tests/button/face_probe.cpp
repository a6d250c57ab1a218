// face_probe X Y W H PICTURE DIRECTION: checks a button's face on the screen: the four ring colours at the
// middle of each edge against PICTURE's (normal, highlight, highlight_select, selected, pressed, disable),
// and the gradient's first and last face rows against DIRECTION (down: white at the top; up: inverted).
// Prints each difference; exit code 0 when there is none.
#include "tools/button_frame_colours.h"
#include "host/button/face_gradient.h"
#include "screen_pixels.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kNames[] = {"normal", "highlight", "highlight_select", "selected", "pressed", "disable"};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: face_probe X Y W H PICTURE up|down\n");
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const int w = std::atoi(argv[3]);
    const int h = std::atoi(argv[4]);
    int picture = -1;
    for (int i = 0; i < 6; ++i)
        if (std::strcmp(argv[5], kNames[i]) == 0)
            picture = i;
    const bool inverted = std::strcmp(argv[6], "up") == 0;
    const std::vector<std::uint32_t> pixels = readScreen(x, y, w, h);
    if (picture < 0 || w < 10 || h < 10 || pixels.size() != static_cast<std::size_t>(w) * h) {
        std::printf("cannot read the screen or bad arguments\n");
        return 2;
    }
    int differences = 0;
    auto expect = [&](const std::string& where, int px, int py, std::uint32_t wanted) {
        const std::uint32_t got = pixels[static_cast<std::size_t>(py) * w + px];
        if (got != wanted) {
            std::printf("%s (%d, %d): %06X, wanted %06X\n", where.c_str(), px, py, got, wanted);
            ++differences;
        }
    };
    const zorun::tools::FrameRing& ring = zorun::tools::kFrameRings[static_cast<std::size_t>(picture)];
    for (int k = 0; k < 4; ++k) {
        expect("top ring " + std::to_string(k), w / 2, k, ring.top[k]);
        expect("bottom ring " + std::to_string(k), w / 2, h - 1 - k, ring.bottom[k]);
        expect("left ring " + std::to_string(k), k, h / 2, ring.left[k]);
        expect("right ring " + std::to_string(k), w - 1 - k, h / 2, ring.right[k]);
    }
    const auto light = *zorun::host::colourFromText(zorun::host::kFaceLightText);
    const auto shade = *zorun::host::colourFromText(zorun::host::kFaceShadeText);
    const auto& top = inverted ? shade : light;
    const auto& bottom = inverted ? light : shade;
    const zorun::host::GradientVertex first{0, 0, top.red, top.green, top.blue, 0};
    const zorun::host::GradientVertex last{w - 1, h - 1, bottom.red, bottom.green, bottom.blue, 0};
    for (const int row : {4, h - 5}) {
        const zorun::host::Colour8 c = zorun::host::gradientRowColour(first, last, row);
        expect("face row " + std::to_string(row), 5, row,
               std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue);
    }
    if (differences == 0)
        std::printf("%s %s: ok\n", kNames[picture], inverted ? "up" : "down");
    return differences == 0 ? 0 : 1;
}
