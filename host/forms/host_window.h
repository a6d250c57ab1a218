// The host's own windows (saver and preview): what portable window logic asks of them and hears back.
#pragma once

#include "host/pictures/picture.h"
#include "host/platform/window_handle.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zorun::host {

/// What a window's adapter reports to the window's portable logic, on the host's thread, one call at a
/// time (a tick never runs inside another handler of the same window).
class FormEvents {
public:
    virtual ~FormEvents() = default;
    /// A timer switched on with SetTimer has come due (message-driven: a slow handler delays the next).
    virtual void OnTimer(int timerId) = 0;
    /// The window was asked to close (WM_CLOSE, a close request from the system or a session end). The
    /// logic runs its query-unload and unload steps; when this returns without the process having
    /// ended, the adapter destroys the window.
    virtual void OnClose() = 0;
    /// The program Processes::StartProgram started has ended: told as soon as the loop sees it, once,
    /// to every window of the host, so a window need not wait for its next timer tick to hear of it.
    virtual void OnProgramEnded() {}
};

/// One top-level window of the host, created hidden. Sizes and positions are in pixels.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    /// The window's handle, usable with every Desktop call that takes a window.
    virtual WindowHandle Handle() const = 0;
    /// Switches the periodic timer timerId on (every intervalMs from now) or off. Switching a running
    /// timer on again restarts its interval.
    virtual void SetTimer(int timerId, std::uint32_t intervalMs, bool on) = 0;
    /// Draws picture unscaled with its top-left corner at (left, top) of the window's client area, cut
    /// to width x height; the rest of the window is its black background.
    virtual void SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                            std::int32_t height) = 0;
    /// Moves the window to (left, top) of its parent's client area (the screen for a top-level window)
    /// and sizes it; a width or height of 0 leaves nothing visible.
    virtual void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) = 0;
    /// Shows the window, not modally.
    virtual void Show() = 0;
};

/// Makes the host's windows and runs its thread's message loop.
class Forms {
public:
    virtual ~Forms() = default;
    /// A hidden top-level window with a caption, never shown: the saver window.
    virtual std::unique_ptr<HostWindow> CreateSaverWindow(const std::string& caption, FormEvents& events) = 0;
    /// A hidden top-level window without border or title bar, black background, with a caption (by
    /// which FindWindowA finds it): the preview window.
    virtual std::unique_ptr<HostWindow> CreatePreviewWindow(const std::string& caption, FormEvents& events) = 0;
    /// Delivers messages, timer ticks, close requests and the end of the started program until none of
    /// the host's windows is left (destroyed after a close, or with the foreign window it is a child of);
    /// returns at once when there is no window.
    virtual void RunMessageLoop() = 0;
};

}  // namespace zorun::host
