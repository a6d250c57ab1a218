// Preloaded into the renderer under test: every RandR mode switch takes as long as a real monitor's.
//
// HACK: Xorg's dummy driver switches modes in a few milliseconds; a real monitor takes one to three
// seconds to show the new mode, and the renderer switches between one window and the next, so that is
// how long it goes without a window. ZORUN_MODE_SWITCH_MS (default 1500) is added to each switch.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <thread>

extern "C" Status XRRSetScreenConfig(Display* display, XRRScreenConfiguration* config, Drawable draw, int size,
                                     Rotation rotation, Time timestamp)
{
    using Real = Status (*)(Display*, XRRScreenConfiguration*, Drawable, int, Rotation, Time);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "XRRSetScreenConfig"));
    const char* ms = std::getenv("ZORUN_MODE_SWITCH_MS");
    std::this_thread::sleep_for(std::chrono::milliseconds(ms != nullptr ? std::atoi(ms) : 1500));
    return real != nullptr ? real(display, config, draw, size, rotation, timestamp) : BadImplementation;
}
