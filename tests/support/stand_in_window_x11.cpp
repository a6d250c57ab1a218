// The stand-in renderer's window on X11: a plain mapped window with the renderer's title.
#include "stand_in_window.h"

#include "common/renderer_contract.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace testfs {

namespace {

Display* display()
{
    static Display* opened = XOpenDisplay(nullptr);
    return opened;
}

Window shownWindow = 0;

}  // namespace

void showStandInWindow()
{
    Display* x = display();
    if (x == nullptr)
        return;
    shownWindow = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 320, 240, 0, 0, 0);
    XStoreName(x, shownWindow, zorun::kRendererTitle);
    XMapWindow(x, shownWindow);
    XSync(x, False);
}

void closeStandInWindow()
{
    if (display() == nullptr || shownWindow == 0)
        return;
    XDestroyWindow(display(), shownWindow);
    XSync(display(), False);
    shownWindow = 0;
}

void passStandInTime(int ms)
{
    // Nothing asks this window anything the test needs answered; the server keeps it as it is.
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace testfs
