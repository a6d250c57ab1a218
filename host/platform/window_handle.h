// How the host's ports name a window of the platform's window system.
#pragma once

#include <cstdint>

namespace zorun::host {

/// A window: an HWND's value on Windows, an X window id on Linux; 0 is no window.
using WindowHandle = std::intptr_t;

}  // namespace zorun::host
