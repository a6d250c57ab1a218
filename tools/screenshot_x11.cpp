// screenshot_x11 OUT.png: saves the whole screen of $DISPLAY as a PNG, for runs without a monitor.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stb_image_write.h>

#include <bit>
#include <cstdio>
#include <vector>

namespace {

// One channel of a TrueColor pixel, scaled to 8 bits whatever the visual's depth.
unsigned char channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const unsigned long value = (pixel & mask) >> std::countr_zero(mask);
    const unsigned long maximum = mask >> std::countr_zero(mask);
    return static_cast<unsigned char>(value * 255 / maximum);
}

}  // namespace

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
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        XCloseDisplay(display);
        return 1;
    }
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(attributes.width) * static_cast<std::size_t>(attributes.height) * 3);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb.push_back(channel(pixel, image->red_mask));
            rgb.push_back(channel(pixel, image->green_mask));
            rgb.push_back(channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    const bool saved =
        stbi_write_png(argv[1], attributes.width, attributes.height, 3, rgb.data(), attributes.width * 3) != 0;
    return saved ? 0 : 1;
}
