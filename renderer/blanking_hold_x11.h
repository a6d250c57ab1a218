// Holding off the X screensaver and display power saving while the renderer runs, what swallowing
// SC_SCREENSAVE and SC_MONITORPOWER does on Windows.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace zorun::renderer {

/// Suspends the screensaver (and with it DPMS) from construction to destruction where the server has the
/// MIT-SCREEN-SAVER extension, and resets its idle timer as the run goes on for servers without it.
class BlankingHold {
public:
    /// How often keepAwake resets the idle timer, and so the longest the event loop may sleep.
    static constexpr std::uint32_t kResetIntervalMs = 30000;

    explicit BlankingHold(Display* display);
    ~BlankingHold();
    BlankingHold(const BlankingHold&) = delete;
    BlankingHold& operator=(const BlankingHold&) = delete;

    /// Resets the idle timer when an interval has passed since the last reset.
    void keepAwake(std::uint32_t nowMs);

private:
    Display* display_;
    bool suspended_ = false;
    std::uint32_t lastReset_ = 0;
};

}  // namespace zorun::renderer
