// The host's process and the renderer it starts, on Linux with X11.
#pragma once

#include "host/platform/processes.h"
#include "host/platform/window_handle.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// posix_spawn behind Processes. Ended programs it started are reaped by the kernel; the one started last
/// is tracked through a pidfd, which the connection hands to the message loop. With an embedWindow
/// (xscreensaver's window) the renderer is started to draw into it, and EndProcess ends the renderer
/// before the host goes.
std::unique_ptr<Processes> createX11Processes(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow = 0);

}  // namespace zorun::host
