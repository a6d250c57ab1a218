// The rule for finding a window by title lives only here, so that a deeper search changes one file.
#include "common/find_window_x11.h"

#include <X11/Xatom.h>

#include <cstring>
#include <vector>

namespace zorun {

namespace {

std::vector<Window> childrenOf(Display* display, Window window)
{
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &rootReturn, &parent, &children, &count) != 0 && children != nullptr) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

// The exact title as WM_NAME or _NET_WM_NAME; a window that has gone meanwhile has neither.
bool hasTitle(Display* display, Window window, const std::string& title, Atom netWmName)
{
    for (Atom property : {static_cast<Atom>(XA_WM_NAME), netWmName}) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const long words = static_cast<long>(title.size() / 4 + 2);
        if (XGetWindowProperty(display, window, property, 0, words, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success &&
            data != nullptr) {
            const bool same =
                format == 8 && after == 0 && count == title.size() && std::memcmp(data, title.data(), count) == 0;
            XFree(data);
            if (same)
                return true;
        }
    }
    return false;
}

}  // namespace

Window findWindowByTitle(Display* display, const std::string& title, const std::function<bool(Window)>& accept)
{
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    auto matches = [&](Window window) {
        return hasTitle(display, window, title, netWmName) && (!accept || accept(window));
    };
    for (Window top : childrenOf(display, DefaultRootWindow(display))) {
        if (matches(top))
            return top;
        // A window manager puts each client inside a frame of its own.
        for (Window client : childrenOf(display, top))
            if (matches(client))
                return client;
    }
    return 0;
}

}  // namespace zorun
