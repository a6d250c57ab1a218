// zorun-toggle: asks the running renderer to restart in the other display mode (X11 client message).
//
// The renderer's window, found by its title as the host finds it, receives a ClientMessage whose type is
// the toggle atom, which the renderer turns into its toggle message. Exit code 0 when sent, 1 when no such
// window (or no display) was found.
#include "common/find_window_x11.h"
#include "common/renderer_contract.h"
#include "common/x11/connection_x11.h"

int main()
{
    // A window may go while we look at it: the connection counts X errors instead of ending here.
    zorun::x11::Connection connection;
    if (!connection.open())
        return 1;
    Display* display = connection.display;
    const Window target = zorun::findWindowByTitle(display, zorun::kRendererTitle);
    if (target == 0)
        return 1;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = connection.atoms.toggleMode;
    event.xclient.format = 32;
    const Status sent = XSendEvent(display, target, False, NoEventMask, &event);
    XSync(display, False);
    return sent != 0 ? 0 : 1;
}
