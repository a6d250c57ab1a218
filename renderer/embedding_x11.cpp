// Drawing into a window another client made.
#include "renderer/embedding_x11.h"

namespace zorun::renderer {

std::unique_ptr<X11Window> adoptWindow(Display* display, const EmbedRequest& embed)
{
    const Window id =
        embed.kind == EmbedRequest::Kind::Root ? DefaultRootWindow(display) : static_cast<Window>(embed.window);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, id, &attributes) == 0)
        return nullptr;
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    if (visual == nullptr)
        return nullptr;
    auto window = std::make_unique<X11Window>();
    window->id = id;
    window->visual = visual;
    window->foreign = true;
    window->shape.width = attributes.width;
    window->shape.height = attributes.height;
    XSelectInput(display, id, StructureNotifyMask);
    XSync(display, False);
    return window;
}

void releaseWindow(Display* display, X11Window& window)
{
    XSelectInput(display, window.id, NoEventMask);  // an error if it is gone already, counted and ignored
}

}  // namespace zorun::renderer
