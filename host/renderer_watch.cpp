// The renderer watch's rule: the process's end ends the run; a missing window only after a long wait.
#include "host/renderer_watch.h"

namespace zorun::host {

RendererWatch::Verdict RendererWatch::look(bool processRunning, bool windowShown, std::uint32_t msSinceLastLook)
{
    // Whatever windows are about: one left by another program carries the same title.
    if (!processRunning)
        return Verdict::EndAfterRenderer;
    if (windowShown) {
        windowlessMs_ = 0;
        return Verdict::GoOn;
    }
    windowlessMs_ += msSinceLastLook;
    return windowlessMs_ >= kWindowlessLimitMs ? Verdict::EndWithoutRenderer : Verdict::GoOn;
}

}  // namespace zorun::host
