// The MPEGVideo device's command rules on a sound player: its modes, replies and errors.
#include "host/music/mci_mpegvideo.h"

#include "host/music/mci_port.h"
#include "host/music/mci_text.h"

#include <charconv>

namespace zorun::music {
namespace {

// A position as MCI takes it: an unsigned 32-bit number, so that it never overflows in nanoseconds.
std::optional<std::int64_t> milliseconds(const std::string& text)
{
    std::uint32_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

MpegVideoDevice::MpegVideoDevice(std::unique_ptr<SoundPlayer> player) : player_(std::move(player)) {}

std::uint32_t MpegVideoDevice::command(const std::vector<std::string>& words, char* reply, unsigned replyLength)
{
    const std::string& verb = words[0];
    if (sameMciWord(verb, "status")) {
        if (words.size() < 3)
            return kMcierrMissingParameter;
        if (words.size() > 3 || !sameMciWord(words[2], "mode"))
            return kMcierrUnrecognizedKeyword;
        Mode now = mode();
        return copyMciReply(now == Mode::Playing  ? "playing"
                            : now == Mode::Paused ? "paused"
                                                  : "stopped",
                            reply, replyLength);
    }
    if (sameMciWord(verb, "play")) {
        std::optional<std::int64_t> from;
        if (words.size() == 3 && sameMciWord(words[2], "from"))
            return kMcierrMissingParameter;
        if (words.size() == 4 && sameMciWord(words[2], "from")) {
            from = milliseconds(words[3]);
            if (!from)
                return kMcierrBadInteger;
        } else if (words.size() != 2) {
            return kMcierrUnrecognizedKeyword;
        }
        return play(from);
    }
    if (words.size() != 2)
        return kMcierrUnrecognizedKeyword;
    if (sameMciWord(verb, "stop"))
        return hold(Mode::Stopped);
    if (sameMciWord(verb, "pause"))
        return hold(Mode::Paused);
    return mode() == Mode::Paused ? play(std::nullopt) : 0;  // resume
}

std::uint32_t MpegVideoDevice::play(std::optional<std::int64_t> fromMs)
{
    if (fromMs) {
        std::optional<std::int64_t> length = player_->lengthMs();
        if (length && *fromMs > *length)
            return kMcierrOutOfRange;
        if (!player_->seek(*fromMs))
            return kMcierrDeviceNotReady;
    } else if (player_->ended()) {
        // At the end there is nothing left to play; the device stays stopped, as winmm's does.
        mode_ = Mode::Stopped;
        return 0;
    }
    if (!player_->start())
        return kMcierrDeviceNotReady;
    mode_ = Mode::Playing;
    return 0;
}

bool MpegVideoDevice::playing()
{
    return mode() == Mode::Playing;
}

std::uint32_t MpegVideoDevice::hold(Mode mode)
{
    if (!player_->hold())
        return kMcierrDeviceNotReady;
    mode_ = mode;
    return 0;
}

MpegVideoDevice::Mode MpegVideoDevice::mode()
{
    if (mode_ == Mode::Playing && player_->ended())
        mode_ = Mode::Stopped;
    return mode_;
}

}  // namespace zorun::music
