// Switching the screen size with RandR and restoring it.
#include "renderer/display_mode_x11.h"

#include <algorithm>

namespace zorun::renderer {

bool RandrDisplayMode::change(const DisplayMode& mode)
{
    // 32 bits per pixel on Windows is a depth of 24 (plus padding) on X.
    if (DefaultDepth(display_, DefaultScreen(display_)) < std::min(mode.colourBits, 24))
        return false;
    const auto current = x11::currentScreenSize(display_);
    const auto wanted = x11::offeredScreenSize(display_, mode.width, mode.height);
    if (!current || !wanted)
        return false;
    if (wanted->size == current->size)
        return true;
    if (!x11::setScreenSize(display_, *wanted))
        return false;
    if (!original_)
        original_ = current;
    return true;
}

void RandrDisplayMode::restore()
{
    if (original_)
        x11::setScreenSize(display_, *original_);
    original_.reset();
}

}  // namespace zorun::renderer
