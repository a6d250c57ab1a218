// The music procedures: MCI command strings for the CD and MP3 devices, PlaySound for WAV files.
#include "host/music/background_music.h"
#include "common/ascii.h"

#include <charconv>
#include <cstring>
#include <optional>

namespace zorun::music {
namespace {

// Kept as code page 932 bytes: they travel in MCI_Reply beside the platform's ANSI texts.
// "コマンド文字列が指定されていません"
constexpr const char* kNoCommandText =
    "\x83\x52\x83\x7d\x83\x93\x83\x68\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\x77\x92\xe8\x82\xb3\x82\xea"
    "\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";
// "Error (文字列が取れません)"
constexpr const char* kNoErrorText = "Error (\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1)";

template <std::size_t N>
std::string textOf(const std::array<char, N>& buffer)
{
    // A platform that fills the whole buffer without a NUL still yields at most the buffer.
    return std::string(buffer.data(), strnlen(buffer.data(), N));
}

bool containsErr(const std::string& reply)
{
    return ascii::toUpper(reply).find("ERR") != std::string::npos;
}

// A track number as the CD device writes it: blanks around an optionally signed decimal integer.
std::optional<int> trackNumber(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(' ');
    std::size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos)
        return std::nullopt;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+')
        ++first;
    int value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return value;
}

}  // namespace

Zorun_BGM::Zorun_BGM(MciPort& mci, const std::int16_t& BGM_RepeatTrack, const std::string& BGM_File)
    : mci_(mci), repeatTrack_(BGM_RepeatTrack), file_(BGM_File)
{}

std::int32_t Zorun_BGM::MCI_Send(const std::string& command, std::string& reply)
{
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    // Cleared first so that a command which writes no reply never hands on an earlier one.
    replyBuffer_.fill('\0');
    std::uint32_t result =
        mci_.mciSendStringA(command.c_str(), replyBuffer_.data(), static_cast<unsigned>(replyBuffer_.size()));
    if (result == 0) {
        reply = textOf(replyBuffer_);
        return 0;
    }
    errorTextBuffer_.fill('\0');
    if (mci_.mciGetErrorStringA(result, errorTextBuffer_.data(), static_cast<unsigned>(errorTextBuffer_.size())) != 0) {
        reply = textOf(errorTextBuffer_);
    } else {
        reply = kNoErrorText;
    }
    return static_cast<std::int32_t>(result);
}

std::string Zorun_BGM::MCI_Query(const std::string& command)
{
    std::int32_t result = MCI_Send(command, MCI_Reply);
    if (result != 0)
        return "Error:" + std::to_string(result);
    return MCI_Reply;
}

std::int32_t Zorun_BGM::MCI_Play(const std::string& device, const std::string& from, const std::string& to)
{
    std::string command = "play " + device;
    if (!from.empty())
        command += " from " + from;
    if (!to.empty())
        command += " to " + to;
    return MCI_Send(command, MCI_Reply);
}

std::uint32_t Zorun_BGM::sendBare(const char* command)
{
    return mci_.mciSendStringA(command, nullptr, 0);
}

void Zorun_BGM::CD_Open()
{
    sendBare("open cdaudio");
    sendBare("set cdaudio time format tmsf");
}

void Zorun_BGM::CD_Poll()
{
    CD_PollOk = kTrue;
    std::string track = MCI_Query("status cdaudio current track");
    if (containsErr(track)) {
        CD_PollOk = kFalse;
        return;
    }
    std::string count = MCI_Query("status cdaudio number of tracks");
    if (containsErr(count)) {
        CD_PollOk = kFalse;
        return;
    }
    // Cleared first: a mode query that fails must not be read as the previous poll's mode.
    cdModeBuffer_.fill('\0');
    mci_.mciSendStringA("status cdaudio mode", cdModeBuffer_.data(), static_cast<unsigned>(cdModeBuffer_.size()));
    std::string mode = textOf(cdModeBuffer_).substr(0, 7);

    std::int16_t repeat = repeatTrack_;
    if (repeat != 0) {
        std::optional<int> current = trackNumber(track);
        if (!current) {
            CD_PollOk = kFalse;
            return;
        }
        if (mode == "stopped" || *current != repeat) {
            std::string pos = MCI_Query("status cdaudio position track " + std::to_string(repeat));
            MCI_Play("cdaudio", pos, "");
        }
    } else if (mode == "stopped") {
        MCI_Play("cdaudio", "", "");
    }
}

void Zorun_BGM::CD_Close()
{
    sendBare("stop cdaudio");
    sendBare("close cdaudio");
}

void Zorun_BGM::MP3_Start()
{
    std::string command = "open \"" + file_ + "\" type MPEGVideo Alias MP3Play";
    if (sendBare(command.c_str()) == 0)
        sendBare("play MP3Play");
}

bool Zorun_BGM::MP3_IsPlaying()
{
    mp3ModeBuffer_.fill('\0');
    mci_.mciSendStringA("status MP3Play mode", mp3ModeBuffer_.data(), static_cast<unsigned>(mp3ModeBuffer_.size()));
    return textOf(mp3ModeBuffer_).substr(0, 7) == "playing";
}

void Zorun_BGM::MP3_Poll()
{
    if (MP3_IsPlaying())
        return;
    sendBare("stop MP3Play");
    sendBare("play MP3Play from 0");
}

void Zorun_BGM::MP3_Stop()
{
    sendBare("stop MP3Play");
    sendBare("close MP3Play");
}

void Zorun_BGM::WAV_Start()
{
    // winmm's count is unsigned; a value that would be negative as a signed number counts as none.
    if (static_cast<std::int32_t>(mci_.waveOutGetNumDevs()) <= 0)
        return;
    mci_.PlaySoundA(file_.c_str(), kSndAsync | kSndLoop);
}

void Zorun_BGM::WAV_Stop()
{
    mci_.PlaySoundA(nullptr, 0);
}

MusicSource musicSourceFor(std::int16_t BGM_Kind, const std::string& BGM_File)
{
    if (BGM_Kind == 1)
        return MusicSource::Cd;
    if (BGM_Kind != 2 || BGM_File.size() < 3)
        return MusicSource::None;
    const std::string type = ascii::toUpper(BGM_File.substr(BGM_File.size() - 3));
    if (type == "WAV")
        return MusicSource::Wav;
    if (type == "MP3")
        return MusicSource::Mp3;
    return MusicSource::None;
}

}  // namespace zorun::music
