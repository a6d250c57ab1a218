// The Linux host's adapters, one per port, on X11.
#pragma once

#include "host/platform/host_ports.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// Every port's adapter on the host's one connection. With an embedWindow (xscreensaver's window) the
/// renderer is started to draw into it, and the adapters answer for such a run (see each adapter).
HostAdapters createX11HostAdapters(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow = 0);

}  // namespace zorun::host
