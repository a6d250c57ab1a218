// What our own MCI needs of the platform's sound: sound files to play, the output, and the CD drive.
#pragma once

#include "host/music/cd_drive.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zorun::music {

/// One sound file, opened and held at its start. Calls return once the player has done what was asked
/// (seek waits for the sound to be ready at its new place); playing itself goes on in the background.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    /// The sound's length in whole milliseconds, when the player knows it.
    virtual std::optional<std::int64_t> lengthMs() = 0;
    /// Holds the sound at the given milliseconds, no longer at its end. False when the player cannot.
    virtual bool seek(std::int64_t ms) = 0;
    /// Plays on from where the sound is held. False when the player cannot.
    virtual bool start() = 0;
    /// Holds the sound where it is. False when the player cannot.
    virtual bool hold() = 0;
    /// True once the sound has played to its end or failed while playing; a looping sound never ends.
    virtual bool ended() = 0;
};

/// The platform's sound: GStreamer on Linux.
class SoundSystem {
public:
    virtual ~SoundSystem() = default;

    /// False when the sound library could not start; no file or CD opens then.
    virtual bool ready() = 0;
    /// 0 and the player, held at the start of the file (looping at its end when asked), or the MCI
    /// error code of why not: MCIERR_FILE_NOT_FOUND, MCIERR_CANNOT_LOAD_DRIVER without a player, or
    /// MCIERR_INTERNAL for a file that cannot be played.
    virtual std::uint32_t openFile(const std::string& path, bool loop, std::unique_ptr<SoundPlayer>& player) = 0;
    /// True when what plays can be heard (a sound device, or an output named for the purpose).
    virtual bool outputIsDevice() = 0;
    /// True when openCdDrive would find a drive.
    virtual bool cdDriveAvailable() = 0;
    /// The CD drive to play, or null when there is none.
    virtual std::unique_ptr<CdDrive> openCdDrive() = 0;
};

}  // namespace zorun::music
