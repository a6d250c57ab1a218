// The sound of our own MCI on Linux: files in GStreamer's playbin, and the CD drive on cdiocddasrc.
#include "host/music/mci_gst.h"

#include "host/music/cd_drive_gst.h"
#include "host/music/gst_audio_output.h"
#include "host/music/mci_own.h"
#include "host/music/mci_port.h"

#include <gst/gst.h>

#include <atomic>
#include <optional>
#include <string>

namespace zorun::music {
namespace {

// Long enough for a file on a slow disk to be found and its first samples decoded.
constexpr GstClockTime kPrerollTimeout = 10 * GST_SECOND;

// One sound file in a playbin, prerolled when it opens so that a file that cannot be played fails
// there, as it does on Windows.
class GstPlayer final : public SoundPlayer {
public:
    /// 0 and the player, or an MCI error code.
    static std::uint32_t open(const std::string& path, bool loop, std::unique_ptr<SoundPlayer>& player)
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

    ~GstPlayer() override
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

    std::optional<std::int64_t> lengthMs() override
    {
        gint64 duration = 0;
        if (!gst_element_query_duration(playbin_, GST_FORMAT_TIME, &duration))
            return std::nullopt;
        return duration / static_cast<gint64>(GST_MSECOND);
    }

    bool seek(std::int64_t ms) override
    {
        if (!pauseAndWait())
            return false;
        ended_ = false;
        return gst_element_seek_simple(playbin_, GST_FORMAT_TIME,
                                       static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                       ms * static_cast<gint64>(GST_MSECOND)) != FALSE;
    }

    bool start() override { return gst_element_set_state(playbin_, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE; }

    bool hold() override { return gst_element_set_state(playbin_, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE; }

    bool ended() override { return ended_; }

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
    std::atomic<bool> ended_{false};
};

class GstSoundSystem final : public SoundSystem {
public:
    bool ready() override { return ready_; }
    std::uint32_t openFile(const std::string& path, bool loop, std::unique_ptr<SoundPlayer>& player) override
    {
        return GstPlayer::open(path, loop, player);
    }
    bool outputIsDevice() override { return audioOutputIsDevice(); }
    bool cdDriveAvailable() override { return gstCdDriveAvailable(); }
    std::unique_ptr<CdDrive> openCdDrive() override { return createGstCdDrive(); }

private:
    bool ready_ = gst_init_check(nullptr, nullptr, nullptr) != FALSE;
};

}  // namespace

std::unique_ptr<SoundSystem> createGstSoundSystem()
{
    return std::make_unique<GstSoundSystem>();
}

std::unique_ptr<MciPort> createGstMci()
{
    return std::make_unique<OwnMci>(createGstSoundSystem());
}

}  // namespace zorun::music
