// The display mode the renderer may leave behind, on X11.
#pragma once

#include "host/platform/display_modes.h"
#include "host/platform/window_handle.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// The screen's size through XRandR. With an embedWindow (xscreensaver's window) nothing is kept: a
/// renderer drawing there never changes the mode, and the user may.
std::unique_ptr<DisplayModes> createX11DisplayModes(std::shared_ptr<X11Connection> connection,
                                                    WindowHandle embedWindow = 0);

}  // namespace zorun::host
