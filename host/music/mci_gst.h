// Our own MCI on Linux (GStreamer), with what its tests need to look at beyond winmm's calls.
#pragma once

#include "host/music/mci_port.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zorun::music {

class GstPlayer;
class CdAudioDevice;

/// The MPEGVideo device under aliases and PlaySound's one sound, on GStreamer, and the cdaudio device
/// on libcdio and GStreamer (see CdAudioDevice and createCdDrive).
///
/// Sound goes to the first of pulsesink and alsasink that opens; then there is one wave-out device.
/// When neither opens, it goes to a fakesink that keeps real time (files still play and end on time,
/// unheard) and there is no wave-out device. The environment variable ZORUN_AUDIO_SINK names a sink
/// to use instead ("fakesink" for tests without a sound card); it counts as a wave-out device.
/// Without a CD drive (and without ZORUN_CD_DEVICE) every cdaudio command fails with
/// MCIERR_CANNOT_LOAD_DRIVER, as winmm's do on a machine without one.
class GstMci final : public MciPort {
public:
    GstMci();
    ~GstMci() override;

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

    bool ready_;
    std::map<std::string, std::unique_ptr<GstPlayer>> devices_;
    std::unique_ptr<GstPlayer> sound_;
    std::unique_ptr<CdAudioDevice> cd_;
};

}  // namespace zorun::music
