// The platform calls the host's startup, saver run and preview make, shaped after user32 and kernel32.
#pragma once

#include "common/rect.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorun::host {

/// A window: an HWND's value on Windows, an X window id on Linux; 0 is no window.
using WindowHandle = std::intptr_t;

/// A decoded picture: width x height pixels as red, green, blue triples, top row first.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb;
};

/// The pictures stored with the host's windows (built into the program).
enum class StoredPicture {
    Cloud,    ///< the saver window's `Display`, 271 x 167
    Preview,  ///< the preview window's `Img_Prev`, 152 x 112
    // The Command button's state frames, 64 x 25 each.
    ButtonNormal,
    ButtonHighLight,
    ButtonHighLightSelect,
    ButtonSelected,
    ButtonPressed,
    ButtonDisable,
    // The settings dialog's option pictures, 12 x 12: not selected and selected.
    Option,
    OptionSelected,
};

/// The host's view of the platform outside its own windows. Every call is made on the host's one
/// thread; none throws. Failures come back as the platform reports them and the caller skips on.
class HostPlatform {
public:
    virtual ~HostPlatform() = default;

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

    /// The screen's twips (1/1440 inch) per pixel across and down: 15 at 96 dots per inch.
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;

    /// Creates a folder (on Linux with its missing parents, each 0700); false when it exists already or
    /// cannot be made.
    virtual bool CreateFolder(const std::string& path) = 0;
    /// Writes the picture as an uncompressed 24-bit bitmap at path, replacing any file there, without
    /// following a link planted at that path; false when the file could not be written whole.
    virtual bool SavePictureAsBitmap(const Picture& picture, const std::string& path) = 0;
    /// Starts the program at path as a new process, show state 1 (normal, focused), no arguments. Returns
    /// at once; the process is kept only to tell whether it still runs and to wake the message loop when it
    /// ends (Forms), never blocked on or signalled, and it outlives the host. False if it could not be
    /// started.
    virtual bool StartProgram(const std::string& path) = 0;
    /// Whether the program StartProgram started last still runs; false once it has ended, and when none
    /// could be started.
    virtual bool ProgramRunning() = 0;
    /// The stored picture, decoded; an empty picture (0 x 0) when it cannot be decoded.
    virtual Picture LoadStoredPicture(StoredPicture which) = 0;

    /// Notes the display mode as it is now, for RestoreDisplayMode.
    virtual void KeepDisplayMode() = 0;
    /// Gives the display the mode KeepDisplayMode noted when it has another now: a renderer that was
    /// killed cannot give its full-screen mode back itself. Nothing to do on Windows, which gives a
    /// temporary full-screen mode back when the process that set it ends.
    virtual void RestoreDisplayMode() = 0;

    /// Ends the process at once: no window's close or unload handler runs. The real adapters do not
    /// return; a fake records the call and returns, so callers must return straight after it.
    virtual void EndProcess() = 0;
};

}  // namespace zorun::host
