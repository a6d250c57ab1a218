// The CD drive on GStreamer's cdiocddasrc and libcdio.
#pragma once

#include "host/music/cd_drive.h"

#include <memory>

namespace zorun::music {

/// True when createGstCdDrive would find a drive (or ZORUN_CD_DEVICE names one).
bool gstCdDriveAvailable();

/// The drive the cdaudio device plays: the one named by the environment variable ZORUN_CD_DEVICE (a
/// device or a .cue disc image) or else the system's default CD drive. Null when there is none.
std::unique_ptr<CdDrive> createGstCdDrive();

}  // namespace zorun::music
