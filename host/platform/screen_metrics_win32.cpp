// The screen's twips per pixel on Windows, from gdi32's dots per inch.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/platform/screen_metrics_win32.h"

namespace zorun::host {

namespace {

// Twips per pixel along one screen axis: 1440 / dots per inch, 15 when the screen does not say.
double twipsPerPixel(int axis)
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, axis) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dotsPerInch > 0 ? 1440.0 / dotsPerInch : 15.0;
}

class Win32ScreenMetrics final : public ScreenMetrics {
public:
    double TwipsPerPixelX() override { return twipsPerPixel(LOGPIXELSX); }
    double TwipsPerPixelY() override { return twipsPerPixel(LOGPIXELSY); }
};

}  // namespace

std::unique_ptr<ScreenMetrics> createWin32ScreenMetrics()
{
    return std::make_unique<Win32ScreenMetrics>();
}

}  // namespace zorun::host
