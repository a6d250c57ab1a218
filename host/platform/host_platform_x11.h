// The Linux host's platform calls on X11.
#pragma once

#include "host/platform/host_platform.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// Xlib, POSIX and the pictures built into the program behind HostPlatform, on the connection the host's
/// windows share. Ended programs it started are reaped by the kernel; the one started last is tracked
/// through a pidfd, which the connection hands to the message loop.
///
/// With an embedWindow (xscreensaver's window) the renderer is started to draw into it: the lookup of its
/// title answers whether that process still runs, the display mode is left alone, and EndProcess ends
/// the renderer before the host goes.
std::unique_ptr<HostPlatform> createX11HostPlatform(std::shared_ptr<X11Connection> connection,
                                                    WindowHandle embedWindow = 0);

}  // namespace zorun::host
