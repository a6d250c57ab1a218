// The platform's sound for our own MCI on Linux: GStreamer, and libcdio for audio CDs.
#pragma once

#include "host/music/mci_port.h"
#include "host/music/sound_system.h"

#include <memory>

namespace zorun::music {

/// Sound goes to the first of pulsesink and alsasink that opens; then it can be heard. When neither
/// opens, it goes to a fakesink that keeps real time (files still play and end on time, unheard). The
/// environment variable ZORUN_AUDIO_SINK names a sink to use instead ("fakesink" for tests without a
/// sound card); it counts as heard. The CD drive is the one createGstCdDrive finds.
std::unique_ptr<SoundSystem> createGstSoundSystem();

/// Our own MCI (OwnMci) on the sound system above.
std::unique_ptr<MciPort> createGstMci();

}  // namespace zorun::music
