// A CD drive on GStreamer's cdiocddasrc: the disc is read and played on a thread of the drive's own,
// so that a drive which spins up or answers slowly never holds up the host's thread.
#include "host/music/cd_disc_reader.h"
#include "host/music/cd_drive_gst.h"
#include "host/music/gst_audio_output.h"

#include <gst/gst.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>

namespace zorun::music {
namespace {

// Long enough for a drive to spin up and read its first sectors.
constexpr GstClockTime kSpinUpTimeout = 30 * GST_SECOND;
// How long closing the device waits for the pipeline to wind down before leaving it to its thread.
constexpr auto kCloseWait = std::chrono::milliseconds(100);

struct Request {
    bool play = false;
    std::int32_t from = 0;
    std::int32_t to = 0;
};

// What the drive and its thread share. The thread holds it too, so it may outlive the drive.
struct Shared {
    std::string device;
    std::mutex mutex;
    std::condition_variable wake;
    bool quit = false;
    bool finished = false;

    CdDrive::State state = CdDrive::State::Opening;
    CdToc toc;
    GstElement* pipeline = nullptr;
    std::int32_t streamStart = 0;  // the sector at stream time 0: the first audio track's start
    std::int32_t streamEnd = 0;    // the sector after the last audio track
    GstElement* source = nullptr;  // inside pipeline

    std::optional<Request> pending;
    bool applying = false;
    std::int32_t expected = 0;       // where the disc is while a request is on its way
    std::atomic<bool> ended{false};  // set from GStreamer's threads, which must never wait on the mutex
};

GstBusSyncReply onMessage(GstBus*, GstMessage* message, gpointer data)
{
    auto* shared = static_cast<Shared*>(data);
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS || GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        shared->ended = true;
    gst_message_unref(message);
    return GST_BUS_DROP;
}

bool waitForState(GstElement* pipeline)
{
    GstStateChangeReturn result = gst_element_get_state(pipeline, nullptr, nullptr, kSpinUpTimeout);
    return result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL;
}

// The whole disc as one stream, to the process's audio output; prerolled, so the disc is readable.
GstElement* openPipeline(Shared& shared)
{
    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* source = gst_element_factory_make("cdiocddasrc", nullptr);
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    GstElement* sink = makeAudioSink();
    if (pipeline == nullptr || source == nullptr || convert == nullptr || resample == nullptr || sink == nullptr) {
        for (GstElement* element : {pipeline, source, convert, resample, sink}) {
            if (element != nullptr)
                gst_object_unref(gst_object_ref_sink(element));
        }
        return nullptr;
    }
    shared.source = source;
    g_object_set(source, "device", shared.device.c_str(), nullptr);
    gst_util_set_object_arg(G_OBJECT(source), "mode", "continuous");
    gst_bin_add_many(GST_BIN(pipeline), source, convert, resample, sink, nullptr);
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, &onMessage, &shared, nullptr);
    gst_object_unref(bus);
    if (!gst_element_link_many(source, convert, resample, sink, nullptr) ||
        gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE || !waitForState(pipeline)) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
        return nullptr;
    }
    return pipeline;
}

GstClockTime streamTime(const Shared& shared, std::int32_t sector)
{
    return gst_util_uint64_scale_int(static_cast<guint64>(sector - shared.streamStart), GST_SECOND, kCdFramesPerSecond);
}

void apply(Shared& shared, const Request& request)
{
    GstElement* pipeline = shared.pipeline;
    gst_element_set_state(pipeline, GST_STATE_PAUSED);
    if (!request.play)
        return;
    waitForState(pipeline);
    // HACK: once cdiocddasrc has read past the disc's last sector it is on no track, and a seek then
    // aborts the process (an assertion in its base class); starting it afresh puts it on a track again.
    static const GstFormat trackFormat = gst_format_get_by_nick("track");
    gint64 track = -1;
    if (!gst_element_query_position(shared.source, trackFormat, &track) || track < 0) {
        gst_element_set_state(pipeline, GST_STATE_READY);
        gst_element_set_state(pipeline, GST_STATE_PAUSED);
        waitForState(pipeline);
    }
    // A stop before the end of the audio only where a data track follows; the disc's end ends by itself.
    bool stop = request.to < shared.streamEnd;
    gst_element_seek(pipeline, 1.0, GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                     GST_SEEK_TYPE_SET, static_cast<gint64>(streamTime(shared, request.from)),
                     stop ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE,
                     stop ? static_cast<gint64>(streamTime(shared, request.to)) : GST_CLOCK_TIME_NONE);
    waitForState(pipeline);
    shared.ended = false;
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
}

void run(std::shared_ptr<Shared> shared)
{
    CdDiscReading reading = readCdDisc(shared->device);
    GstElement* pipeline = nullptr;
    std::int32_t start = 0, end = 0;
    for (std::size_t i = 0; i < reading.toc.tracks.size(); ++i) {
        if (reading.toc.tracks[i].audio) {
            start = end == 0 ? reading.toc.tracks[i].start : start;
            end = reading.toc.endOf(i);
        }
    }
    if (reading.state == CdDrive::State::Ready && end == 0)
        reading.state = CdDrive::State::NoDisc;  // nothing but data: not an audio CD
    if (reading.state == CdDrive::State::Ready) {
        shared->streamStart = start;
        shared->streamEnd = end;
        pipeline = openPipeline(*shared);
        if (pipeline == nullptr)
            reading.state = CdDrive::State::NoDisc;
    }
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->state = reading.state;
    shared->toc = std::move(reading.toc);
    shared->pipeline = pipeline;
    while (pipeline != nullptr) {
        shared->wake.wait(lock, [&] { return shared->quit || shared->pending.has_value(); });
        if (shared->quit)
            break;
        Request request = *shared->pending;
        shared->pending.reset();
        shared->applying = true;
        lock.unlock();
        apply(*shared, request);
        lock.lock();
        shared->applying = false;
    }
    lock.unlock();
    if (pipeline != nullptr) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(pipeline);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(pipeline);
    }
    lock.lock();
    shared->pipeline = nullptr;
    shared->finished = true;
    shared->wake.notify_all();
}

class GstCdDrive final : public CdDrive {
public:
    explicit GstCdDrive(std::string device) : shared_(std::make_shared<Shared>())
    {
        shared_->device = std::move(device);
        std::thread(run, shared_).detach();
    }

    ~GstCdDrive() override
    {
        std::unique_lock<std::mutex> lock(shared_->mutex);
        shared_->quit = true;
        shared_->wake.notify_all();
        shared_->wake.wait_for(lock, kCloseWait, [&] { return shared_->finished; });
    }

    GstCdDrive(const GstCdDrive&) = delete;
    GstCdDrive& operator=(const GstCdDrive&) = delete;

    State state() override
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        return shared_->state;
    }

    const CdToc& toc() override { return shared_->toc; }  // written once, before the state is Ready

    void play(std::int32_t from, std::int32_t to) override { request({true, from, to}, from); }

    void hold() override { request({}, position()); }

    std::int32_t position() override
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        if (shared_->pending || shared_->applying || shared_->pipeline == nullptr)
            return shared_->expected;
        gint64 time = 0;
        if (gst_element_query_position(shared_->pipeline, GST_FORMAT_TIME, &time) && time >= 0) {
            shared_->expected = shared_->streamStart + static_cast<std::int32_t>(gst_util_uint64_scale_int(
                                                           static_cast<guint64>(time), kCdFramesPerSecond, GST_SECOND));
        }
        return shared_->expected;
    }

    bool playedToEnd() override
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        return !shared_->pending && !shared_->applying && shared_->ended;
    }

private:
    void request(const Request& request, std::int32_t expected)
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->pending = request;
        shared_->expected = expected;
        shared_->wake.notify_all();
    }

    std::shared_ptr<Shared> shared_;
};

}  // namespace

namespace {

std::string cdDeviceName()
{
    const char* named = std::getenv("ZORUN_CD_DEVICE");
    return named != nullptr && *named != '\0' ? named : defaultCdDevice();
}

}  // namespace

bool gstCdDriveAvailable()
{
    return !cdDeviceName().empty();
}

std::unique_ptr<CdDrive> createGstCdDrive()
{
    std::string device = cdDeviceName();
    if (device.empty())
        return nullptr;
    return std::make_unique<GstCdDrive>(std::move(device));
}

}  // namespace zorun::music
