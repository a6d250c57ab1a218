// The display mode on X11: the screen size switched with RandR, and the way back.
#pragma once

#include <optional>

#include "common/x11/screen_size_x11.h"
#include "renderer/window_system.h"

namespace zorun::renderer {

/// Switches the screen's size as ChangeDisplaySettings switches the mode, and keeps the size the first
/// switch replaced, to go back to it on restore and when destroyed.
class RandrDisplayMode {
public:
    explicit RandrDisplayMode(Display* display) : display_(display) {}
    ~RandrDisplayMode() { restore(); }
    RandrDisplayMode(const RandrDisplayMode&) = delete;
    RandrDisplayMode& operator=(const RandrDisplayMode&) = delete;

    /// True when the screen has the mode's size afterwards, also when it had it already.
    bool change(const DisplayMode& mode);
    /// Back to the size before the first switch; nothing when there was none.
    void restore();

private:
    Display* display_;
    std::optional<x11::ScreenSize> original_;  // set by the first switch
};

}  // namespace zorun::renderer
