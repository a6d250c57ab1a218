// Finding the CD drive and reading a disc's table of contents (libcdio behind it).
#pragma once

#include "host/music/cd_drive.h"

#include <string>

namespace zorun::music {

/// The system's default CD drive, or empty when it has none. Does not touch a disc.
std::string defaultCdDevice();

struct CdDiscReading {
    CdDrive::State state = CdDrive::State::NoDisc;  ///< Ready, NoDisc or TrayOpen
    CdToc toc;                                      ///< the tracks when Ready
};

/// Reads the table of contents of the disc in a drive or of a disc image (.cue with its .bin). May
/// take seconds on a drive that spins up, so it belongs off the host's thread.
CdDiscReading readCdDisc(const std::string& device);

}  // namespace zorun::music
