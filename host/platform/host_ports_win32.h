// The Windows host's adapters, one per port.
#pragma once

#include "host/platform/host_ports.h"
#include "host/platform/started_program_win32.h"

#include <memory>

namespace zorun::host {

/// Every port's adapter on Win32; the program the host starts is kept in started, which the message loop
/// (createWin32Forms) shares.
HostAdapters createWin32HostAdapters(std::shared_ptr<StartedProgram> started = std::make_shared<StartedProgram>());

}  // namespace zorun::host
