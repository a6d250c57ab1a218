// X errors as results: a window that vanishes between two requests is an everyday event on X.
#pragma once

#include <X11/Xlib.h>

namespace zorun::x11 {

/// Replaces Xlib's process-wide error handler (which ends the process) with one that counts errors.
/// Connection::open sets it.
void countXErrors();

/// Tells whether the requests made since it was set all succeeded.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    /// Waits for the server to answer every request so far; true when none failed since the trap was set.
    bool clean();

private:
    Display* display_;
    unsigned long before_;
};

}  // namespace zorun::x11
