// The button benchmark's window on GTK.
#include "bench_window.h"

#include "host/button/command_window_gtk.h"

#include <gtk/gtk.h>
#include <sys/resource.h>

BenchContainer openBenchContainer()
{
    if (!gtk_init_check(nullptr, nullptr))
        return {};
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), 300, 80);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window), fixed);
    gtk_widget_show_all(window);
    return {reinterpret_cast<std::intptr_t>(fixed), zorun::host::createGtkCommandWindow};
}

void runEventsFor(double seconds)
{
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_timeout_add(
        static_cast<guint>(seconds * 1000),
        [](gpointer l) -> gboolean {
            g_main_loop_quit(static_cast<GMainLoop*>(l));
            return G_SOURCE_REMOVE;
        },
        loop);
    g_main_loop_run(loop);
    g_main_loop_unref(loop);
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
