// The Command button's Win32 view, as a child window of a container.
#pragma once

#include "host/button/command_window.h"

namespace zorun::host {

/// A button in container, an HWND (see CommandWindowFactory).
std::unique_ptr<CommandWindow> createWin32CommandWindow(std::intptr_t container, const FramePictures& pictures,
                                                        CommandEvents& events);

}  // namespace zorun::host
