// The one X connection the host's two X11 adapters share: the platform calls and the host's windows.
#pragma once

#include "host/platform/host_platform.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>

namespace zorun::host {

/// The display, its root and the atoms both adapters use, and what the platform calls must know of the
/// windows the forms adapter made, so that a window made by Forms is a window HostPlatform knows.
struct X11Connection {
    struct Posted {
        WindowHandle window;
        std::uint32_t message;
    };

    Display* display = nullptr;
    Window root = 0;
    Atom netWmName = 0, utf8String = 0, wmProtocols = 0, wmDeleteWindow = 0, motifHints = 0;
    /// The host's live windows and their style words, kept as Windows keeps them: X has no style word,
    /// and WS_CHILD follows from SetParent here.
    std::map<WindowHandle, std::int32_t> ownStyles;
    /// Messages posted to the host's own windows, delivered in order by the message loop.
    std::deque<Posted> posted;
    /// Readable once the program the platform calls started has ended (its pidfd, theirs to close): the
    /// message loop waits on it too, so the host hears of that end at once. -1 while there is none.
    int startedProgramEnd = -1;

    X11Connection() = default;
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;
    ~X11Connection();
};

/// Opens the display named by DISPLAY, not inherited by started programs; null when there is none.
std::shared_ptr<X11Connection> openX11Connection();

/// Xlib reports errors asynchronously through one process-wide handler, which openX11Connection sets to
/// count them instead of ending the process: a window that vanishes between two calls is an everyday
/// event here. A trap tells whether the requests made since it was set all succeeded.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    /// Waits for the server to answer every request so far; true when none failed since the trap was set.
    bool clean();

private:
    Display* display_;
    int before_;
};

}  // namespace zorun::host
