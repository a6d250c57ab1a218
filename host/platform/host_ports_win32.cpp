// The Windows host's adapters, the renderer's process handle shared with the message loop.
#include "host/platform/host_ports_win32.h"

#include "host/pictures/stored_pictures_win32.h"
#include "host/platform/desktop_win32.h"
#include "host/platform/display_modes_win32.h"
#include "host/platform/files_win32.h"
#include "host/platform/processes_win32.h"
#include "host/platform/screen_metrics_win32.h"

#include <utility>

namespace zorun::host {

HostAdapters createWin32HostAdapters(std::shared_ptr<StartedProgram> started)
{
    HostAdapters adapters;
    adapters.desktop = createWin32Desktop();
    adapters.screen = createWin32ScreenMetrics();
    adapters.files = createWin32Files();
    adapters.processes = createWin32Processes(std::move(started));
    adapters.pictures = createWin32StoredPictures();
    adapters.displayModes = createWin32DisplayModes();
    return adapters;
}

}  // namespace zorun::host
