// The Windows host's platform calls.
#pragma once

#include "host/platform/host_platform.h"

#include <memory>

namespace zorun::host {

/// user32, gdi32 and kernel32 behind HostPlatform; stored pictures from this program's resources.
std::unique_ptr<HostPlatform> createWin32HostPlatform();

}  // namespace zorun::host
