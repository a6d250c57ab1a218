// The screen's twips per pixel on X11, from the desktop's logical resolution.
#include "host/platform/screen_metrics_x11.h"

#include "host/platform/connection_x11.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <utility>

namespace zorun::host {

namespace {

class X11ScreenMetrics final : public ScreenMetrics {
public:
    explicit X11ScreenMetrics(std::shared_ptr<X11Connection> connection) : x_(std::move(connection)) {}

    double TwipsPerPixelX() override { return twipsPerPixel(); }
    double TwipsPerPixelY() override { return twipsPerPixel(); }

private:
    double twipsPerPixel()
    {
        // The desktop's logical resolution where it says one (Xft.dpi), else the usual 96 dots per inch.
        if (const char* dpi = XGetDefault(x_->display, "Xft", "dpi")) {
            const double value = std::atof(dpi);
            if (value >= 24 && value <= 960)
                return 1440.0 / value;
        }
        return 15.0;
    }

    std::shared_ptr<X11Connection> x_;
};

}  // namespace

std::unique_ptr<ScreenMetrics> createX11ScreenMetrics(std::shared_ptr<X11Connection> connection)
{
    return std::make_unique<X11ScreenMetrics>(std::move(connection));
}

}  // namespace zorun::host
