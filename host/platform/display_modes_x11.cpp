// The display mode on X11: the screen's size noted before the renderer starts, set again after it ended.
#include "host/platform/display_modes_x11.h"

#include "common/x11/screen_size_x11.h"
#include "host/platform/connection_x11.h"

#include <optional>
#include <utility>

namespace zorun::host {

namespace {

class X11DisplayModes final : public DisplayModes {
public:
    X11DisplayModes(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow)
        : x_(std::move(connection)), embedWindow_(embedWindow)
    {}

    void KeepDisplayMode() override
    {
        keptMode_.reset();
        if (embedWindow_ != 0)
            return;  // a renderer in a given window never changes the mode
        keptMode_ = x11::currentScreenSize(x_->display);
    }

    void RestoreDisplayMode() override
    {
        if (!keptMode_)
            return;
        const auto now = x11::currentScreenSize(x_->display);
        if (now && *now != *keptMode_)
            x11::setScreenSize(x_->display, *keptMode_);
    }

private:
    std::shared_ptr<X11Connection> x_;
    WindowHandle embedWindow_ = 0;
    std::optional<x11::ScreenSize> keptMode_;  // given back should the renderer end without doing so
};

}  // namespace

std::unique_ptr<DisplayModes> createX11DisplayModes(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow)
{
    return std::make_unique<X11DisplayModes>(std::move(connection), embedWindow);
}

}  // namespace zorun::host
