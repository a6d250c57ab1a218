// The host's window calls on X11: lookup by title, rectangle, style words, embedding, cursor count, posting.
#include "host/platform/desktop_x11.h"

#include "common/find_window_x11.h"
#include "common/renderer_contract.h"
#include "common/win32_numbers.h"
#include "common/x11/error_trap_x11.h"
#include "host/platform/connection_x11.h"

#include <X11/Xlib.h>

#include <string>
#include <utility>

namespace zorun::host {

namespace {

class X11Desktop final : public Desktop {
public:
    X11Desktop(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow, Processes* renderer)
        : x_(std::move(connection)), embedWindow_(renderer != nullptr ? embedWindow : 0), renderer_(renderer)
    {}

    WindowHandle FindWindowA(const std::string& title) override
    {
        if (standsForRenderer(title))
            return renderer_->ProgramRunning() ? embedWindow_ : 0;
        return static_cast<WindowHandle>(findWindowByTitle(x_->display, title));
    }

    bool GetWindowRect(WindowHandle window, Rect& rect) override
    {
        if (window <= 0)
            return false;
        x11::ErrorTrap trap(x_->display);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(x_->display, static_cast<Window>(window), &attributes) == 0)
            return false;
        int x = 0, y = 0;
        Window child = 0;
        if (!XTranslateCoordinates(x_->display, static_cast<Window>(window), x_->root, 0, 0, &x, &y, &child))
            return false;
        if (!trap.clean())
            return false;
        const int border = attributes.border_width;
        rect = Rect{x - border, y - border, x + attributes.width + border, y + attributes.height + border};
        return true;
    }

    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override
    {
        auto own = x_->ownStyles.find(window);
        return own != x_->ownStyles.end() && index == windowLong::style ? own->second : 0;
    }

    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) override
    {
        // Only the host's own windows keep a style word.
        auto own = x_->ownStyles.find(window);
        if (own == x_->ownStyles.end() || index != windowLong::style)
            return 0;
        return std::exchange(own->second, value);
    }

    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override
    {
        if (child <= 0 || parent < 0)
            return 0;
        Display* display = x_->display;
        x11::ErrorTrap trap(display);
        const Window newParent = parent == 0 ? x_->root : static_cast<Window>(parent);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, newParent, &attributes) == 0)
            return 0;
        Window rootReturn = 0, oldParent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, static_cast<Window>(child), &rootReturn, &oldParent, &children, &count) == 0)
            return 0;
        if (children != nullptr)
            XFree(children);
        XReparentWindow(display, static_cast<Window>(child), newParent, 0, 0);
        if (!trap.clean())
            return 0;
        return oldParent == x_->root ? 0 : static_cast<WindowHandle>(oldParent);
    }

    int ShowCursor(bool show) override
    {
        // HACK: X has no system-wide cursor count; the host's windows are never visible with a pointer
        // over them, so the count is kept as Windows keeps it and hides nothing on screen.
        cursorCount_ += show ? 1 : -1;
        return cursorCount_;
    }

    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t, std::intptr_t) override
    {
        if (x_->ownStyles.count(window) != 0) {
            x_->posted.post({window, message});
            return true;
        }
        if (window <= 0 || message != msg::close)
            return false;
        // A foreign window hears WM_CLOSE as the window manager's close request.
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = static_cast<Window>(window);
        event.xclient.message_type = x_->atoms.wmProtocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(x_->atoms.wmDeleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        x11::ErrorTrap trap(x_->display);
        XSendEvent(x_->display, static_cast<Window>(window), False, NoEventMask, &event);
        return trap.clean();
    }

private:
    // A renderer drawing into a given window makes no window of its own to find: it is there as long as
    // its process runs, however slowly it starts.
    bool standsForRenderer(const std::string& title) const { return embedWindow_ != 0 && title == kRendererTitle; }

    std::shared_ptr<X11Connection> x_;
    WindowHandle embedWindow_ = 0;
    Processes* renderer_ = nullptr;
    int cursorCount_ = 0;
};

}  // namespace

std::unique_ptr<Desktop> createX11Desktop(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow,
                                          Processes* renderer)
{
    return std::make_unique<X11Desktop>(std::move(connection), embedWindow, renderer);
}

}  // namespace zorun::host
