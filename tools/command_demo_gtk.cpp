// command_demo: three Command buttons in a GTK window; prints each Click.
#include "host/button/command_window_gtk.h"
#include "host/pictures/stored_pictures_gdk.h"
#include "tools/command_demo.h"

#include <gtk/gtk.h>

namespace {

gboolean printLayoutOnce(gpointer demo)
{
    static_cast<zorun::tools::CommandDemo*>(demo)->PrintLayout();
    return G_SOURCE_REMOVE;
}

}  // namespace

int main(int argc, char** argv)
{
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Command demo");
    gtk_window_set_default_size(GTK_WINDOW(window), zorun::tools::kDemoWidth, zorun::tools::kDemoHeight);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_move(GTK_WINDOW(window), 40, 40);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window), fixed);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

    auto pictures = zorun::host::createGdkStoredPictures();
    zorun::tools::CommandDemo demo(reinterpret_cast<std::intptr_t>(fixed), zorun::host::loadFramePictures(*pictures),
                                   zorun::host::createGtkCommandWindow);
    gtk_widget_show_all(window);
    // GTK gives the first button the focus when the window shows; the demo starts with none, as on Windows.
    gtk_window_set_focus(GTK_WINDOW(window), nullptr);
    g_timeout_add(300, printLayoutOnce, &demo);
    gtk_main();
    return 0;
}
