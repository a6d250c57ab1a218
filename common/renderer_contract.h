// What the renderer promises the host and the tools that look for it: its window's title, the message
// that restarts it in the other display mode (on X11, a client message with an atom of this name), and
// how a host that the renderer must not outlive names itself.
#pragma once

#include <cstdint>

namespace zorun {

/// The title of the renderer's window, by which the host and the tools find it.
inline constexpr char kRendererTitle[] = "Zorun_VC";
/// WM_USER + 1: restart in the other display mode (full screen or windowed).
inline constexpr std::uint32_t kToggleModeMessage = 0x0401;
/// The X11 client message type that reaches the renderer as kToggleModeMessage.
inline constexpr char kToggleModeAtom[] = "ZORUN_TOGGLE_MODE";
/// The environment variable in which the Linux host gives every renderer it starts its process id. Only a
/// renderer whose life is tied to the host's (in xscreensaver's window) reads it, to tell whether it still
/// has that host.
inline constexpr char kHostProcessVariable[] = "ZORUN_HOST_PID";

}  // namespace zorun
