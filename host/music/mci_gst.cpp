// Our own MCI on Linux: the MPEGVideo device and PlaySound on GStreamer, answering as winmm does.
#include "host/music/mci_gst.h"

#include "common/ascii.h"
#include "host/music/gst_audio_output.h"
#include "host/music/mci_cdaudio.h"
#include "host/music/mci_text.h"

#include <gst/gst.h>

#include <atomic>
#include <charconv>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zorun::music {
namespace {

// Long enough for a file on a slow disk to be found and its first samples decoded.
constexpr GstClockTime kPrerollTimeout = 10 * GST_SECOND;

}  // namespace

// One sound file in a playbin, prerolled when it opens so that a file that cannot be played fails
// there, as it does on Windows.
class GstPlayer {
public:
    enum class Mode { Stopped, Playing, Paused };

    /// 0 and the player, or an MCI error code.
    static std::uint32_t open(const std::string& path, bool loop, std::unique_ptr<GstPlayer>& player)
    {
        if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS))
            return kMcierrFileNotFound;
        auto opened = std::unique_ptr<GstPlayer>(new GstPlayer(loop));
        if (opened->playbin_ == nullptr)
            return kMcierrCannotLoadDriver;
        gchar* absolute = g_canonicalize_filename(path.c_str(), nullptr);
        gchar* uri = g_filename_to_uri(absolute, nullptr, nullptr);
        g_free(absolute);
        if (uri == nullptr)
            return kMcierrFileNotFound;
        opened->uri_ = uri;
        g_free(uri);
        if (!opened->preroll())
            return kMcierrInternal;
        player = std::move(opened);
        return 0;
    }

    ~GstPlayer()
    {
        if (playbin_ == nullptr)
            return;
        gst_element_set_state(playbin_, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(playbin_);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(playbin_);
    }

    GstPlayer(const GstPlayer&) = delete;
    GstPlayer& operator=(const GstPlayer&) = delete;

    /// Plays on from where it is, or from the given milliseconds.
    std::uint32_t play(std::optional<std::int64_t> fromMs)
    {
        if (fromMs) {
            gint64 duration = 0;
            if (gst_element_query_duration(playbin_, GST_FORMAT_TIME, &duration) && *fromMs * GST_MSECOND > duration) {
                return kMcierrOutOfRange;
            }
            if (!pauseAndWait())
                return kMcierrDeviceNotReady;
            ended_ = false;
            if (!gst_element_seek_simple(playbin_, GST_FORMAT_TIME,
                                         static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                         *fromMs * static_cast<gint64>(GST_MSECOND))) {
                return kMcierrDeviceNotReady;
            }
        } else if (ended_) {
            // At the end there is nothing left to play; the device stays stopped, as winmm's does.
            mode_ = Mode::Stopped;
            return 0;
        }
        if (gst_element_set_state(playbin_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
            return kMcierrDeviceNotReady;
        }
        mode_ = Mode::Playing;
        return 0;
    }

    /// Holds the sound where it is; the mode becomes "stopped" or "paused".
    std::uint32_t hold(Mode mode)
    {
        if (gst_element_set_state(playbin_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
            return kMcierrDeviceNotReady;
        }
        mode_ = mode;
        return 0;
    }

    Mode mode()
    {
        if (mode_ == Mode::Playing && ended_)
            mode_ = Mode::Stopped;
        return mode_;
    }

    bool ended() const { return ended_; }

private:
    explicit GstPlayer(bool loop) : loop_(loop), playbin_(gst_element_factory_make("playbin", nullptr))
    {
        if (playbin_ == nullptr)
            return;
        gst_object_ref_sink(playbin_);
        GstElement* sink = makeAudioSink();
        if (sink != nullptr)
            g_object_set(playbin_, "audio-sink", sink, nullptr);
        // Sound only: a picture in the file must not open a window.
        gst_util_set_object_arg(G_OBJECT(playbin_), "flags", "audio+soft-volume");
        GstBus* bus = gst_element_get_bus(playbin_);
        gst_bus_set_sync_handler(bus, &GstPlayer::onMessage, this, nullptr);
        gst_object_unref(bus);
    }

    bool preroll()
    {
        g_object_set(playbin_, "uri", uri_.c_str(), nullptr);
        return pauseAndWait() && !ended_;
    }

    bool pauseAndWait()
    {
        if (gst_element_set_state(playbin_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE)
            return false;
        GstStateChangeReturn result = gst_element_get_state(playbin_, nullptr, nullptr, kPrerollTimeout);
        return result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL;
    }

    // Runs on GStreamer's threads. Nobody reads the bus, so every message is noted here and dropped.
    static GstBusSyncReply onMessage(GstBus*, GstMessage* message, gpointer data)
    {
        auto* self = static_cast<GstPlayer*>(data);
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            self->ended_ = true;
        } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
            if (self->loop_) {
                // A streaming thread must not seek; GStreamer runs this on one of its own.
                gst_element_call_async(self->playbin_, &GstPlayer::rewind, nullptr, nullptr);
            } else {
                self->ended_ = true;
            }
        }
        gst_message_unref(message);
        return GST_BUS_DROP;
    }

    // Starts a looping sound again from its beginning. It touches only the element (which the call
    // holds a reference on), so it is harmless when the player has gone meanwhile.
    static void rewind(GstElement* playbin, gpointer)
    {
        gst_element_seek_simple(playbin, GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 0);
    }

    bool loop_;
    GstElement* playbin_;
    std::string uri_;
    Mode mode_ = Mode::Stopped;
    std::atomic<bool> ended_{false};
};

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

const char* modeWord(GstPlayer::Mode mode)
{
    switch (mode) {
    case GstPlayer::Mode::Playing:
        return "playing";
    case GstPlayer::Mode::Paused:
        return "paused";
    case GstPlayer::Mode::Stopped:
        break;
    }
    return "stopped";
}

}  // namespace

GstMci::GstMci() : ready_(gst_init_check(nullptr, nullptr, nullptr) != FALSE) {}

GstMci::~GstMci() = default;

std::uint32_t GstMci::mciSendStringA(const char* command, char* reply, unsigned replyLength)
{
    if (reply != nullptr && replyLength > 0)
        reply[0] = '\0';
    std::vector<std::string> words;
    std::uint32_t error = splitMciCommand(command == nullptr ? "" : command, words);
    if (error != 0)
        return error;
    if (words.empty())
        return kMcierrMissingCommandString;
    const std::string& verb = words[0];
    if (words.size() >= 2 && sameMciWord(words[1], "cdaudio") && !sameMciWord(verb, "open"))
        return cdCommand(words, reply, replyLength);
    bool known = false;
    for (const char* name : {"open", "play", "stop", "pause", "resume", "close", "status"}) {
        known = known || sameMciWord(verb, name);
    }
    if (!known)
        return kMcierrUnrecognizedCommand;
    if (words.size() < 2)
        return kMcierrMissingDeviceName;
    if (sameMciWord(verb, "open"))
        return open(words);

    auto device = devices_.find(ascii::toLower(words[1]));
    if (device == devices_.end())
        return kMcierrInvalidDeviceName;
    GstPlayer& player = *device->second;
    if (sameMciWord(verb, "status")) {
        if (words.size() < 3)
            return kMcierrMissingParameter;
        if (words.size() > 3 || !sameMciWord(words[2], "mode"))
            return kMcierrUnrecognizedKeyword;
        return copyMciReply(modeWord(player.mode()), reply, replyLength);
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
        return player.play(from);
    }
    if (words.size() != 2)
        return kMcierrUnrecognizedKeyword;
    if (sameMciWord(verb, "close")) {
        devices_.erase(device);
        return 0;
    }
    if (sameMciWord(verb, "stop"))
        return player.hold(GstPlayer::Mode::Stopped);
    if (sameMciWord(verb, "pause"))
        return player.hold(GstPlayer::Mode::Paused);
    return player.mode() == GstPlayer::Mode::Paused ? player.play(std::nullopt) : 0;  // resume
}

int GstMci::mciGetErrorStringA(std::uint32_t code, char* text, unsigned textLength)
{
    return copyMciErrorText(code, text, textLength);
}

unsigned GstMci::waveOutGetNumDevs()
{
    return ready_ && audioOutputIsDevice() ? 1 : 0;
}

int GstMci::PlaySoundA(const char* sound, std::uint32_t flags)
{
    sound_.reset();
    if (sound == nullptr)
        return 1;
    // Only files: no system sounds by name, no resources, and no default sound to fall back on.
    if (!ready_ || ((flags & kSndLoop) != 0 && (flags & kSndAsync) == 0))
        return 0;
    std::unique_ptr<GstPlayer> player;
    if (GstPlayer::open(sound, (flags & kSndLoop) != 0, player) != 0)
        return 0;
    if (player->play(std::nullopt) != 0)
        return 0;
    if ((flags & kSndAsync) == 0) {
        while (!player->ended())
            g_usleep(10 * 1000);
        return 1;
    }
    sound_ = std::move(player);
    return 1;
}

bool GstMci::soundIsPlaying()
{
    return sound_ != nullptr && sound_->mode() == GstPlayer::Mode::Playing;
}

std::uint32_t GstMci::open(const std::vector<std::string>& words)
{
    const std::string& element = words[1];
    std::string type;
    std::string alias = element;
    for (std::size_t i = 2; i < words.size(); ++i) {
        bool hasValue = i + 1 < words.size();
        if (sameMciWord(words[i], "type") && hasValue) {
            type = words[++i];
        } else if (sameMciWord(words[i], "alias") && hasValue) {
            alias = words[++i];
        } else if (sameMciWord(words[i], "type") || sameMciWord(words[i], "alias")) {
            return kMcierrMissingParameter;
        } else if (!sameMciWord(words[i], "shareable")) {
            return kMcierrUnrecognizedKeyword;
        }
    }
    if (sameMciWord(element, "cdaudio") || sameMciWord(type, "cdaudio"))
        return openCd(alias);
    // A file opened without a type goes to the same player whatever its extension.
    if (!type.empty() && !sameMciWord(type, "MPEGVideo"))
        return kMcierrInvalidDeviceName;
    if (!ready_)
        return kMcierrCannotLoadDriver;
    std::string key = ascii::toLower(alias);
    if (devices_.count(key) != 0)
        return kMcierrDuplicateAlias;
    std::unique_ptr<GstPlayer> player;
    std::uint32_t result = GstPlayer::open(element, false, player);
    if (result != 0)
        return result;
    devices_.emplace(key, std::move(player));
    return 0;
}

std::uint32_t GstMci::openCd(const std::string& alias)
{
    // One CD device, under its own name: the music module opens it no other way.
    if (!sameMciWord(alias, "cdaudio"))
        return kMcierrUnrecognizedKeyword;
    if (cd_ != nullptr)
        return kMcierrDuplicateAlias;
    std::unique_ptr<CdDrive> drive = ready_ ? createCdDrive() : nullptr;
    if (drive == nullptr)
        return kMcierrCannotLoadDriver;
    cd_ = std::make_unique<CdAudioDevice>(std::move(drive));
    return 0;
}

std::uint32_t GstMci::cdCommand(const std::vector<std::string>& words, char* reply, unsigned replyLength)
{
    if (cd_ == nullptr) {
        // winmm would open the device for this one command; ours needs time to read the disc first.
        return ready_ && cdDriveAvailable() ? kMcierrDeviceNotReady : kMcierrCannotLoadDriver;
    }
    if (sameMciWord(words[0], "close")) {
        if (words.size() != 2)
            return kMcierrUnrecognizedKeyword;
        cd_.reset();
        return 0;
    }
    return cd_->command(words, reply, replyLength);
}

std::unique_ptr<MciPort> createPlatformMci()
{
    return std::make_unique<GstMci>();
}

}  // namespace zorun::music
