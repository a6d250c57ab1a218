// Test helpers for the Windows host's preview: a window to embed it in, and a check of what the preview shows.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace zorun::test {

/// A visible borderless window of the given outer size at (x, y), magenta, so that black inside it can only
/// come from the preview. With quitOnDestroy its destruction ends the thread's message loop.
HWND CreatePreviewHost(int x, int y, int width, int height, bool quitOnDestroy);

/// Checks once the "Preview Window" child of host: visible, at its top-left, covering its client area;
/// with pixels, also that the screen shows the stored preview picture unscaled at its top-left and black
/// beyond. Empty when it does, else what is wrong.
std::string CheckPreview(HWND host, bool pixels);

}  // namespace zorun::test
