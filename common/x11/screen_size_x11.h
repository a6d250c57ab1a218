// The screen's size as RandR switches it: what the renderer switches and both programs give back.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <optional>

namespace zorun::x11 {

/// One of the sizes the screen offers, turned as it is.
struct ScreenSize {
    SizeID size = 0;
    Rotation rotation = 0;
    bool operator==(const ScreenSize&) const = default;
};

/// The default screen's size now; none when the server has no RandR.
std::optional<ScreenSize> currentScreenSize(Display* display);

/// The screen's offered size of exactly this many pixels, turned as the screen is now; none when it
/// offers no such size or has no RandR.
std::optional<ScreenSize> offeredScreenSize(Display* display, int width, int height);

/// Switches the default screen to the size and waits for the server; true when it took it.
bool setScreenSize(Display* display, const ScreenSize& size);

}  // namespace zorun::x11
