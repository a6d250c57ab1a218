// The host's process and the one program it starts (the renderer): starting it, watching it, ending.
#pragma once

#include <string>

namespace zorun::host {

class Processes {
public:
    virtual ~Processes() = default;
    /// Starts the program at path as a new process, show state 1 (normal, focused), no arguments. Returns
    /// at once; the process is kept only to tell whether it still runs and to wake the message loop when it
    /// ends (Forms), never blocked on or signalled, and it outlives the host. False if it could not be
    /// started.
    virtual bool StartProgram(const std::string& path) = 0;
    /// Whether the program StartProgram started last still runs; false once it has ended, and when none
    /// could be started.
    virtual bool ProgramRunning() = 0;
    /// Ends the host's process at once: no window's close or unload handler runs. The real adapters do not
    /// return; a fake records the call and returns, so callers must return straight after it.
    virtual void EndProcess() = 0;
};

}  // namespace zorun::host
