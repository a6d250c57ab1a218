// The GTK settings dialog's modal windows: the file chooser and the message of a failed store.
#pragma once

#include "host/dialog/dialog_ports.h"

#include <gtk/gtk.h>

#include <optional>
#include <string>

namespace zorun::host {

/// Each runs modal to owner until answered; modal holds it meanwhile, so that a close request can cancel it.

/// The file chosen, when the chooser was accepted.
std::optional<std::string> runFileChooser(GtkWindow* owner, const OpenFileRequest& request, GtkWidget*& modal);
void runStoreFailureBox(GtkWindow* owner, const StoreFailure& failure, GtkWidget*& modal);

}  // namespace zorun::host
