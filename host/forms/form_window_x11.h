// One of the host's windows on X11: made hidden, moved, shown, and drawn with the picture it was given.
#pragma once

#include "host/forms/host_window.h"
#include "host/forms/timer_table.h"

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace zorun::host {

struct X11Connection;

/// A new top-level window for a form, not mapped: black, titled caption, with the window manager's close
/// request asked for; a preview window has no border.
Window createFormWindow(X11Connection& x, const std::string& caption, bool preview);

/// A form's window with what the message loop reads of it: its timers, its events, and whether X still
/// has it.
class X11FormWindow final : public HostWindow {
public:
    /// forget is told as this object goes, so that the loop stops looking at it.
    X11FormWindow(Display* display, Window id, FormEvents& events, std::function<void(X11FormWindow&)> forget);
    ~X11FormWindow() override;
    X11FormWindow(const X11FormWindow&) = delete;
    X11FormWindow& operator=(const X11FormWindow&) = delete;

    WindowHandle Handle() const override { return handle_; }
    void SetTimer(int timerId, std::uint32_t intervalMs, bool on) override;
    void SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height) override;
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    void Show() override;

    /// The picture where it was set, once the window is shown.
    void draw();

    Display* display_;
    Window id_;  // 0 once gone
    WindowHandle handle_;
    FormEvents& events_;
    bool gone_ = false;
    TimerTable timers_;

private:
    std::function<void(X11FormWindow&)> forget_;
    bool shown_ = false;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    Picture picture_;
    std::int32_t pictureLeft_ = 0, pictureTop_ = 0, pictureWidth_ = 0, pictureHeight_ = 0;
};

}  // namespace zorun::host
