// The settings dialog's three Command buttons, set up as the dialog's stored property sets hold them.
#pragma once

#include "host/button/command_window.h"

#include <functional>
#include <memory>
#include <string>

namespace zorun::host {

/// Forwards a button's Click to the dialog's handler.
class ClickHandler final : public CommandEvents {
public:
    explicit ClickHandler(std::function<void()> onClick) : onClick_(std::move(onClick)) {}
    void Click() override { onClick_(); }
    void PropertyChanged(const std::string&) override {}

private:
    std::function<void()> onClick_;
};

/// A button in container (see createCommandWindow) at the given place, with its caption and the
/// dialog's font read from its stored set. It stays idle until the dialog's InitButtons.
struct DialogButton {
    ClickHandler handler;
    std::unique_ptr<CommandWindow> window;

    DialogButton(std::intptr_t container, const FramePictures& pictures, const std::string& caption, std::int32_t left,
                 std::int32_t top, std::int32_t width, std::int32_t height, std::function<void()> onClick);
};

}  // namespace zorun::host
