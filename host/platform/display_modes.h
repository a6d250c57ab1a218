// The display mode the renderer may leave behind: noted before it starts, given back after it ended.
#pragma once

namespace zorun::host {

class DisplayModes {
public:
    virtual ~DisplayModes() = default;
    /// Notes the display mode as it is now, for RestoreDisplayMode.
    virtual void KeepDisplayMode() = 0;
    /// Gives the display the mode KeepDisplayMode noted when it has another now: a renderer that was
    /// killed cannot give its full-screen mode back itself.
    virtual void RestoreDisplayMode() = 0;
};

}  // namespace zorun::host
