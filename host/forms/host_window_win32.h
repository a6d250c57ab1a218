// The Windows host's windows.
#pragma once

#include "host/forms/host_window.h"
#include "host/platform/started_program_win32.h"

#include <memory>

namespace zorun::host {

/// The host's windows on Win32: registers the window classes for this program's instance. The loop also
/// waits on the program in started (shared with createWin32Processes), when there is one.
std::unique_ptr<Forms> createWin32Forms(std::shared_ptr<StartedProgram> started = nullptr);

}  // namespace zorun::host
