// One of the host's windows on X11.
#include "host/forms/form_window_x11.h"

#include "host/platform/connection_x11.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>

namespace zorun::host {

Window createFormWindow(X11Connection& x, const std::string& caption, bool preview)
{
    Display* display = x.display;
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    attributes.event_mask = StructureNotifyMask | ExposureMask;
    const Window id = XCreateWindow(display, x.root, 0, 0, 1, 1, 0, CopyFromParent, InputOutput, CopyFromParent,
                                    CWBackPixel | CWEventMask, &attributes);
    x11::setWindowTitle(x, id, caption);
    XSetWMProtocols(display, id, &x.atoms.wmDeleteWindow, 1);
    if (preview) {
        // No border and no title bar, should a window manager ever see it.
        long hints[5] = {2, 0, 0, 0, 0};
        XChangeProperty(display, id, x.atoms.motifHints, x.atoms.motifHints, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(hints), 5);
    }
    XFlush(display);
    return id;
}

X11FormWindow::X11FormWindow(Display* display, Window id, FormEvents& events,
                             std::function<void(X11FormWindow&)> forget)
    : display_(display), id_(id), handle_(static_cast<WindowHandle>(id)), events_(events), forget_(std::move(forget))
{}

X11FormWindow::~X11FormWindow()
{
    if (!gone_ && id_ != 0) {
        XDestroyWindow(display_, id_);
        XFlush(display_);
    }
    forget_(*this);
}

void X11FormWindow::SetTimer(int timerId, std::uint32_t intervalMs, bool on)
{
    timers_.set(timerId, intervalMs, on, std::chrono::steady_clock::now());
}

void X11FormWindow::SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height)
{
    picture_ = picture;
    pictureLeft_ = left;
    pictureTop_ = top;
    pictureWidth_ = width;
    pictureHeight_ = height;
    draw();
}

void X11FormWindow::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    Display* display = display_;
    if (gone_ || id_ == 0)
        return;
    // X has no empty window: a size of 0 keeps the window unmapped, which shows nothing as on Windows.
    if (width_ > 0 && height_ > 0) {
        XMoveResizeWindow(display, id_, left, top, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
        if (shown_)
            XMapWindow(display, id_);
    } else {
        XMoveWindow(display, id_, left, top);
        XUnmapWindow(display, id_);
    }
    XFlush(display);
}

void X11FormWindow::Show()
{
    shown_ = true;
    Display* display = display_;
    if (gone_ || id_ == 0)
        return;
    if (width_ > 0 && height_ > 0)
        XMapWindow(display, id_);
    XFlush(display);
}

void X11FormWindow::draw()
{
    Display* display = display_;
    const std::int32_t width = std::min(pictureWidth_, picture_.width);
    const std::int32_t height = std::min(pictureHeight_, picture_.height);
    if (gone_ || id_ == 0 || !shown_ || width <= 0 || height <= 0)
        return;
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (image == nullptr)
        return;
    image->data = static_cast<char*>(
        std::calloc(static_cast<std::size_t>(image->bytes_per_line), static_cast<std::size_t>(height)));
    if (image->data == nullptr) {
        XDestroyImage(image);
        return;
    }
    // A channel of 8 bits placed where the visual's mask says.
    auto place = [](unsigned long mask, std::uint8_t value) -> unsigned long {
        if (mask == 0)
            return 0;
        int shift = 0;
        while (((mask >> shift) & 1) == 0)
            ++shift;
        int bits = 0;
        while (((mask >> (shift + bits)) & 1) != 0)
            ++bits;
        const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                               : static_cast<unsigned long>(value) >> (8 - bits);
        return (scaled << shift) & mask;
    };
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t at =
                (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture_.width) + static_cast<std::size_t>(x)) *
                3;
            XPutPixel(image, x, y,
                      place(visual->red_mask, picture_.rgb[at]) | place(visual->green_mask, picture_.rgb[at + 1]) |
                          place(visual->blue_mask, picture_.rgb[at + 2]));
        }
    GC gc = XCreateGC(display, id_, 0, nullptr);
    XPutImage(display, id_, gc, image, 0, 0, pictureLeft_, pictureTop_, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(display, gc);
    XDestroyImage(image);  // frees data too
    XFlush(display);
}

}  // namespace zorun::host
