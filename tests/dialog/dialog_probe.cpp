// dialog_probe X Y: checks the settings dialog whose client area starts at screen point (X, Y): the
// painted rows of the dialog and of its panel where no control covers them, and a drawn face (not the
// gradient) in the middle of each of the three buttons. Prints each difference; exit code 0 when none.
#include "host/dialog/dialog_gradient.h"
#include "host/dialog/dialog_layout.h"
#include "screen_pixels.h"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace zorun::host::dialog;

// 0x00BBGGRR as the screen reader's 0xRRGGBB.
std::uint32_t screenColour(std::uint32_t colour)
{
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog_probe X Y\n");
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
        expect("dialog", 4, row, screenColour(dialogRowColour(gradientShade(row, kClientHeight))));
    for (int row = 0; row < kPanel.height; ++row)
        expect("panel", kPanel.x + 6, kPanel.y + row, screenColour(panelRowColour(gradientShade(row, kPanel.height))));

    const Box buttons[] = {kSetButton,
                           kCancelButton,
                           {kPanel.x + kFileButton.x, kPanel.y + kFileButton.y, kFileButton.width, kFileButton.height}};
    for (const Box& b : buttons) {
        // The ring and the face, left of the caption, at the button's middle row.
        const int px = b.x + 2, py = b.y + b.height / 2;
        const bool inPanel = b.y >= kPanel.y && b.y < kPanel.y + kPanel.height;
        const std::uint32_t gradient = inPanel
                                           ? screenColour(panelRowColour(gradientShade(py - kPanel.y, kPanel.height)))
                                           : screenColour(dialogRowColour(gradientShade(py, kClientHeight)));
        if (at(px, py) == gradient) {
            std::printf("button at (%d, %d): no face drawn\n", b.x, b.y);
            ++differences;
        }
    }
    std::printf(differences == 0 ? "dialog: ok\n" : "dialog: %d differences\n", differences);
    return differences == 0 ? 0 : 1;
}
