// Test helper for the xscreensaver runs: a window to draw into, and a look at what was drawn.
//
//   embed_probe window WIDTH HEIGHT  maps a window with a GL visual at 0,0, prints its id (0x...) and
//                                    keeps it until the probe is killed
//   embed_probe bars [WINDOW]        measures the letterbox down the middle column of the window (the
//                                    root window unless given) and prints
//                                    "top=N bottom=N band=R,G,B"; exit code 0 when it shows black bars
//                                    of equal height at top and bottom with cloud colours between
#include "screen_pixels.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Rgb {
    unsigned r, g, b;
};

Rgb rgb(std::uint32_t pixel)
{
    return {pixel >> 16 & 0xff, pixel >> 8 & 0xff, pixel & 0xff};
}

bool black(Rgb c)
{
    return c.r < 12 && c.g < 12 && c.b < 12;
}

int makeWindow(Display* display, unsigned width, unsigned height)
{
    // A double-buffered visual with depth, as xscreensaver picks for a GL display mode.
    int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                    8,        GLX_DEPTH_SIZE,   24,           None};
    const int screen = DefaultScreen(display);
    XVisualInfo* visual = glXChooseVisual(display, screen, wanted);
    if (visual == nullptr) {
        std::fprintf(stderr, "embed_probe: no GL visual\n");
        return 1;
    }
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.background_pixel = WhitePixel(display, screen);  // not the renderer's black
    attributes.border_pixel = 0;
    attributes.override_redirect = True;
    const Window window =
        XCreateWindow(display, root, 0, 0, width, height, 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect, &attributes);
    XMapRaised(display, window);
    XSync(display, False);
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
    for (;;)
        pause();  // the window goes with the process
}

int measureBars(Display* display, Window window)
{
    XWindowAttributes attributes{};
    int originX = 0, originY = 0;
    Window child = 0;
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &originX, &originY, &child))
        return 1;
    const int width = attributes.width;
    const int height = attributes.height;
    const auto pixels = readScreen(originX, originY, width, height);
    if (pixels.empty())
        return 1;
    const auto at = [&](int column, int row) { return rgb(pixels[static_cast<std::size_t>(row * width + column)]); };
    const int x = width / 2;
    int top = 0;
    while (top < height && black(at(x, top)))
        ++top;
    int bottom = 0;
    while (bottom < height - top && black(at(x, height - 1 - bottom)))
        ++bottom;
    // The band between the bars, averaged over its middle half and the whole width.
    unsigned long sum[3] = {0, 0, 0}, count = 0;
    const int band = height - top - bottom;
    for (int y = top + band / 4; y < height - bottom - band / 4; y += 4)
        for (int column = 0; column < width; column += 4) {
            const Rgb c = at(column, y);
            sum[0] += c.r;
            sum[1] += c.g;
            sum[2] += c.b;
            ++count;
        }
    const Rgb mean = count == 0 ? Rgb{0, 0, 0}
                                : Rgb{static_cast<unsigned>(sum[0] / count), static_cast<unsigned>(sum[1] / count),
                                      static_cast<unsigned>(sum[2] / count)};
    std::printf("top=%d bottom=%d band=%u,%u,%u\n", top, bottom, mean.r, mean.g, mean.b);
    // Bars of some height and equal within a row or two; light grey-blue clouds between, not the fade's
    // black nor the white of an undrawn window.
    const bool bars = top >= height / 50 && bottom >= height / 50 && std::abs(top - bottom) <= 2 && band > height / 3;
    const bool clouds = mean.r >= 80 && mean.b >= mean.r && mean.r <= 240;
    return bars && clouds ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || argc < 2) {
        std::fprintf(stderr, "usage: embed_probe window WIDTH HEIGHT | bars [WINDOW]\n");
        return 2;
    }
    if (std::strcmp(argv[1], "window") == 0 && argc == 4)
        return makeWindow(display, static_cast<unsigned>(std::atoi(argv[2])),
                          static_cast<unsigned>(std::atoi(argv[3])));
    if (std::strcmp(argv[1], "bars") == 0)
        return measureBars(display, argc > 2 ? std::strtoul(argv[2], nullptr, 0) : DefaultRootWindow(display));
    return 2;
}
