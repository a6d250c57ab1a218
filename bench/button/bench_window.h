// What the button benchmark needs of the platform: a window to put buttons in, its message loop, CPU time.
#pragma once

#include <cstdint>

/// A shown top-level window with a container for buttons (see createCommandWindow); 0 when none.
std::intptr_t openBenchContainer();
/// Runs the thread's message loop (timers included) for that long.
void runEventsFor(double seconds);
/// CPU time of this process so far, user and system, in seconds.
double processCpuSeconds();
