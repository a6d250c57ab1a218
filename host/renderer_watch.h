// The saver run's renderer watch: whether the run goes on after a look at the renderer's process and window.
#pragma once

#include <cstdint>

namespace zorun::host {

/// Decides from what one look saw. A mode switch on a real monitor takes seconds, and the renderer makes
/// it before its first window and between two windows when it restarts in the other mode, so a live
/// renderer without a window is given time; its process's end is what ends the run.
class RendererWatch {
public:
    /// How long a running renderer may go without a window before the run ends without it.
    static constexpr std::uint32_t kWindowlessLimitMs = 15000;

    enum class Verdict {
        GoOn,
        /// The renderer has ended: end the run and give back the display mode it may have left behind.
        EndAfterRenderer,
        /// The renderer still runs but has shown no window for too long: end the run and leave the
        /// renderer and its display mode alone.
        EndWithoutRenderer,
    };

    /// One look: whether the renderer's process still runs (false also when it could not be started),
    /// whether its window is there, and how long since the last look (0 for a look out of turn).
    Verdict look(bool processRunning, bool windowShown, std::uint32_t msSinceLastLook);

private:
    std::uint32_t windowlessMs_ = 0;
};

}  // namespace zorun::host
