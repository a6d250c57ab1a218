// The Windows adapters of the host's ports, for the Windows program and its tests.
#pragma once

#include "forms/host_window.h"
#include "host_platform.h"

#include <memory>

namespace zorun::host {

/// user32, gdi32 and kernel32 behind HostPlatform; stored pictures from this program's resources.
std::unique_ptr<HostPlatform> CreateWin32HostPlatform();

/// The host's windows on Win32: registers the window classes for this program's instance.
std::unique_ptr<Forms> CreateWin32Forms();

}  // namespace zorun::host
