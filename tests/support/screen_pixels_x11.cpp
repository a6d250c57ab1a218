// Reads the screen of $DISPLAY back with XGetImage, as 8-bit channels whatever the visual's depth.
#include "screen_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>

namespace {

std::uint32_t channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const unsigned long value = (pixel & mask) >> std::countr_zero(mask);
    const unsigned long maximum = mask >> std::countr_zero(mask);
    return static_cast<std::uint32_t>(value * 255 / maximum);
}

}  // namespace

std::vector<std::uint32_t> readScreen(int x, int y, int width, int height)
{
    std::vector<std::uint32_t> pixels;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return pixels;
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image != nullptr) {
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                const unsigned long p = XGetPixel(image, column, row);
                pixels.push_back(channel(p, image->red_mask) << 16 | channel(p, image->green_mask) << 8 |
                                 channel(p, image->blue_mask));
            }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return pixels;
}
