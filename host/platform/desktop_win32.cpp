// user32's window calls and the cursor count behind the host's Desktop port, straight through.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/platform/desktop_win32.h"

namespace zorun::host {

namespace {

HWND hwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(window);
}

class Win32Desktop final : public Desktop {
public:
    WindowHandle FindWindowA(const std::string& title) override
    {
        return reinterpret_cast<WindowHandle>(::FindWindowA(nullptr, title.c_str()));
    }

    bool GetWindowRect(WindowHandle window, Rect& rect) override
    {
        RECT area{};
        if (!::GetWindowRect(hwnd(window), &area))
            return false;
        rect = Rect{area.left, area.top, area.right, area.bottom};
        return true;
    }

    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override
    {
        return ::GetWindowLongA(hwnd(window), index);
    }

    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) override
    {
        return ::SetWindowLongA(hwnd(window), index, value);
    }

    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override
    {
        return reinterpret_cast<WindowHandle>(::SetParent(hwnd(child), hwnd(parent)));
    }

    int ShowCursor(bool show) override { return ::ShowCursor(show ? TRUE : FALSE); }

    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        return ::PostMessageA(hwnd(window), message, wParam, lParam) != FALSE;
    }
};

}  // namespace

std::unique_ptr<Desktop> createWin32Desktop()
{
    return std::make_unique<Win32Desktop>();
}

}  // namespace zorun::host
