// Our own cdaudio device on a disc image made here (three 2-second tones), played in real time to a
// sink without a sound card: the device's replies, and the music module's CD polling on it.
#include "host/music/background_music.h"
#include "tools/cd_image.h"
#include "host/music/mci_gst.h"
#include "host/music/mci_own.h"
#include "eventually.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace zorun::music {
namespace {

using namespace std::chrono_literals;

const bool kSinkChosen = setenv("ZORUN_AUDIO_SINK", "fakesink", 1) == 0;

using testfs::eventually;

class CdImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kSinkChosen);
        cue_ = (temp_.path() / "disc one.cue").string();
        ASSERT_TRUE(tools::writeCdImage(cue_, {440, 660, 990}, 2.0));
        setenv("ZORUN_CD_DEVICE", cue_.c_str(), 1);
    }
    void TearDown() override { unsetenv("ZORUN_CD_DEVICE"); }

    std::string ask(const std::string& command)
    {
        char reply[512] = "";
        std::uint32_t result = mci_.mciSendStringA(command.c_str(), reply, sizeof reply);
        return result == 0 ? std::string(reply) : "error " + std::to_string(result);
    }
    // Opens the device in tmsf and waits until the image has been read.
    void openDisc()
    {
        ASSERT_EQ(ask("open cdaudio"), "");
        ASSERT_EQ(ask("set cdaudio time format tmsf"), "");
        ASSERT_TRUE(eventually([&] { return ask("status cdaudio number of tracks") == "3"; }));
    }

    testfs::TempDir temp_;
    std::string cue_;
    OwnMci mci_{createGstSoundSystem()};
};

TEST_F(CdImage, TracksPositionsPlayingAndTheEnd)
{
    openDisc();
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
    ASSERT_TRUE(eventually([&] { return ask("status cdaudio number of tracks") == "3"; }));
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
