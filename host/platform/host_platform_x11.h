// The Linux host's platform calls on X11.
#pragma once

#include "host/platform/host_platform.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// Xlib, POSIX and the pictures built into the program behind HostPlatform, on the connection the host's
/// windows share. Ended programs it started are reaped by the kernel.
std::unique_ptr<HostPlatform> createX11HostPlatform(std::shared_ptr<X11Connection> connection);

}  // namespace zorun::host
