// Our own MCI on GStreamer for real, played to a sink without a sound card that keeps real time: files of
// one second made here, and the cdaudio device on a disc image made here (three 2-second tones) with the
// music module's CD polling on it.
#include "eventually.h"
#include "host/music/background_music.h"
#include "host/music/mci_gst.h"
#include "host/music/mci_own.h"
#include "host/music/mci_text.h"
#include "temp_dir.h"
#include "tools/cd_image.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace zorun::music {
namespace {

using namespace std::chrono_literals;
using testfs::eventually;

// The fake sink counts as the output device.
const bool kSinkChosen = setenv("ZORUN_AUDIO_SINK", "fakesink", 1) == 0;

// One second of a tone, encoded by the given element into path.
void makeTone(const std::string& encoder, const std::string& path)
{
    gst_init(nullptr, nullptr);
    std::string description =
        "audiotestsrc num-buffers=100 samplesperbuffer=441 ! audio/x-raw,rate=44100,channels=1"
        " ! audioconvert ! " +
        encoder + " ! filesink location=\"" + path + "\"";
    GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
    ASSERT_NE(pipeline, nullptr);
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

class GstMci : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(kSinkChosen); }

    // The reply, or "error <code>".
    std::string ask(const std::string& command)
    {
        char reply[512] = "";
        std::uint32_t result = mci_.mciSendStringA(command.c_str(), reply, sizeof reply);
        return result == 0 ? std::string(reply) : "error " + std::to_string(result);
    }

    testfs::TempDir temp_;
    OwnMci mci_{createGstSoundSystem()};
};

class Files : public GstMci {
protected:
    void SetUp() override
    {
        GstMci::SetUp();
        dir_ = (temp_.path() / "My Music \xc3\xa4").string();  // a blank and non-ASCII bytes
        std::filesystem::create_directory(dir_);
        makeTone("lamemp3enc", mp3_ = dir_ + "/\xe6\x9b\xb2 one.mp3");
        makeTone("wavenc", wav_ = dir_ + "/tone one.WAV");
    }

    std::string dir_, mp3_, wav_;
};

TEST_F(Files, PlayToTheirEndAndStartAgainFromZero)
{
    for (const std::string& file : {mp3_, wav_}) {
        // The second file opens only if close freed the alias.
        ASSERT_EQ(ask("open \"" + file + "\" type MPEGVideo Alias MP3Play"), "") << file;
        EXPECT_EQ(ask("status mp3play mode"), "stopped");
        EXPECT_EQ(ask("play MP3Play"), "");
        EXPECT_EQ(ask("status mp3play mode"), "playing");
        EXPECT_TRUE(eventually([&] { return ask("status mp3play mode") == "stopped"; }));
        EXPECT_EQ(ask("play MP3Play from 0"), "");
        EXPECT_EQ(ask("status mp3play mode"), "playing");
        EXPECT_EQ(ask("stop MP3Play"), "");
        EXPECT_EQ(ask("status mp3play mode"), "stopped");
        EXPECT_EQ(ask("close MP3Play"), "");
    }
}

TEST_F(Files, ALoopingSoundGoesOnPastItsLengthUntilStopped)
{
    EXPECT_EQ(mci_.waveOutGetNumDevs(), 1u);
    ASSERT_NE(mci_.PlaySoundA(wav_.c_str(), kSndAsync | kSndLoop), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_TRUE(mci_.soundIsPlaying());
    EXPECT_NE(mci_.PlaySoundA(nullptr, 0), 0);
    EXPECT_FALSE(mci_.soundIsPlaying());
    ASSERT_NE(mci_.PlaySoundA(wav_.c_str(), kSndAsync), 0);  // without the loop flag it ends by itself
    EXPECT_TRUE(eventually([&] { return !mci_.soundIsPlaying(); }));
}

TEST_F(Files, ThatCannotBePlayedAndNoDriveFail)
{
    std::ofstream(dir_ + "/junk.mp3") << "not an MP3 file\n";
    EXPECT_EQ(ask("open \"" + dir_ + "/junk.mp3\" type MPEGVideo Alias a"), "error 277");
    EXPECT_EQ(ask("set cdaudio time format tmsf"), "error 266");
}

class CdImage : public GstMci {
protected:
    void SetUp() override
    {
        GstMci::SetUp();
        const std::string cue = (temp_.path() / "disc one.cue").string();
        ASSERT_TRUE(tools::writeCdImage(cue, {440, 660, 990}, 2.0));
        setenv("ZORUN_CD_DEVICE", cue.c_str(), 1);
    }
    void TearDown() override { unsetenv("ZORUN_CD_DEVICE"); }

    // Waits until the image has been read.
    bool discRead()
    {
        return eventually([&] { return ask("status cdaudio number of tracks") == "3"; });
    }
};

TEST_F(CdImage, TracksPositionsPlayingAndTheEnd)
{
    ASSERT_EQ(ask("open cdaudio"), "");
    ASSERT_EQ(ask("set cdaudio time format tmsf"), "");
    ASSERT_TRUE(discRead());
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(ask("status cdaudio current track"), "1");
    EXPECT_EQ(ask("status cdaudio position track 2"), "02:00:00:00");
    EXPECT_EQ(ask("play cdaudio from 02:00:00:00"), "");
    EXPECT_EQ(ask("status cdaudio mode"), "playing");
    EXPECT_EQ(ask("status cdaudio current track"), "2");
    EXPECT_TRUE(eventually([&] { return ask("status cdaudio current track") == "3"; }));
    // Sent back while it plays, as the repeat track's poll does: played on from there.
    EXPECT_EQ(ask("play cdaudio from 02:00:00:00"), "");
    EXPECT_TRUE(eventually([&] { return ask("status cdaudio position").starts_with("02:00:01"); }));
    EXPECT_EQ(ask("status cdaudio mode"), "playing");
    EXPECT_TRUE(eventually([&] { return ask("status cdaudio mode") == "stopped"; }));
    EXPECT_EQ(ask("status cdaudio current track"), "3");
    EXPECT_EQ(ask("stop cdaudio"), "");
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(ask("close cdaudio"), "");
    EXPECT_EQ(ask("open cdaudio"), "");  // close let the drive go
}

TEST_F(CdImage, MissingImageIsNotReady)
{
    setenv("ZORUN_CD_DEVICE", (temp_.path() / "none.cue").c_str(), 1);
    ASSERT_EQ(ask("open cdaudio"), "");
    std::this_thread::sleep_for(300ms);  // any reading is long over
    EXPECT_EQ(ask("status cdaudio mode"), "not ready");
    EXPECT_EQ(ask("status cdaudio current track"), "error 276");
    char text[256] = "";
    EXPECT_NE(mci_.mciGetErrorStringA(kMcierrDeviceNotReady, text, sizeof text), 0);
    EXPECT_STREQ(text, "The device driver is not ready.");
}

TEST_F(CdImage, PollingStartsTheWholeDiscAgainFromTheTopOnceItHasEnded)
{
    std::int16_t repeat = 0;
    std::string file;
    Zorun_BGM bgm(mci_, repeat, file);
    bgm.CD_Open();
    ASSERT_TRUE(discRead());
    ASSERT_EQ(ask("play cdaudio from 3:0:1"), "");
    bool ended = false;
    eventually(
        [&] {
            ended = ended || ask("status cdaudio mode") == "stopped";
            bgm.CD_Poll();
            return ended;
        },
        200ms);
    EXPECT_TRUE(ended);
    EXPECT_EQ(ask("status cdaudio mode"), "playing");
    EXPECT_EQ(ask("status cdaudio current track"), "1");
    bgm.CD_Close();
    EXPECT_EQ(ask("status cdaudio mode"), "error 276");  // closed: no device until it is opened again
}

}  // namespace
}  // namespace zorun::music
