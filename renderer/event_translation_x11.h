// X events as the Win32 messages the renderer's window procedure reads. Kept apart from the window system
// so that a table can check it without a display.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>

namespace zorun::renderer {

struct X11EventAtoms {
    Atom protocols = 0;
    Atom deleteWindow = 0;
    Atom toggle = 0;
};

// What the translation remembers of a window from one event to the next.
struct X11WindowShape {
    int width = 0;
    int height = 0;
    bool iconic = false;
};

struct TranslatedMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    bool operator==(const TranslatedMessage&) const = default;
};

/// The message an event means for its window, or none. virtualKey is the code of a key event's key (0
/// when it has none, and such keys are not reported).
std::optional<TranslatedMessage> translateX11Event(const XEvent& event, std::uint32_t virtualKey,
                                                   const X11EventAtoms& atoms, X11WindowShape& shape);

/// Whether the default window procedure turns the message into WM_CLOSE, as Windows does with Alt+F4 and
/// SC_CLOSE.
bool closesWindow(std::uint32_t message, std::uintptr_t wParam);

}  // namespace zorun::renderer
