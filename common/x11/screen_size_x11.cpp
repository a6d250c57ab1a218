// Reading and setting the screen's size with RandR.
#include "common/x11/screen_size_x11.h"

#include <memory>

namespace zorun::x11 {

namespace {

struct FreeConfig {
    void operator()(XRRScreenConfiguration* config) const { XRRFreeScreenConfigInfo(config); }
};
using Config = std::unique_ptr<XRRScreenConfiguration, FreeConfig>;

Config screenConfig(Display* display)
{
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase))
        return nullptr;
    return Config(XRRGetScreenInfo(display, DefaultRootWindow(display)));
}

}  // namespace

std::optional<ScreenSize> currentScreenSize(Display* display)
{
    const Config config = screenConfig(display);
    if (config == nullptr)
        return std::nullopt;
    ScreenSize current;
    current.size = XRRConfigCurrentConfiguration(config.get(), &current.rotation);
    return current;
}

std::optional<ScreenSize> offeredScreenSize(Display* display, int width, int height)
{
    const Config config = screenConfig(display);
    if (config == nullptr)
        return std::nullopt;
    int count = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(config.get(), &count);
    std::optional<ScreenSize> offered;
    for (int i = 0; i < count; ++i)
        if (sizes[i].width == width && sizes[i].height == height)
            offered = ScreenSize{static_cast<SizeID>(i), 0};
    if (offered)
        XRRConfigCurrentConfiguration(config.get(), &offered->rotation);
    return offered;
}

bool setScreenSize(Display* display, const ScreenSize& size)
{
    const Config config = screenConfig(display);
    const bool set = config != nullptr && XRRSetScreenConfig(display, config.get(), DefaultRootWindow(display),
                                                             size.size, size.rotation, CurrentTime) == Success;
    XSync(display, False);
    return set;
}

}  // namespace zorun::x11
