// Making and destroying the renderer's own window.
#include "renderer/own_window_x11.h"

#include <cstring>
#include <vector>

#include "common/win32_numbers.h"
#include "renderer/glx_context_x11.h"

namespace zorun::renderer {

namespace {

void nameWindow(const x11::Connection& connection, Window id, const char* title, const char* className)
{
    x11::setWindowTitle(connection, id, title);
    XClassHint classHint{};
    char resName[] = "Zorun";
    std::vector<char> resClass(className, className + std::strlen(className) + 1);
    classHint.res_name = resName;
    classHint.res_class = resClass.data();
    XSetClassHint(connection.display, id, &classHint);
}

}  // namespace

std::unique_ptr<X11Window> makeOwnWindow(const x11::Connection& connection, const WindowCreation& creation,
                                         Cursor cursor)
{
    if (creation.width <= 0 || creation.height <= 0)
        return nullptr;
    Display* display = connection.display;
    const int screen = DefaultScreen(display);
    XVisualInfo* visual = glx::chooseVisual(display, screen);
    if (visual == nullptr)
        return nullptr;
    auto window = std::make_unique<X11Window>();
    window->visual = visual;
    window->overrideRedirect = creation.style == windowStyle::popup;
    window->shape.width = creation.width;
    window->shape.height = creation.height;
    window->colormap = XCreateColormap(display, connection.root, visual->visual, AllocNone);

    XSetWindowAttributes attributes{};
    attributes.colormap = window->colormap;
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.border_pixel = 0;
    attributes.override_redirect = window->overrideRedirect ? True : False;
    attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask;
    window->id = XCreateWindow(display, connection.root, creation.x, creation.y, static_cast<unsigned>(creation.width),
                               static_cast<unsigned>(creation.height), 0, visual->depth, InputOutput, visual->visual,
                               CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWEventMask,
                               &attributes);
    if (window->id == 0) {
        XFreeColormap(display, window->colormap);
        XFree(visual);
        return nullptr;
    }
    nameWindow(connection, window->id, creation.title,
               creation.classInfo != nullptr ? creation.classInfo->className : "OpenGL");
    Atom protocols[] = {connection.atoms.wmDeleteWindow};
    XSetWMProtocols(display, window->id, protocols, 1);

    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = creation.x;
    hints.y = creation.y;
    hints.width = creation.width;
    hints.height = creation.height;
    XSetWMNormalHints(display, window->id, &hints);
    XDefineCursor(display, window->id, cursor);
    return window;
}

void destroyOwnWindow(Display* display, X11Window& window)
{
    XDestroyWindow(display, window.id);
    XFreeColormap(display, window.colormap);
}

}  // namespace zorun::renderer
