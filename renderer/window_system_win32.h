// The renderer's Win32 window system.
#pragma once

#include "renderer/window_system.h"

#include <memory>

namespace zorun::renderer {

/// Win32 and WGL behind WindowSystem, passed straight through.
std::unique_ptr<WindowSystem> createWin32WindowSystem();

}  // namespace zorun::renderer
