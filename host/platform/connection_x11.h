// What the host's X11 adapters share: the platform calls and the host's windows.
#pragma once

#include "common/x11/connection_x11.h"
#include "common/x11/posted_messages.h"
#include "host/platform/window_handle.h"

#include <cstdint>
#include <map>
#include <memory>

namespace zorun::host {

/// The one X connection of the host, and what the platform calls must know of the windows the forms
/// adapter made, so that a window made by Forms is a window the Desktop calls know.
struct X11Connection : x11::Connection {
    struct Posted {
        WindowHandle window = 0;
        std::uint32_t message = 0;
    };

    /// The host's live windows and their style words, kept as Windows keeps them: X has no style word,
    /// and WS_CHILD follows from SetParent here.
    std::map<WindowHandle, std::int32_t> ownStyles;
    /// Messages posted to the host's own windows, delivered in order by the message loop.
    x11::PostedMessages<Posted> posted;
    /// Readable once the program the Processes adapter started has ended (its pidfd, the adapter's to close): the
    /// message loop waits on it too, so the host hears of that end at once. -1 while there is none.
    int startedProgramEnd = -1;
};

/// Opens the display named by DISPLAY; null when there is none.
std::shared_ptr<X11Connection> openX11Connection();

}  // namespace zorun::host
