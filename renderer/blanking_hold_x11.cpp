// The X screensaver suspended and its idle timer reset.
#include "renderer/blanking_hold_x11.h"

#include <X11/extensions/scrnsaver.h>

namespace zorun::renderer {

BlankingHold::BlankingHold(Display* display) : display_(display)
{
    int eventBase = 0;
    int errorBase = 0;
    if (XScreenSaverQueryExtension(display_, &eventBase, &errorBase)) {
        XScreenSaverSuspend(display_, True);
        suspended_ = true;
    }
}

BlankingHold::~BlankingHold()
{
    if (suspended_)
        XScreenSaverSuspend(display_, False);
}

void BlankingHold::keepAwake(std::uint32_t nowMs)
{
    if (nowMs - lastReset_ >= kResetIntervalMs) {
        XResetScreenSaver(display_);
        lastReset_ = nowMs;
    }
}

}  // namespace zorun::renderer
