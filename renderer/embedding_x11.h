// Embedding: the frame's window is one another client made, xscreensaver's window or the root. Everything
// a full-screen saver does to the display (mode switch, keyboard grab, cursor, holding off blanking, the
// mode toggle) is then that client's business.
#pragma once

#include <memory>

#include "common/embed_options.h"
#include "renderer/window_x11.h"

namespace zorun::renderer {

/// The given window (for Root, the default screen's root) as the frame's window, with its size and visual
/// as they are: the requested size does not apply. Only its structure events are asked for; the keys and
/// the pointer are xscreensaver's. Null when the window or its visual cannot be read.
std::unique_ptr<X11Window> adoptWindow(Display* display, const EmbedRequest& embed);

/// Gives the window back to its owner: the renderer asks for none of its events any more.
void releaseWindow(Display* display, X11Window& window);

}  // namespace zorun::renderer
