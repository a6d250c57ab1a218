// OpenGL on X11 through GLX: the visual a window is made with and the contexts that draw into it.
#pragma once

#include <GL/glx.h>

#include <cstdint>

namespace zorun::renderer::glx {

/// Whether the display offers GLX at all.
bool available(Display* display);

/// The visual for a window of the frame: double-buffered RGBA, 8 bits a channel and a 24-bit depth
/// buffer if the display has one, else whatever double-buffered RGBA visual with a depth buffer it has.
XVisualInfo* chooseVisual(Display* display, int screen);

/// What ChoosePixelFormat answers for a window made with this visual: the visual's id when it is
/// double-buffered RGBA, else 0. The visual is fixed when the X window is made; it is the closest format
/// this display offers.
std::int32_t pixelFormatOf(Display* display, XVisualInfo* visual);

/// A direct context for the visual, or null.
GLXContext createContext(Display* display, XVisualInfo* visual);

/// Makes the context current on the window; with no context, none.
bool makeCurrent(Display* display, Window window, GLXContext context);

void destroyContext(Display* display, GLXContext context);

void swapBuffers(Display* display, Window window);

}  // namespace zorun::renderer::glx
