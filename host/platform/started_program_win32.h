// The program the Windows host started: kept by the Processes adapter, waited on by the message loop.
#pragma once

namespace zorun::host {

/// The process handle (a HANDLE) CreateProcessA gave for the program started last; null while there is
/// none. The Processes adapter asks it whether the program still runs, and the message loop waits on it
/// beside the messages, so the host hears of the program's end at once. Closed with the record.
struct StartedProgram {
    void* process = nullptr;

    StartedProgram() = default;
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;
    ~StartedProgram();
};

}  // namespace zorun::host
