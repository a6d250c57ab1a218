// The MCI "MPEGVideo" device of our own MCI: one opened sound file, answered as winmm's is.
#pragma once

#include "host/music/sound_system.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorun::music {

/// One sound file opened under an alias (or PlaySound's one sound). Knows "status … mode", "play
/// [from MS]", "stop", "pause" and "resume"; closing is the MCI's business.
///
/// A sound that has played to its end reports "stopped", and a "play" without a position leaves it
/// there, as winmm's does; "stop" holds the position.
class MpegVideoDevice {
public:
    explicit MpegVideoDevice(std::unique_ptr<SoundPlayer> player);

    /// Runs one command, split into words (words[1] names this device). 0 or an MCI error code.
    std::uint32_t command(const std::vector<std::string>& words, char* reply, unsigned replyLength);

    /// Plays on from where the sound is, or from the given milliseconds. 0 or an MCI error code.
    std::uint32_t play(std::optional<std::int64_t> fromMs);

    bool playing();
    bool ended() { return player_->ended(); }

private:
    enum class Mode { Stopped, Playing, Paused };

    std::uint32_t hold(Mode mode);
    Mode mode();

    std::unique_ptr<SoundPlayer> player_;
    Mode mode_ = Mode::Stopped;
};

}  // namespace zorun::music
