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

// The windows in the root's _NET_CLIENT_LIST; none where no window manager keeps one.
std::vector<Window> netClientList(Display* display)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Window> clients;
    const Atom list = XInternAtom(display, "_NET_CLIENT_LIST", False);
    if (XGetWindowProperty(display, DefaultRootWindow(display), list, 0, 4096, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_WINDOW && format == 32) {
            const auto* ids = reinterpret_cast<const unsigned long*>(data);
            clients.assign(ids, ids + count);
        }
        XFree(data);
    }
    return clients;
}

// A client of a window manager: a window with WM_STATE. Its own children are not top-level windows.
bool isClient(Display* display, Window window, Atom wmState)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, wmState, 0, 0, False, AnyPropertyType, &type, &format, &count, &after,
                           &data) != Success)
        return false;
    if (data != nullptr)
        XFree(data);
    return type != None;
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
    // The window manager's list of its clients first; then every top-level window, wherever a manager
    // that keeps no list (or has not listed a new window yet) has put it: down through the frames it
    // made (frame, wrapper, client) to the first window with WM_STATE. The depth bound only guards
    // against odd trees.
    for (Window client : netClientList(display))
        if (matches(client))
            return client;
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    std::function<Window(Window, int)> below = [&](Window window, int depth) -> Window {
        if (matches(window))
            return window;
        if (depth >= 8 || isClient(display, window, wmState))
            return 0;
        for (Window child : childrenOf(display, window))
            if (const Window found = below(child, depth + 1))
                return found;
        return 0;
    };
    for (Window top : childrenOf(display, DefaultRootWindow(display)))
        if (const Window found = below(top, 0))
            return found;
    return 0;
}

}  // namespace zorun
