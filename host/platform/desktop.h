// The windows on the screen, the host's own and other programs', and the cursor: user32's calls the host
// makes on them.
#pragma once

#include "common/rect.h"
#include "host/platform/window_handle.h"

#include <cstdint>
#include <string>

namespace zorun::host {

/// Every call is made on the host's one thread; none throws. Failures come back as user32 reports them
/// and the caller skips on.
class Desktop {
public:
    virtual ~Desktop() = default;

    /// FindWindowA(NULL, title): a top-level window with exactly that title, hidden ones included; 0 if none.
    virtual WindowHandle FindWindowA(const std::string& title) = 0;
    /// GetWindowRect: fills the window's outer rectangle in screen pixels; false (rect untouched) on failure.
    virtual bool GetWindowRect(WindowHandle window, Rect& rect) = 0;
    /// GetWindowLongA: the value at index (only windowLong::style is asked for); 0 on failure.
    virtual std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) = 0;
    /// SetWindowLongA: writes the value; the previous value, 0 on failure.
    virtual std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) = 0;
    /// SetParent: makes child a child window of parent (0: the desktop); the previous parent, 0 on failure.
    virtual WindowHandle SetParent(WindowHandle child, WindowHandle parent) = 0;
    /// ShowCursor: raises (true) or lowers (false) the cursor display count; the new count. Hidden below 0.
    virtual int ShowCursor(bool show) = 0;
    /// PostMessageA: queues the message for the window and returns at once; false when it cannot.
    virtual bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) = 0;
};

}  // namespace zorun::host
