// Our own MCI (Linux): winmm's calls answered on the platform's sound, with what tests look at beyond them.
#pragma once

#include "host/music/mci_port.h"
#include "host/music/sound_system.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zorun::music {

class CdAudioDevice;
class MpegVideoDevice;

/// The MPEGVideo device under aliases and PlaySound's one sound on sound players, and the cdaudio
/// device on a CD drive (see CdAudioDevice), all from one SoundSystem.
///
/// There is one wave-out device when the output can be heard. Without a CD drive every cdaudio
/// command fails with MCIERR_CANNOT_LOAD_DRIVER, as winmm's do on a machine without one.
class OwnMci final : public MciPort {
public:
    explicit OwnMci(std::unique_ptr<SoundSystem> sound);
    ~OwnMci() override;

    std::uint32_t mciSendStringA(const char* command, char* reply, unsigned replyLength) override;
    int mciGetErrorStringA(std::uint32_t code, char* text, unsigned textLength) override;
    unsigned waveOutGetNumDevs() override;
    int PlaySoundA(const char* sound, std::uint32_t flags) override;

    /// True while the sound PlaySoundA started is still playing (a looping one never ends by itself).
    bool soundIsPlaying();

private:
    std::uint32_t open(const std::vector<std::string>& words);
    std::uint32_t openCd(const std::string& alias);
    std::uint32_t cdCommand(const std::vector<std::string>& words, char* reply, unsigned replyLength);

    std::unique_ptr<SoundSystem> system_;
    bool ready_;
    std::map<std::string, std::unique_ptr<MpegVideoDevice>> devices_;
    std::unique_ptr<MpegVideoDevice> sound_;
    std::unique_ptr<CdAudioDevice> cd_;
};

}  // namespace zorun::music
