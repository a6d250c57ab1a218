// The X display each program opens once, and the atoms its windows and messages use.
#pragma once

#include <X11/Xlib.h>

#include <string_view>

namespace zorun::x11 {

/// Interned once per connection.
struct Atoms {
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    Atom netWmName = 0;
    Atom utf8String = 0;
    Atom motifHints = 0;
    Atom toggleMode = 0;  // the renderer's mode switch (common/renderer_contract.h)
};

/// The display named by DISPLAY. Its X errors are counted instead of ending the process (ErrorTrap reads
/// them), and it is not inherited by the programs this process starts.
class Connection {
public:
    Connection() = default;
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// False when there is no display.
    bool open();
    void close();

    Display* display = nullptr;
    Window root = 0;
    Atoms atoms;
};

/// Names a window for window managers (WM_NAME) and, in UTF-8, for everyone who reads _NET_WM_NAME.
void setWindowTitle(const Connection& connection, Window window, std::string_view title);

}  // namespace zorun::x11
