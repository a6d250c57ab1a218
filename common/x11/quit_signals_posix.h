// SIGINT, SIGTERM and SIGHUP as a descriptor an event loop waits on: the normal way out then runs (the
// display mode restored, the music stopped, the windows closed) instead of the default abrupt end.
#pragma once

namespace zorun::x11 {

enum class LaterSignals {
    Watched,     // every signal reaches the loop
    EndProcess,  // the first reaches the loop, a second takes the default action (a loop that hangs)
};

/// Installs the handlers (again, with the given rule, if already installed) and returns the descriptor
/// that becomes readable when a signal arrives; -1 when no pipe could be made, and nothing is installed.
/// Neither end of the pipe is inherited by started programs.
int watchQuitSignals(LaterSignals later);

/// True when a signal arrived since the last call; the descriptor is then no longer readable.
bool takeQuitSignal();

}  // namespace zorun::x11
