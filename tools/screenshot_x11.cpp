// screenshot_x11 OUT.png: saves the whole screen of $DISPLAY as a PNG, for runs without a monitor.
#include "screen_pixels.h"

#include <X11/Xlib.h>
#include <stb_image_write.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_x11 OUT.png\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "screenshot_x11: no display\n");
        return 1;
    }
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    XCloseDisplay(display);
    const std::vector<std::uint32_t> pixels = readScreen(0, 0, width, height);
    if (pixels.empty())
        return 1;
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const std::uint32_t pixel : pixels)
        rgb.insert(rgb.end(), {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                               static_cast<unsigned char>(pixel)});
    return stbi_write_png(argv[1], width, height, 3, rgb.data(), width * 3) != 0 ? 0 : 1;
}
