// The Linux host's adapters on one X connection, told alike whether the renderer draws in a given window.
#include "host/platform/host_ports_x11.h"

#include "host/pictures/stored_pictures_gdk.h"
#include "host/platform/desktop_x11.h"
#include "host/platform/display_modes_x11.h"
#include "host/platform/files_posix.h"
#include "host/platform/processes_x11.h"
#include "host/platform/screen_metrics_x11.h"

namespace zorun::host {

HostAdapters createX11HostAdapters(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow)
{
    HostAdapters adapters;
    adapters.processes = createX11Processes(connection, embedWindow);
    adapters.desktop = createX11Desktop(connection, embedWindow, adapters.processes.get());
    adapters.screen = createX11ScreenMetrics(connection);
    adapters.files = createPosixFiles();
    adapters.pictures = createGdkStoredPictures();
    adapters.displayModes = createX11DisplayModes(connection, embedWindow);
    return adapters;
}

}  // namespace zorun::host
