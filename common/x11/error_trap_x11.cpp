// Counting X errors instead of ending the process.
#include "common/x11/error_trap_x11.h"

namespace zorun::x11 {

namespace {

// Xlib calls the handler on the thread that reads the reply; both programs use X from one thread only.
unsigned long xErrors = 0;

int countXError(Display*, XErrorEvent*)
{
    ++xErrors;
    return 0;
}

}  // namespace

void countXErrors()
{
    XSetErrorHandler(countXError);
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), before_(xErrors) {}

bool ErrorTrap::clean()
{
    XSync(display_, False);
    return xErrors == before_;
}

}  // namespace zorun::x11
