// The one window of the stand-in renderer, titled as the real renderer's window, on each platform.
#pragma once

namespace testfs {

/// Shows a new top-level window titled "Zorun_VC".
void showStandInWindow();
/// Destroys that window.
void closeStandInWindow();
/// Lets ms milliseconds pass while the window (if any) goes on answering its messages.
void passStandInTime(int ms);

}  // namespace testfs
