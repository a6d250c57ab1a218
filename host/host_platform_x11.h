// The Linux host's adapters: the platform calls and the host's windows on X11, in one object.
#pragma once

#include "forms/host_window.h"
#include "host_platform.h"

#include <memory>

namespace zorun::host {

/// Both ports on one X connection, so a window made by Forms is a window the platform calls know.
class X11Host : public HostPlatform, public Forms {};

/// Opens the display named by DISPLAY. Without a display the host still runs: lookups find nothing,
/// windows are bookkeeping only, timers still tick.
std::unique_ptr<X11Host> OpenX11Host();

/// Decodes an encoded picture (JPEG or any format gdk-pixbuf reads) from memory; empty when it cannot.
Picture DecodePicture(const unsigned char* bytes, std::size_t size);

}  // namespace zorun::host
