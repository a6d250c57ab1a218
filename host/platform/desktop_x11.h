// The host's window calls on X11.
#pragma once

#include "host/platform/desktop.h"
#include "host/platform/processes.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// Xlib behind Desktop, on the connection the host's windows share, so a window made by Forms is one these
/// calls know. With an embedWindow (xscreensaver's window) the renderer started by renderer draws into
/// it: the lookup of the renderer's title answers whether that process still runs.
std::unique_ptr<Desktop> createX11Desktop(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow = 0,
                                          Processes* renderer = nullptr);

}  // namespace zorun::host
