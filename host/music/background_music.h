// The background music of a saver run: an audio CD, a looping MP3 file or a looping WAV file.
#pragma once

#include "host/music/mci_port.h"

#include <array>
#include <cstdint>
#include <string>

namespace zorun::music {

/// The music procedures of the host. They read the repeat track and the file from the shared settings
/// they are given (read at each call, so they always see the current values), and never report a
/// failure: it lands in MCI_Reply or stops the CD polling.
class Zorun_BGM {
public:
    static constexpr std::int16_t kTrue = -1;
    static constexpr std::int16_t kFalse = 0;

    Zorun_BGM(MciPort& mci, const std::int16_t& BGM_RepeatTrack, const std::string& BGM_File);

    /// Sends a command with the reply buffer; reply gets the reply or the error text. 0, an MCI error
    /// code, or -1 for an empty command (which is not sent).
    std::int32_t MCI_Send(const std::string& command, std::string& reply);
    /// The reply of a command, or "Error:" and the code when it failed.
    std::string MCI_Query(const std::string& command);
    /// "play <device>[ from <from>][ to <to>]" through MCI_Send.
    std::int32_t MCI_Play(const std::string& device, const std::string& from, const std::string& to);

    /// Opens the CD device and sets its time format to tracks.
    void CD_Open();
    /// Keeps the CD playing (the whole disc or the repeat track); clears CD_PollOk when it fails.
    void CD_Poll();
    /// Stops and closes the CD device.
    void CD_Close();

    /// Opens the MP3 file under the alias MP3Play and plays it when the open succeeds.
    void MP3_Start();
    /// True while the MP3 device reports "playing".
    bool MP3_IsPlaying();
    /// Starts the MP3 file again from its beginning when it is not playing.
    void MP3_Poll();
    /// Stops and closes the MP3 device.
    void MP3_Stop();

    /// Loops the WAV file when there is a wave-out device.
    void WAV_Start();
    /// Stops the sound WAV_Start started.
    void WAV_Stop();

    /// 0 / -1: whether the last CD poll went through; the saver keeps polling only while it is true.
    std::int16_t CD_PollOk = kFalse;
    /// Reply or error text of the last command sent through MCI_Query or MCI_Play.
    std::string MCI_Reply;

private:
    // Sends a command without a reply buffer; its result is ignored by every caller but MP3_Start.
    std::uint32_t sendBare(const char* command);

    MciPort& mci_;
    const std::int16_t& repeatTrack_;
    const std::string& file_;
    std::array<char, 512> replyBuffer_{};
    std::array<char, 256> errorTextBuffer_{};
    std::array<char, 255> cdModeBuffer_{};
    std::array<char, 30> mp3ModeBuffer_{};
};

/// Which music a saver run starts for the settings' kind and file.
enum class MusicSource { None, Cd, Wav, Mp3 };

/// Kind 1 is the CD; kind 2 is the file when its last three characters, upper-cased, are "WAV" or
/// "MP3"; anything else plays nothing.
MusicSource musicSourceFor(std::int16_t BGM_Kind, const std::string& BGM_File);

}  // namespace zorun::music
