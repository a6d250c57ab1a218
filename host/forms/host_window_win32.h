// The Windows host's windows.
#pragma once

#include "host/forms/host_window.h"

#include <memory>

namespace zorun::host {

/// The host's windows on Win32: registers the window classes for this program's instance.
std::unique_ptr<Forms> createWin32Forms();

}  // namespace zorun::host
