// The Windows host's platform calls.
#pragma once

#include "host/platform/host_platform.h"
#include "host/platform/started_program_win32.h"

#include <memory>

namespace zorun::host {

/// user32, gdi32 and kernel32 behind HostPlatform; stored pictures from this program's resources. The
/// program it starts is kept in started, which the message loop (createWin32Forms) shares.
std::unique_ptr<HostPlatform> createWin32HostPlatform(
    std::shared_ptr<StartedProgram> started = std::make_shared<StartedProgram>());

}  // namespace zorun::host
