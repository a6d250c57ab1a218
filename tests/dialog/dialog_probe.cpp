// dialog_probe X Y: checks the settings dialog whose client area starts at screen point (X, Y): the
// painted rows of the dialog and of its panel where no control covers them. Prints each difference;
// exit code 0 when none.
//
// dialog_probe track-save X Y FILE, then dialog_probe track-grew X Y FILE: the dark (text) pixels of the
// track box left of its arrow, saved after one digit was typed; then a check that they are all still
// there, unmoved, and that more text stands to their right: the second digit shows beside the first.
#include "host/dialog/dialog_gradient.h"
#include "host/dialog/dialog_layout.h"
#include "host/drawing/picture_pixels.h"
#include "screen_pixels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using namespace zorun::host::dialog;
using zorun::host::xrgbFromColour;

// The track box's text part on the screen, as rows of '#' (dark) and '.'; empty when unreadable.
std::string trackInk(int x, int y)
{
    const Box text{x + kPanel.x + kCombo.x, y + kPanel.y + kCombo.y, kCombo.width - kComboArrowWidth, kCombo.height};
    const std::vector<std::uint32_t> pixels = readScreen(text.x, text.y, text.width, text.height);
    if (pixels.size() != static_cast<std::size_t>(text.width) * text.height)
        return {};
    std::string ink;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t p = pixels[i];
        const bool dark = (p >> 16 & 0xFF) < 128 && (p >> 8 & 0xFF) < 128 && (p & 0xFF) < 128;
        ink += dark ? '#' : '.';
        if ((i + 1) % static_cast<std::size_t>(text.width) == 0)
            ink += '\n';
    }
    return ink;
}

// The rightmost column holding a dark pixel, -1 for none.
int rightmostInk(const std::string& ink)
{
    int rightmost = -1, column = 0;
    for (char c : ink) {
        if (c == '#')
            rightmost = std::max(rightmost, column);
        column = c == '\n' ? 0 : column + 1;
    }
    return rightmost;
}

int checkTrack(const char* verb, int x, int y, const char* file)
{
    const std::string now = trackInk(x, y);
    if (now.empty()) {
        std::printf("cannot read the screen\n");
        return 2;
    }
    if (std::strcmp(verb, "track-save") == 0) {
        std::ofstream(file, std::ios::binary) << now;
        std::printf("%s", now.c_str());
        return rightmostInk(now) >= 0 ? 0 : 1;
    }
    std::ifstream in(file, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::printf("%s", now.c_str());
    bool kept = before.size() == now.size() && rightmostInk(before) >= 0;
    for (std::size_t i = 0; kept && i < before.size(); ++i)
        kept = before[i] != '#' || now[i] == '#';
    const bool grew = rightmostInk(now) > rightmostInk(before);
    std::printf("track: %s\n", kept && grew ? "ok"
                               : kept       ? "nothing new to the right"
                                            : "the first text moved or went");
    return kept && grew ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc == 5 && (std::strcmp(argv[1], "track-save") == 0 || std::strcmp(argv[1], "track-grew") == 0))
        return checkTrack(argv[1], std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog_probe X Y | dialog_probe track-save|track-grew X Y FILE\n");
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const std::vector<std::uint32_t> pixels = readScreen(x, y, kClientWidth, kClientHeight);
    if (pixels.size() != static_cast<std::size_t>(kClientWidth) * kClientHeight) {
        std::printf("cannot read the screen\n");
        return 2;
    }
    auto at = [&](int px, int py) { return pixels[static_cast<std::size_t>(py) * kClientWidth + px]; };
    int differences = 0;
    auto expect = [&](const char* what, int px, int py, std::uint32_t wanted) {
        if (at(px, py) != wanted) {
            std::printf("%s row (%d, %d): %06X, wanted %06X\n", what, px, py, at(px, py), wanted);
            ++differences;
        }
    };
    // Columns clear of every control: the dialog's left edge, and the panel's left margin.
    for (int row = 0; row < kClientHeight; ++row)
        expect("dialog", 4, row, xrgbFromColour(dialogRowColour(gradientShade(row, kClientHeight))));
    for (int row = 0; row < kPanel.height; ++row)
        expect("panel", kPanel.x + 6, kPanel.y + row,
               xrgbFromColour(panelRowColour(gradientShade(row, kPanel.height))));

    std::printf(differences == 0 ? "dialog: ok\n" : "dialog: %d differences\n", differences);
    return differences == 0 ? 0 : 1;
}
