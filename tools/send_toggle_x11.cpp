// zorun-toggle: asks the running renderer to restart in the other display mode (X11 client message).
//
// The window titled "Zorun_VC" receives a ClientMessage of type "ZORUN_TOGGLE_MODE", which the renderer
// turns into its message 1025. Exit code 0 when sent, 1 when no such window (or no display) was found.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace {

// Searches the tree below `parent`, since a window manager reparents top-level windows into its frames.
Window findByName(Display* display, Window parent, const char* name, int depth)
{
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOfParent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title != nullptr) {
            if (std::strcmp(title, name) == 0)
                found = children[i];
            XFree(title);
        }
    }
    for (unsigned i = 0; i < count && found == 0 && depth > 0; ++i)
        found = findByName(display, children[i], name, depth - 1);
    if (children != nullptr)
        XFree(children);
    return found;
}

}  // namespace

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 1;
    const Window target = findByName(display, DefaultRootWindow(display), "Zorun_VC", 2);
    if (target == 0) {
        XCloseDisplay(display);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(display, "ZORUN_TOGGLE_MODE", False);
    event.xclient.format = 32;
    const Status sent = XSendEvent(display, target, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
