// Opening the display, its atoms, and naming windows.
#include "common/x11/connection_x11.h"

#include "common/renderer_contract.h"
#include "common/x11/error_trap_x11.h"

#include <fcntl.h>

#include <iterator>
#include <string>

namespace zorun::x11 {

bool Connection::open()
{
    close();
    display = XOpenDisplay(nullptr);
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
