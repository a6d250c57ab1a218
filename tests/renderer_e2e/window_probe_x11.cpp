// Test helper: finds the renderer window by title and reports or closes it (X11 side of the e2e test).
//
//   window_probe wait [old-id]  waits up to 20 s for the renderer's window (other than old-id) and
//                               prints "<id> fullscreen|windowed <width>x<height>"
//   window_probe close          sends the window the WM_DELETE_WINDOW request a window manager sends
#include "common/find_window_x11.h"
#include "common/renderer_contract.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The renderer's window once it is on screen, other than the one the caller saw before.
Window findRenderer(Display* display, Window old)
{
    return zorun::findWindowByTitle(display, zorun::kRendererTitle, [&](Window window) {
        XWindowAttributes attributes{};
        return window != old && XGetWindowAttributes(display, window, &attributes) &&
               attributes.map_state == IsViewable;
    });
}

}  // namespace

int main(int argc, char** argv)
{
    Display* display = argc < 2 ? nullptr : XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // the window may go while we look at it
    const bool wait = std::strcmp(argv[1], "wait") == 0;
    const Window old = argc > 2 ? std::strtoul(argv[2], nullptr, 0) : 0;
    Window window = findRenderer(display, old);
    for (int tries = 0; wait && window == 0 && tries < 200; ++tries) {
        usleep(100000);
        window = findRenderer(display, old);
    }
    if (window == 0)
        return 1;
    if (std::strcmp(argv[1], "close") == 0) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XSync(display, False);
        return 0;
    }
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    // Without a window manager a full-screen window has to bypass it: override-redirect.
    std::printf("%lu %s %dx%d\n", window, attributes.override_redirect ? "fullscreen" : "windowed", attributes.width,
                attributes.height);
    return 0;
}
