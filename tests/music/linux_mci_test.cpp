// Our own MCI on GStreamer for real: one-second files made here, played to a sink that keeps time.
#include "eventually.h"
#include "host/music/mci_gst.h"
#include "host/music/mci_own.h"
#include "host/music/mci_text.h"
#include "temp_dir.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>

namespace zorun::music {
namespace {

// No sound card here: what is played goes in real time, as 16-bit mono, to a nameless file (appended to,
// so that a seek writes over nothing), which counts as the output device.
const int kHeard = fileno(std::tmpfile());
const std::string kSink =
    "audioconvert ! audio/x-raw,format=S16LE,channels=1 ! fdsink sync=true fd=" + std::to_string(kHeard);
const bool kSinkChosen = fcntl(kHeard, F_SETFL, O_APPEND) == 0 && setenv("ZORUN_AUDIO_SINK", kSink.c_str(), 1) == 0;

// One second of a tone, encoded by the given element into path.
void makeTone(const std::string& encoder, const std::string& path)
{
    gst_init(nullptr, nullptr);
    std::string description =
        "audiotestsrc num-buffers=100 samplesperbuffer=441 ! audio/x-raw,rate=44100,channels=1"
        " ! audioconvert ! " +
        encoder + " ! filesink name=out";
    GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
    ASSERT_NE(pipeline, nullptr);
    GstElement* out = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    g_object_set(out, "location", path.c_str(), nullptr);
    gst_object_unref(out);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* done =
        gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    EXPECT_TRUE(done != nullptr && GST_MESSAGE_TYPE(done) == GST_MESSAGE_EOS);
    if (done != nullptr)
        gst_message_unref(done);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
}

using testfs::eventually;

class LinuxMci : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kSinkChosen);
        dir_ = (temp_.path() / "My Music \xc3\xa4").string();  // a blank and non-ASCII bytes
        std::filesystem::create_directory(dir_);
        makeTone("lamemp3enc", mp3_ = dir_ + "/\xe6\x9b\xb2 one.mp3");
        makeTone("wavenc", wav_ = dir_ + "/tone one.WAV");
    }
    std::uint32_t send(const std::string& command) { return mci_.mciSendStringA(command.c_str(), nullptr, 0); }
    std::string mode()
    {
        char reply[30] = "x";
        std::uint32_t result = mci_.mciSendStringA("status mp3play mode", reply, sizeof reply);
        return result == 0 ? reply : "error " + std::to_string(result);
    }

    testfs::TempDir temp_;
    std::string dir_, mp3_, wav_;
    OwnMci mci_{createGstSoundSystem()};
};

TEST_F(LinuxMci, FilesPlayToTheirEndAndStartAgainFromZero)
{
    for (const std::string& file : {mp3_, wav_}) {
        const std::string open = "open \"" + file + "\" type MPEGVideo Alias MP3Play";
        ASSERT_EQ(send(open), 0u) << file;  // the second file only opens if close freed the alias
        EXPECT_EQ(mode(), "stopped");
        EXPECT_EQ(send("play MP3Play"), 0u);
        EXPECT_EQ(mode(), "playing");
        EXPECT_TRUE(eventually([&] { return mode() == "stopped"; }));
        EXPECT_EQ(send("play MP3Play from 0"), 0u);
        EXPECT_EQ(mode(), "playing");
        EXPECT_EQ(send("stop MP3Play"), 0u);
        EXPECT_EQ(mode(), "stopped");
        EXPECT_EQ(send("close MP3Play"), 0u);
    }
}

TEST_F(LinuxMci, LoopingSoundGoesOnPastItsLengthUntilStopped)
{
    EXPECT_EQ(mci_.waveOutGetNumDevs(), 1u);
    auto heardSeconds = [] { return double(lseek(kHeard, 0, SEEK_END)) / 88200.0; };
    const double before = heardSeconds();
    ASSERT_NE(mci_.PlaySoundA(wav_.c_str(), kSndAsync | kSndLoop), 0);
    EXPECT_TRUE(eventually([&] { return heardSeconds() - before >= 1.5; }));  // past its one second
    EXPECT_TRUE(mci_.soundIsPlaying());
    EXPECT_NE(mci_.PlaySoundA(nullptr, 0), 0);
    EXPECT_FALSE(mci_.soundIsPlaying());
    ASSERT_NE(mci_.PlaySoundA(wav_.c_str(), kSndAsync), 0);  // without the loop flag it ends by itself
    EXPECT_TRUE(eventually([&] { return !mci_.soundIsPlaying(); }));
}

TEST_F(LinuxMci, CommandsThatFail)
{
    std::ofstream(dir_ + "/junk.mp3") << "not an MP3 file\n";
    EXPECT_EQ(send("open \"" + dir_ + "/junk.mp3\" type MPEGVideo Alias a"), kMcierrInternal);
    EXPECT_EQ(send("set cdaudio time format tmsf"), kMcierrCannotLoadDriver);
}

}  // namespace
}  // namespace zorun::music
