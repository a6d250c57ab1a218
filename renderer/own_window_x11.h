// The renderer's own top-level window when it is given none to draw in.
#pragma once

#include <memory>

#include "common/x11/connection_x11.h"
#include "renderer/window_system.h"
#include "renderer/window_x11.h"

namespace zorun::renderer {

/// A window with a GL visual where the creation asks, titled and classed for the host and the window
/// manager, showing the cursor given. A popup is override-redirect: no window manager frames or moves it.
/// Null when the size is empty or the display has no suitable visual.
std::unique_ptr<X11Window> makeOwnWindow(const x11::Connection& connection, const WindowCreation& creation,
                                         Cursor cursor);

/// Destroys the X window and what was made with it.
void destroyOwnWindow(Display* display, X11Window& window);

}  // namespace zorun::renderer
