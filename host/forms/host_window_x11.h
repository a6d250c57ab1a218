// The host's windows on X11.
#pragma once

#include "host/forms/host_window.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// The host's windows and its message loop (our own timers, close requests from the window manager and
/// from SIGTERM, SIGINT and SIGHUP) on the connection the platform calls share.
std::unique_ptr<Forms> createX11Forms(std::shared_ptr<X11Connection> connection);

}  // namespace zorun::host
