// What the renderer's X11 window system knows of each window of the frame.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "renderer/event_translation_x11.h"

namespace zorun::renderer {

struct X11Window {
    X11Window() = default;
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    Window id = 0;
    Colormap colormap = 0;
    XVisualInfo* visual = nullptr;
    void* userData = nullptr;
    bool overrideRedirect = false;
    bool mapped = false;
    bool keyboardGrabbed = false;
    bool foreign = false;  // another client's window that the renderer draws into
    X11WindowShape shape;
    int pixelFormat = 0;
};

}  // namespace zorun::renderer
