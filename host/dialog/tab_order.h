// Where Tab and Shift+Tab take the focus among a window's controls, as Win32's GetNextDlgTabItem does.
#pragma once

#include <span>

namespace zorun::host {

/// The control that Tab (or Shift+Tab, backwards) focuses after control `current` (-1: none has the
/// focus), among controls in creation order of which only those marked in takesFocus can have it;
/// wraps around at either end. -1 when none can.
int nextTabStop(std::span<const bool> takesFocus, int current, bool backwards);

}  // namespace zorun::host
