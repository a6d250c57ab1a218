// GLX calls of the renderer's window system.
#include "renderer/glx_context_x11.h"

namespace zorun::renderer::glx {

bool available(Display* display)
{
    int errorBase = 0;
    int eventBase = 0;
    return glXQueryExtension(display, &errorBase, &eventBase);
}

XVisualInfo* chooseVisual(Display* display, int screen)
{
    int deep[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                  8,        GLX_DEPTH_SIZE,   24,           None};
    if (XVisualInfo* visual = glXChooseVisual(display, screen, deep))
        return visual;
    int shallow[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
    return glXChooseVisual(display, screen, shallow);
}

std::int32_t pixelFormatOf(Display* display, XVisualInfo* visual)
{
    int doubleBuffered = 0;
    int rgba = 0;
    glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffered);
    glXGetConfig(display, visual, GLX_RGBA, &rgba);
    return doubleBuffered != 0 && rgba != 0 ? static_cast<std::int32_t>(visual->visualid) : 0;
}

GLXContext createContext(Display* display, XVisualInfo* visual)
{
    return glXCreateContext(display, visual, nullptr, True);
}

bool makeCurrent(Display* display, Window window, GLXContext context)
{
    return glXMakeCurrent(display, context == nullptr ? None : window, context) == True;
}

void destroyContext(Display* display, GLXContext context)
{
    glXDestroyContext(display, context);
}

void swapBuffers(Display* display, Window window)
{
    glXSwapBuffers(display, window);
}

}  // namespace zorun::renderer::glx
