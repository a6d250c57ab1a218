// The host's window calls on Windows.
#pragma once

#include "host/platform/desktop.h"

#include <memory>

namespace zorun::host {

/// user32 behind Desktop, straight through.
std::unique_ptr<Desktop> createWin32Desktop();

}  // namespace zorun::host
