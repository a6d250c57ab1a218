// Opening the shared X connection and counting its errors.
#include "host/platform/connection_x11.h"

#include <fcntl.h>

namespace zorun::host {

namespace {

int xErrors = 0;

int countXError(Display*, XErrorEvent*)
{
    ++xErrors;
    return 0;
}

}  // namespace

X11Connection::~X11Connection()
{
    if (display != nullptr)
        XCloseDisplay(display);
}

std::shared_ptr<X11Connection> openX11Connection()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    XSetErrorHandler(countXError);
    // The renderer must not inherit the host's X connection.
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    auto connection = std::make_shared<X11Connection>();
    connection->display = display;
    connection->root = DefaultRootWindow(display);
    connection->netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    connection->utf8String = XInternAtom(display, "UTF8_STRING", False);
    connection->wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    connection->wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    connection->motifHints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    return connection;
}

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display), before_(xErrors) {}

bool X11ErrorTrap::clean()
{
    XSync(display_, False);
    return xErrors == before_;
}

}  // namespace zorun::host
