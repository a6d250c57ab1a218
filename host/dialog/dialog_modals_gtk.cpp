// The GTK settings dialog's file chooser and message box.
#include "host/dialog/dialog_modals_gtk.h"

#include "host/dialog/dialog_widgets_gtk.h"

namespace zorun::host {

namespace {

// The dialog's own font; selectable, so that the path can be copied.
void styleMessageLabel(GtkWidget* widget, gpointer)
{
    if (!GTK_IS_LABEL(widget))
        return;
    PangoAttrList* attributes = dialogLabelAttributes(false);
    gtk_label_set_attributes(GTK_LABEL(widget), attributes);
    pango_attr_list_unref(attributes);
    gtk_label_set_selectable(GTK_LABEL(widget), TRUE);
}

}  // namespace

std::optional<std::string> runFileChooser(GtkWindow* owner, const OpenFileRequest& request, GtkWidget*& modal)
{
    GtkWidget* chooser =
        gtk_file_chooser_dialog_new(request.title.c_str(), owner, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, request.filterDescription.c_str());
    // HACK: GTK's patterns are case-sensitive, the record's are not.
    gtk_file_filter_add_pattern(filter, "*.[Mm][Pp]3");
    gtk_file_filter_add_pattern(filter, "*.[Ww][Aa][Vv]");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
    if (!request.initialFolder.empty())
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), request.initialFolder.c_str());
    std::optional<std::string> chosen;
    modal = chooser;
    const gint response = gtk_dialog_run(GTK_DIALOG(chooser));
    modal = nullptr;
    if (response == GTK_RESPONSE_ACCEPT) {
        if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser))) {
            chosen = name;
            g_free(name);
        }
    }
    gtk_widget_destroy(chooser);
    return chosen;
}

void runStoreFailureBox(GtkWindow* owner, const StoreFailure& failure, GtkWidget*& modal)
{
    gchar* path = g_filename_display_name(failure.path.c_str());
    GtkWidget* box =
        gtk_message_dialog_new(owner, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                               GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, "%s", failure.heading.c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(box), "%s\n%s", path, failure.reason.c_str());
    g_free(path);
    gtk_window_set_title(GTK_WINDOW(box), failure.caption.c_str());
    GtkWidget* area = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(box));
    gtk_container_forall(GTK_CONTAINER(area), styleMessageLabel, nullptr);
    modal = box;
    gtk_dialog_run(GTK_DIALOG(box));
    modal = nullptr;
    gtk_widget_destroy(box);
}

}  // namespace zorun::host
