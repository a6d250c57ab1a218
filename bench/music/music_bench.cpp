// CPU of the host process while our own MCI plays background music: an audio CD (a disc image of
// three tones) polled every 200 ms, against an MP3 file of the same length polled every 1000 ms, as the
// saver run drives them. The decoding and output run on GStreamer's threads; the polls on this one.
// Usage: music_bench [seconds per source, default 20]. The sound goes where the Linux MCI sends it
// (ZORUN_AUDIO_SINK, else the sound server or card, else a fakesink that keeps real time).
#include "host/music/background_music.h"
#include "tools/cd_image.h"
#include "host/music/mci_gst.h"
#include "host/music/mci_own.h"
#include "temp_dir.h"

#include <gst/gst.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double processCpu()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double threadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The same three tones as the disc, one after the other, as an MP3 file.
bool encodeMp3(const std::string& bin, const std::string& mp3)
{
    std::string description = "filesrc location=\"" + bin +
                              "\" ! rawaudioparse format=pcm pcm-format=s16le sample-rate=44100 num-channels=2"
                              " ! audioconvert ! lamemp3enc ! filesink location=\"" +
                              mp3 + "\"";
    GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
    if (pipeline == nullptr)
        return false;
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* done =
        gst_bus_timed_pop_filtered(bus, 60 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    bool ok = done != nullptr && GST_MESSAGE_TYPE(done) == GST_MESSAGE_EOS;
    if (done != nullptr)
        gst_message_unref(done);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ok;
}

// Runs poll every period for the given time and prints the process's and this thread's CPU.
void measure(const char* name, int runSeconds, std::chrono::milliseconds period, const std::function<void()>& poll)
{
    const double cpu0 = processCpu(), thread0 = threadCpu();
    double slowestPoll = 0.0;
    int polls = 0;
    const auto until = Clock::now() + std::chrono::seconds(runSeconds);
    for (auto next = Clock::now() + period; next < until; next += period) {
        std::this_thread::sleep_until(next);
        const auto before = Clock::now();
        poll();
        slowestPoll = std::max(slowestPoll, std::chrono::duration<double, std::milli>(Clock::now() - before).count());
        ++polls;
    }
    const double cpu = processCpu() - cpu0, thread = threadCpu() - thread0;
    std::printf(
        "%-4s %d s: process CPU %.3f s (%.2f%% of one core); host thread %.4f s over %d polls "
        "(%.3f ms a poll, slowest %.3f ms wall)\n",
        name, runSeconds, cpu, 100.0 * cpu / runSeconds, thread, polls, 1000.0 * thread / polls, slowestPoll);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runSeconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
    gst_init(nullptr, nullptr);
    testfs::TempDir dir;
    const std::string cue = (dir.path() / "disc.cue").string(), mp3 = (dir.path() / "disc.mp3").string();
    // Long enough that neither source ends during its run: only playing is measured, not restarts.
    if (!zorun::tools::writeCdImage(cue, {440, 660, 990}, runSeconds / 3.0 + 2.0) ||
        !encodeMp3((dir.path() / "disc.bin").string(), mp3)) {
        std::fprintf(stderr, "cannot make the disc image and the MP3 file\n");
        return 1;
    }
    setenv("ZORUN_CD_DEVICE", cue.c_str(), 1);
    zorun::music::OwnMci mci(zorun::music::createGstSoundSystem());
    std::int16_t repeat = 0;
    zorun::music::Zorun_BGM bgm(mci, repeat, mp3);

    bgm.CD_Open();
    measure("idle", runSeconds, std::chrono::milliseconds(200), [] {});
    bgm.CD_Poll();  // starts the disc, as the first poll of a saver run does
    if (bgm.CD_PollOk != zorun::music::Zorun_BGM::kTrue)
        std::fprintf(stderr, "the first CD poll failed: %s\n", bgm.MCI_Reply.c_str());
    measure("CD", runSeconds, std::chrono::milliseconds(200), [&] { bgm.CD_Poll(); });
    bgm.CD_Close();

    bgm.MP3_Start();
    measure("MP3", runSeconds, std::chrono::milliseconds(1000), [&] { bgm.MP3_Poll(); });
    bgm.MP3_Stop();
    return 0;
}
