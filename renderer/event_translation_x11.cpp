// Key, size and client messages from X, in the shape Windows delivers them.
#include "renderer/event_translation_x11.h"

#include "common/win32_numbers.h"

namespace zorun::renderer {

namespace {

constexpr std::uint32_t sysKeyDown = 0x0104;  // WM_SYSKEYDOWN
constexpr std::uint32_t sysKeyUp = 0x0105;    // WM_SYSKEYUP
constexpr std::uintptr_t scClose = 0xF060;    // SC_CLOSE
constexpr std::uintptr_t vkF4 = 0x73;
constexpr std::uint32_t vkAlt = 0x12;

std::intptr_t sizeParam(int width, int height)
{
    return static_cast<std::intptr_t>(((height & 0xFFFF) << 16) | (width & 0xFFFF));
}

}  // namespace

std::optional<TranslatedMessage> translateX11Event(const XEvent& event, std::uint32_t virtualKey,
                                                   const X11EventAtoms& atoms, X11WindowShape& shape)
{
    switch (event.type) {
    case KeyPress:
    case KeyRelease: {
        if (virtualKey == 0)
            return std::nullopt;
        // With Alt held (or for Alt itself) Windows sends the system key messages instead.
        const bool alt = (event.xkey.state & Mod1Mask) != 0 || virtualKey == vkAlt;
        const bool press = event.type == KeyPress;
        return TranslatedMessage{alt ? (press ? sysKeyDown : sysKeyUp) : (press ? msg::keyDown : msg::keyUp),
                                 virtualKey, 0};
    }
    case ClientMessage:
        if (event.xclient.message_type == atoms.protocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == atoms.deleteWindow)
            return TranslatedMessage{msg::close, 0, 0};
        if (event.xclient.message_type == atoms.toggle)
            return TranslatedMessage{msg::toggleMode, 0, 0};
        return std::nullopt;
    case ConfigureNotify:
        if (shape.iconic || (event.xconfigure.width == shape.width && event.xconfigure.height == shape.height))
            return std::nullopt;
        shape.width = event.xconfigure.width;
        shape.height = event.xconfigure.height;
        return TranslatedMessage{msg::size, sizeKind::restored, sizeParam(shape.width, shape.height)};
    case UnmapNotify:
        // Only the window manager unmaps the window while it lives: it was iconified.
        if (shape.iconic)
            return std::nullopt;
        shape.iconic = true;
        return TranslatedMessage{msg::size, sizeKind::minimized, 0};
    case DestroyNotify:
        // The renderer's own window is forgotten before it is destroyed, so this is a window it was given
        // to draw in, gone with its owner: the run is over.
        return TranslatedMessage{msg::close, 0, 0};
    case MapNotify:
        if (!shape.iconic)
            return std::nullopt;
        shape.iconic = false;
        return TranslatedMessage{msg::size, sizeKind::restored, sizeParam(shape.width, shape.height)};
    default:
        return std::nullopt;
    }
}

bool closesWindow(std::uint32_t message, std::uintptr_t wParam)
{
    return (message == sysKeyDown && wParam == vkF4) || (message == msg::sysCommand && (wParam & 0xFFF0) == scClose);
}

}  // namespace zorun::renderer
