// The host's process and the renderer it starts, on Windows.
#pragma once

#include "host/platform/processes.h"
#include "host/platform/started_program_win32.h"

#include <memory>

namespace zorun::host {

/// CreateProcessA and ExitProcess behind Processes. The program it starts is kept in started, which the
/// message loop (createWin32Forms) shares.
std::unique_ptr<Processes> createWin32Processes(
    std::shared_ptr<StartedProgram> started = std::make_shared<StartedProgram>());

}  // namespace zorun::host
