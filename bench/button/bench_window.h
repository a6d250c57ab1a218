// What the button benchmark needs of the platform: a window to put buttons in, its message loop, CPU time.
#pragma once

#include "host/button/command_window.h"

#include <cstdint>

/// A shown top-level window's container for buttons (0 when none) and the platform's buttons.
struct BenchContainer {
    std::intptr_t container = 0;
    zorun::host::CommandWindowFactory makeButton = nullptr;
};
BenchContainer openBenchContainer();
/// Runs the thread's message loop (timers included) for that long.
void runEventsFor(double seconds);
/// CPU time of this process so far, user and system, in seconds.
double processCpuSeconds();
