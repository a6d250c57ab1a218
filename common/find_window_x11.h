// Finding a top-level window by its title on X11, the one rule the host, the tools and the test probes share.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace zorun {

/// The first window titled exactly `title` (WM_NAME or _NET_WM_NAME) among the window manager's clients
/// (_NET_CLIENT_LIST), the root's children and the clients a window manager puts inside its frames, at
/// whatever depth, and that `accept` (when given) agrees to; 0 if none.
/// Windows that vanish while they are looked at are passed over; the caller keeps X errors from ending
/// the process.
Window findWindowByTitle(Display* display, const std::string& title,
                         const std::function<bool(Window)>& accept = nullptr);

}  // namespace zorun
