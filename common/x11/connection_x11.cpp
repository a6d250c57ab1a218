// Opening the display, its atoms, and naming windows.
#include "common/x11/connection_x11.h"

#include "common/renderer_contract.h"
#include "common/x11/error_trap_x11.h"

#include <fcntl.h>
#include <time.h>

#include <cerrno>
#include <iterator>
#include <string>

namespace zorun::x11 {

namespace {

// A server that is slow to accept (several display modes starting at once, a loaded machine) refuses
// a connection with EAGAIN or resets it; Xlib gives up at once, so the open is tried again for about a
// second. A display that is not there fails with another reason and is not waited for.
Display* openDisplayRetryingWhenBusy()
{
    for (int attempt = 0;; ++attempt) {
        errno = 0;
        Display* opened = XOpenDisplay(nullptr);
        if (opened != nullptr || attempt == 50 || (errno != EAGAIN && errno != ECONNRESET))
            return opened;
        const timespec pause{0, 20'000'000};
        nanosleep(&pause, nullptr);
    }
}

}  // namespace

bool Connection::open()
{
    close();
    display = openDisplayRetryingWhenBusy();
    if (display == nullptr)
        return false;
    countXErrors();
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    root = DefaultRootWindow(display);
    char* names[] = {const_cast<char*>("WM_PROTOCOLS"), const_cast<char*>("WM_DELETE_WINDOW"),
                     const_cast<char*>("_NET_WM_NAME"), const_cast<char*>("UTF8_STRING"),
                     const_cast<char*>("_MOTIF_WM_HINTS"), const_cast<char*>(kToggleModeAtom)};
    Atom interned[std::size(names)] = {};
    XInternAtoms(display, names, static_cast<int>(std::size(names)), False, interned);
    atoms = {interned[0], interned[1], interned[2], interned[3], interned[4], interned[5]};
    return true;
}

void Connection::close()
{
    if (display != nullptr)
        XCloseDisplay(display);
    display = nullptr;
    root = 0;
}

void setWindowTitle(const Connection& connection, Window window, std::string_view title)
{
    const std::string text(title);
    XStoreName(connection.display, window, text.c_str());
    XChangeProperty(connection.display, window, connection.atoms.netWmName, connection.atoms.utf8String, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

}  // namespace zorun::x11
