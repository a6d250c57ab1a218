// zorun-toggle: asks the running renderer to restart in the other display mode (X11 client message).
//
// The renderer's window, found by its title as the host finds it, receives a ClientMessage whose type is
// the toggle atom, which the renderer turns into its toggle message. Exit code 0 when sent, 1 when no such
// window (or no display) was found.
#include "common/find_window_x11.h"
#include "common/renderer_contract.h"

#include <X11/Xlib.h>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 1;
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window may go while we look at it
    const Window target = zorun::findWindowByTitle(display, zorun::kRendererTitle);
    if (target == 0) {
        XCloseDisplay(display);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(display, zorun::kToggleModeAtom, False);
    event.xclient.format = 32;
    const Status sent = XSendEvent(display, target, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
