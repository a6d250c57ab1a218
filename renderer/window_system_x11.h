// The renderer's X11 window system, also as a display mode of xscreensaver drawing into a given window.
#pragma once

#include "common/embed_options.h"
#include "renderer/window_system.h"

namespace zorun::renderer {

/// X11 and GLX behind WindowSystem. With an EmbedRequest of kind Root or Given the frame's window is that
/// window (the root: the root window of the default screen); a NotGiven request gives the renderer's own
/// window.
std::unique_ptr<WindowSystem> createX11WindowSystem(const EmbedRequest& embed);

}  // namespace zorun::renderer
