// The GTK settings dialog's widgets, laid out as designed, in the dialog's fonts.
#pragma once

#include "host/dialog/dialog_layout.h"

#include <gtk/gtk.h>

#include <array>

namespace zorun::host {

/// The dialog's font in black, or the link's in white. The caller unrefs the list.
PangoAttrList* dialogLabelAttributes(bool link);

/// The dialog's window (icon and title set, not shown, nothing connected): a fixed layout for the client
/// area, one for the music panel on it, their labels, and the controls the dialog changes.
struct DialogWidgets {
    GtkWidget* window = nullptr;
    GtkWidget* root = nullptr;
    GtkWidget* panel = nullptr;
    GtkWidget* combo = nullptr;  // a combo box with an entry
    GtkWidget* fileLabel = nullptr;
    std::array<GtkWidget*, dialog::kOptionCount> marks{};  // empty images until a picture is given
};

/// linkText: the home page address, in the link's font at the link's place.
DialogWidgets buildDialogWidgets(const char* linkText);

}  // namespace zorun::host
