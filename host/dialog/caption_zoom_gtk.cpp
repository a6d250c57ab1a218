// The caption zoom as window managers drew it, on the display GTK uses.
#include "host/dialog/caption_zoom_gtk.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace zorun::host {

namespace {

// An outline moving from one rectangle to the other, drawn and undrawn on the root window. A compositing
// desktop does not show root-window drawing.
void animateCaptionZoom(Display* display, const Rect& from, const Rect& to)
{
    constexpr int kSteps = 10;
    const Window root = DefaultRootWindow(display);
    XGCValues values{};
    values.function = GXxor;
    values.foreground = WhitePixel(display, DefaultScreen(display)) ^ BlackPixel(display, DefaultScreen(display));
    values.subwindow_mode = IncludeInferiors;
    values.line_width = 2;
    GC gc = XCreateGC(display, root, GCFunction | GCForeground | GCSubwindowMode | GCLineWidth, &values);
    auto at = [](std::int32_t a, std::int32_t b, int step) { return a + (b - a) * step / kSteps; };
    for (int step = 1; step <= kSteps; ++step) {
        const int left = at(from.left, to.left, step), top = at(from.top, to.top, step);
        const int right = at(from.right, to.right, step), bottom = at(from.bottom, to.bottom, step);
        const auto width = static_cast<unsigned>(std::max(right - left, 1));
        const auto height = static_cast<unsigned>(std::max(bottom - top, 1));
        XDrawRectangle(display, root, gc, left, top, width, height);
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        XDrawRectangle(display, root, gc, left, top, width, height);  // xor: undrawn
    }
    XFreeGC(display, gc);
    XFlush(display);
}

}  // namespace

void drawCaptionZoom(const Rect& from, const Rect& to)
{
    GdkDisplay* display = gdk_display_get_default();
    if (GDK_IS_X11_DISPLAY(display))
        animateCaptionZoom(gdk_x11_display_get_xdisplay(display), from, to);
}

}  // namespace zorun::host
