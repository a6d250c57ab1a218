// The MCI "cdaudio" device of our own MCI: the commands the music module sends, answered as winmm does.
#pragma once

#include "host/music/cd_drive.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorun::music {

/// One opened cdaudio device on a drive. Knows "set … time format tmsf|msf|milliseconds", "status …"
/// with "mode", "number of tracks", "current track", "position" and "position track N", "play [from
/// POS]", "stop", "pause" and "resume". Until the drive has read the disc every query but "mode" fails
/// with MCIERR_DEVICE_NOT_READY, as winmm's does without a disc.
///
/// "play" without a position goes on from where the disc was stopped or paused; once the disc has
/// played to its end it starts again at the first audio track. Data tracks count as tracks but are
/// never played: a play that starts in one begins at the next audio track.
class CdAudioDevice {
public:
    explicit CdAudioDevice(std::unique_ptr<CdDrive> drive);

    /// Runs one command, split into words (words[1] names this device). 0 or an MCI error code.
    std::uint32_t command(const std::vector<std::string>& words, char* reply, unsigned replyLength);

private:
    enum class Mode { Stopped, Playing, Paused };

    std::uint32_t setTimeFormat(const std::vector<std::string>& words);
    std::uint32_t status(const std::vector<std::string>& words, char* reply, unsigned replyLength);
    std::uint32_t play(const std::vector<std::string>& words);
    /// Starts the run of audio tracks that holds or follows sector; false when no audio follows.
    bool playFrom(std::int32_t sector);
    /// Takes in what the drive did since the last command: the end of a run starts the next one.
    void follow();
    std::int32_t position();
    std::string modeWord();

    std::unique_ptr<CdDrive> drive_;
    CdTimeFormat format_ = CdTimeFormat::Msf;
    Mode mode_ = Mode::Stopped;
    std::optional<std::int32_t> held_;  // where a stopped or paused disc goes on from
    bool atEnd_ = false;
    std::int32_t runEnd_ = 0;
};

}  // namespace zorun::music
