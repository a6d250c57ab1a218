// The caption zoom of the GTK settings dialog: an outline from one rectangle to another on the screen.
#pragma once

#include "common/rect.h"

namespace zorun::host {

/// Draws the zoom on an X11 display; elsewhere (Wayland) nothing is drawn.
void drawCaptionZoom(const Rect& from, const Rect& to);

}  // namespace zorun::host
