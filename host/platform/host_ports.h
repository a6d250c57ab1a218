// The platform as the host's startup, saver run and preview reach it: one port per job.
#pragma once

#include "host/pictures/stored_pictures.h"
#include "host/platform/desktop.h"
#include "host/platform/display_modes.h"
#include "host/platform/files.h"
#include "host/platform/processes.h"
#include "host/platform/screen_metrics.h"

#include <memory>

namespace zorun::host {

struct HostPorts {
    Desktop& desktop;
    ScreenMetrics& screen;
    Files& files;
    Processes& processes;
    StoredPictures& pictures;
    DisplayModes& displayModes;
};

/// One adapter per port, as a program builds them for its platform.
struct HostAdapters {
    std::unique_ptr<Desktop> desktop;
    std::unique_ptr<ScreenMetrics> screen;
    std::unique_ptr<Files> files;
    std::unique_ptr<Processes> processes;
    std::unique_ptr<StoredPictures> pictures;
    std::unique_ptr<DisplayModes> displayModes;

    HostPorts ports() const { return {*desktop, *screen, *files, *processes, *pictures, *displayModes}; }
};

}  // namespace zorun::host
