// A Command button as a child window of a container window, made by the platform's view adapter.
#pragma once

#include "host/button/command.h"
#include "host/pictures/stored_pictures.h"

#include <array>
#include <cstdint>
#include <memory>

namespace zorun::host {

/// The decoded state pictures, in the order of FramePicture.
using FramePictures = std::array<Picture, kFramePictureCount>;

/// The stored pictures of the six states.
FramePictures loadFramePictures(StoredPictures& pictures);

class CommandWindow {
public:
    virtual ~CommandWindow() = default;
    /// The button's logic: its properties and Initialize.
    virtual Command& Control() = 0;
    /// Places and sizes the button in pixels of the container's client area; the control's Resize follows.
    virtual void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) = 0;
    /// The button's rectangle on the screen, in pixels.
    virtual PixelRect ScreenRect() = 0;
    /// The button's own window: an HWND on Windows, a GtkWidget* on Linux.
    virtual std::intptr_t NativeWindow() = 0;
};

/// Makes a button in container (an HWND on Windows, a GtkFixed* on Linux), hidden until moved, with the
/// pictures its faces are cut from; its Click and property changes go to events. Each platform's view has
/// one (createGtkCommandWindow, createWin32CommandWindow), handed to whoever makes buttons.
using CommandWindowFactory = std::unique_ptr<CommandWindow> (*)(std::intptr_t container, const FramePictures& pictures,
                                                                CommandEvents& events);

}  // namespace zorun::host
