// The Command button's Gtk view, as a child window of a container.
#pragma once

#include "host/button/command_window.h"

namespace zorun::host {

/// A button in container, a GtkFixed* (see CommandWindowFactory).
std::unique_ptr<CommandWindow> createGtkCommandWindow(std::intptr_t container, const FramePictures& pictures,
                                                      CommandEvents& events);

}  // namespace zorun::host
