// The music calls on Windows: winmm itself.
#pragma once

#include "host/music/mci_port.h"

#include <memory>

namespace zorun::music {

/// winmm's MCI, wave-out count and PlaySoundA, passed straight through.
std::unique_ptr<MciPort> createWin32Mci();

}  // namespace zorun::music
