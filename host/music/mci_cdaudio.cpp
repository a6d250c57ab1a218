// The cdaudio device's command rules on a CD drive: replies, positions, and where playing goes on.
#include "host/music/mci_cdaudio.h"

#include "host/music/mci_port.h"
#include "host/music/mci_text.h"

#include <charconv>

namespace zorun::music {
namespace {

bool wordsAre(const std::vector<std::string>& words, std::size_t from, std::initializer_list<const char*> expected)
{
    if (words.size() != from + expected.size())
        return false;
    for (const char* word : expected) {
        if (!sameMciWord(words[from++], word))
            return false;
    }
    return true;
}

// The first audio track at or after index, or tracks.size().
std::size_t audioFrom(const CdToc& toc, std::size_t index)
{
    while (index < toc.tracks.size() && !toc.tracks[index].audio)
        ++index;
    return index;
}

}  // namespace

CdAudioDevice::CdAudioDevice(std::unique_ptr<CdDrive> drive) : drive_(std::move(drive)) {}

std::uint32_t CdAudioDevice::command(const std::vector<std::string>& words, char* reply, unsigned replyLength)
{
    const std::string& verb = words[0];
    if (sameMciWord(verb, "set"))
        return setTimeFormat(words);
    if (sameMciWord(verb, "status"))
        return status(words, reply, replyLength);
    bool known = false;
    for (const char* name : {"play", "stop", "pause", "resume"})
        known = known || sameMciWord(verb, name);
    if (!known)
        return kMcierrUnrecognizedCommand;
    if (!sameMciWord(verb, "play") && words.size() != 2)
        return kMcierrUnrecognizedKeyword;
    if (drive_->state() != CdDrive::State::Ready)
        return kMcierrDeviceNotReady;
    follow();
    if (sameMciWord(verb, "play"))
        return play(words);
    if (sameMciWord(verb, "resume")) {
        if (mode_ == Mode::Paused && !playFrom(*held_))
            mode_ = Mode::Stopped;
        return 0;
    }
    if (mode_ == Mode::Playing) {
        held_ = drive_->position();
        drive_->hold();
    }
    if (mode_ != Mode::Stopped)
        mode_ = sameMciWord(verb, "pause") ? Mode::Paused : Mode::Stopped;
    return 0;
}

std::uint32_t CdAudioDevice::setTimeFormat(const std::vector<std::string>& words)
{
    if (words.size() != 5 || !sameMciWord(words[2], "time") || !sameMciWord(words[3], "format"))
        return kMcierrUnrecognizedKeyword;
    const std::string& name = words[4];
    if (sameMciWord(name, "tmsf")) {
        format_ = CdTimeFormat::Tmsf;
    } else if (sameMciWord(name, "msf")) {
        format_ = CdTimeFormat::Msf;
    } else if (sameMciWord(name, "milliseconds") || sameMciWord(name, "ms")) {
        format_ = CdTimeFormat::Milliseconds;
    } else {
        return kMcierrUnrecognizedKeyword;
    }
    return 0;
}

std::uint32_t CdAudioDevice::status(const std::vector<std::string>& words, char* reply, unsigned replyLength)
{
    if (words.size() < 3)
        return kMcierrMissingParameter;
    if (wordsAre(words, 2, {"mode"}))
        return copyMciReply(modeWord(), reply, replyLength);
    bool tracks = wordsAre(words, 2, {"number", "of", "tracks"});
    bool current = wordsAre(words, 2, {"current", "track"});
    bool here = wordsAre(words, 2, {"position"});
    bool trackStart = words.size() == 5 && sameMciWord(words[2], "position") && sameMciWord(words[3], "track");
    if (!tracks && !current && !here && !trackStart)
        return kMcierrUnrecognizedKeyword;
    if (drive_->state() != CdDrive::State::Ready)
        return kMcierrDeviceNotReady;
    follow();
    const CdToc& toc = drive_->toc();
    if (tracks)
        return copyMciReply(std::to_string(toc.tracks.size()), reply, replyLength);
    if (current)
        return copyMciReply(std::to_string(toc.tracks[toc.indexAt(position())].number), reply, replyLength);
    if (here)
        return copyMciReply(formatCdPosition(format_, toc, position()), reply, replyLength);
    const std::string& text = words[4];
    int number = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size())
        return kMcierrBadInteger;
    std::size_t index = toc.indexOf(number);
    if (index == toc.tracks.size())
        return kMcierrOutOfRange;
    return copyMciReply(formatCdPosition(format_, toc, toc.tracks[index].start), reply, replyLength);
}

std::uint32_t CdAudioDevice::play(const std::vector<std::string>& words)
{
    const CdToc& toc = drive_->toc();
    std::int32_t from = 0;
    if (words.size() == 4 && sameMciWord(words[2], "from")) {
        std::uint32_t error = parseCdPosition(format_, toc, words[3], from);
        if (error != 0)
            return error;
    } else if (words.size() == 3 && sameMciWord(words[2], "from")) {
        return kMcierrMissingParameter;
    } else if (words.size() != 2) {
        return kMcierrUnrecognizedKeyword;
    } else if (mode_ == Mode::Playing) {
        return 0;
    } else if (atEnd_ || !held_) {
        // A disc that has played to its end starts again from the top rather than from the lead-out,
        // where nothing is left to play.
        from = toc.tracks.front().start;
    } else {
        from = *held_;
    }
    if (!playFrom(from)) {
        // Only data from here on: nothing to play, the disc stays where it was asked to go.
        if (mode_ == Mode::Playing)
            drive_->hold();
        mode_ = Mode::Stopped;
        held_ = from;
    }
    return 0;
}

bool CdAudioDevice::playFrom(std::int32_t sector)
{
    const CdToc& toc = drive_->toc();
    std::size_t index = toc.indexAt(sector);
    if (!toc.tracks[index].audio) {
        index = audioFrom(toc, index);
        if (index == toc.tracks.size())
            return false;
        sector = toc.tracks[index].start;
    }
    std::size_t last = index;
    while (last + 1 < toc.tracks.size() && toc.tracks[last + 1].audio)
        ++last;
    runEnd_ = toc.endOf(last);
    drive_->play(sector, runEnd_);
    mode_ = Mode::Playing;
    atEnd_ = false;
    return true;
}

void CdAudioDevice::follow()
{
    if (mode_ != Mode::Playing || !drive_->playedToEnd())
        return;
    const CdToc& toc = drive_->toc();
    std::size_t next = audioFrom(toc, toc.indexAt(runEnd_));
    if (runEnd_ < toc.leadout && next < toc.tracks.size() && playFrom(toc.tracks[next].start))
        return;
    // Held on the last sector played, so that the current track is the last one heard.
    mode_ = Mode::Stopped;
    held_ = runEnd_ - 1;
    atEnd_ = true;
}

std::int32_t CdAudioDevice::position()
{
    if (mode_ == Mode::Playing)
        return drive_->position();
    return held_.value_or(drive_->toc().tracks.front().start);
}

std::string CdAudioDevice::modeWord()
{
    switch (drive_->state()) {
    case CdDrive::State::TrayOpen:
        return "open";
    case CdDrive::State::Opening:
    case CdDrive::State::NoDisc:
        return "not ready";
    case CdDrive::State::Ready:
        break;
    }
    follow();
    if (mode_ == Mode::Playing)
        return "playing";
    return mode_ == Mode::Paused ? "paused" : "stopped";
}

}  // namespace zorun::music
