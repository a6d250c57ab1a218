// Switching the screen size with RandR and restoring it.
#include "renderer/display_mode_x11.h"

#include <algorithm>

bool RandrDisplayMode::change(const DisplayMode& mode)
{
    const int screen = DefaultScreen(display_);
    // 32 bits per pixel on Windows is a depth of 24 (plus padding) on X.
    if (DefaultDepth(display_, screen) < std::min(mode.colourBits, 24))
        return false;
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display_, &eventBase, &errorBase))
        return false;
    const Window root = RootWindow(display_, screen);
    XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root);
    if (config == nullptr)
        return false;
    int sizeCount = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &sizeCount);
    Rotation rotation = 0;
    const SizeID current = XRRConfigCurrentConfiguration(config, &rotation);
    int wanted = -1;
    for (int i = 0; i < sizeCount; ++i)
        if (sizes[i].width == mode.width && sizes[i].height == mode.height)
            wanted = i;
    bool accepted = false;
    if (wanted == current) {
        accepted = true;
    } else if (wanted >= 0) {
        accepted = XRRSetScreenConfig(display_, config, root, wanted, rotation, CurrentTime) == Success;
        if (accepted && !changed_) {
            changed_ = true;
            originalSize_ = current;
            originalRotation_ = rotation;
        }
    }
    XRRFreeScreenConfigInfo(config);
    XSync(display_, False);
    return accepted;
}

void RandrDisplayMode::restore()
{
    if (!changed_)
        return;
    const Window root = DefaultRootWindow(display_);
    if (XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root)) {
        XRRSetScreenConfig(display_, config, root, originalSize_, originalRotation_, CurrentTime);
        XRRFreeScreenConfigInfo(config);
    }
    XSync(display_, False);
    changed_ = false;
}
