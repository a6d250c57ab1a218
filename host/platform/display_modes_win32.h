// The display mode on Windows.
#pragma once

#include "host/platform/display_modes.h"

#include <memory>

namespace zorun::host {

/// Nothing to keep: Windows gives back the temporary full-screen mode of a process that has ended.
std::unique_ptr<DisplayModes> createWin32DisplayModes();

}  // namespace zorun::host
