// Our own MCI on GStreamer for real: one-second files made here, played to a sink that keeps time.
#include "background_music.h"
#include "mci_gst.h"
#include "mci_text.h"
#include "temp_dir.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace zorun::music {
namespace {

// No sound card here: the fake sink keeps real time and counts as the output device.
const bool kSinkChosen = [] { return setenv("ZORUN_AUDIO_SINK", "fakesink", 1) == 0; }();

// One second of a tone, encoded by the given element into path.
void makeTone(const std::string& encoder, const std::string& path) {
    gst_init(nullptr, nullptr);
    std::string description = "audiotestsrc num-buffers=100 samplesperbuffer=441 ! "
                              "audio/x-raw,rate=44100,channels=1 ! audioconvert ! " +
                              encoder + " ! filesink name=out";
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    ASSERT_NE(pipeline, nullptr) << (error ? error->message : "");
    GstElement* out = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    g_object_set(out, "location", path.c_str(), nullptr);
    gst_object_unref(out);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* done = gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND,
                                                  static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(GST_MESSAGE_TYPE(done), GST_MESSAGE_EOS);
    gst_message_unref(done);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
}

std::string status(GstMci& mci, const std::string& alias) {
    char reply[30] = "x";
    std::uint32_t result = mci.mciSendStringA(("status " + alias + " mode").c_str(), reply, sizeof reply);
    return result == 0 ? reply : "error " + std::to_string(result);
}

// Asks until the device reports the mode; a generous bound, not a measure of speed.
bool reaches(GstMci& mci, const std::string& alias, const std::string& mode) {
    for (int i = 0; i < 200; ++i) {
        if (status(mci, alias) == mode) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

class LinuxMci : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kSinkChosen);
        // A blank and non-ASCII bytes in the folder and file names.
        dir_ = (temp_.path() / "My Music \xc3\xa4").string();
        std::filesystem::create_directory(dir_);
        mp3_ = dir_ + "/\xe6\x9b\xb2 one.mp3";
        wav_ = dir_ + "/tone one.WAV";
        makeTone("lamemp3enc", mp3_);
        makeTone("wavenc", wav_);
    }

    testfs::TempDir temp_;
    std::string dir_, mp3_, wav_;
};

TEST_F(LinuxMci, FilesPlayToTheirEndAndStartAgainFromZero) {
    for (const std::string& file : {mp3_, wav_}) {
        SCOPED_TRACE(file);
        GstMci mci;
        std::string open = "open \"" + file + "\" type MPEGVideo Alias MP3Play";
        ASSERT_EQ(mci.mciSendStringA(open.c_str(), nullptr, 0), 0u);
        EXPECT_EQ(status(mci, "MP3Play"), "stopped");
        EXPECT_EQ(mci.mciSendStringA(open.c_str(), nullptr, 0), kMcierrDuplicateAlias);

        ASSERT_EQ(mci.mciSendStringA("play MP3Play", nullptr, 0), 0u);
        EXPECT_EQ(status(mci, "mp3play"), "playing");
        EXPECT_TRUE(reaches(mci, "MP3Play", "stopped"));
        // At the end a plain play has nothing left; from 0 starts it again.
        EXPECT_EQ(mci.mciSendStringA("play MP3Play", nullptr, 0), 0u);
        EXPECT_EQ(status(mci, "MP3Play"), "stopped");
        EXPECT_EQ(mci.mciSendStringA("play MP3Play from 0", nullptr, 0), 0u);
        EXPECT_EQ(status(mci, "MP3Play"), "playing");

        EXPECT_EQ(mci.mciSendStringA("pause MP3Play", nullptr, 0), 0u);
        EXPECT_EQ(status(mci, "MP3Play"), "paused");
        EXPECT_EQ(mci.mciSendStringA("stop MP3Play", nullptr, 0), 0u);
        EXPECT_EQ(status(mci, "MP3Play"), "stopped");
        EXPECT_EQ(mci.mciSendStringA("play MP3Play from 60000", nullptr, 0), kMcierrOutOfRange);
        EXPECT_EQ(mci.mciSendStringA("play MP3Play from x", nullptr, 0), kMcierrBadInteger);
        EXPECT_EQ(mci.mciSendStringA("close MP3Play", nullptr, 0), 0u);
        EXPECT_EQ(status(mci, "MP3Play"), "error " + std::to_string(kMcierrInvalidDeviceName));
    }
}

TEST_F(LinuxMci, LoopingSoundGoesOnPastItsLengthUntilStopped) {
    GstMci mci;
    EXPECT_EQ(mci.waveOutGetNumDevs(), 1u);
    ASSERT_NE(mci.PlaySoundA(wav_.c_str(), kSndAsync | kSndLoop), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_TRUE(mci.soundIsPlaying());
    EXPECT_NE(mci.PlaySoundA(nullptr, 0), 0);
    EXPECT_FALSE(mci.soundIsPlaying());

    // Without the loop flag the sound ends by itself.
    ASSERT_NE(mci.PlaySoundA(wav_.c_str(), kSndAsync), 0);
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = !mci.soundIsPlaying();
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(mci.PlaySoundA((dir_ + "/none.wav").c_str(), kSndAsync | kSndLoop), 0);
}

TEST_F(LinuxMci, FilesThatCannotBePlayedFailToOpen) {
    std::string junk = dir_ + "/not music.mp3";
    std::ofstream(junk) << "this is not an MP3 file\n";
    struct Case {
        std::string command;
        std::uint32_t result;
    };
    for (const Case& c : std::vector<Case>{
             {"open \"" + dir_ + "/missing.mp3\" type MPEGVideo Alias MP3Play", kMcierrFileNotFound},
             {"open \"" + junk + "\" type MPEGVideo Alias MP3Play", kMcierrInternal},
             {"open \"" + mp3_ + "\" type waveaudio Alias MP3Play", kMcierrInvalidDeviceName},
             {"open \"" + mp3_ + " type MPEGVideo Alias MP3Play", kMcierrNoClosingQuote},
             {"open cdaudio", kMcierrCannotLoadDriver},
             {"set cdaudio time format tmsf", kMcierrCannotLoadDriver},
             {"status cdaudio current track", kMcierrCannotLoadDriver},
             {"status NoSuchAlias mode", kMcierrInvalidDeviceName},
             {"jump MP3Play", kMcierrUnrecognizedCommand},
             {"play", kMcierrMissingDeviceName},
             {"", kMcierrMissingCommandString}}) {
        GstMci mci;
        EXPECT_EQ(mci.mciSendStringA(c.command.c_str(), nullptr, 0), c.result) << c.command;
    }
}

TEST_F(LinuxMci, MusicModuleLoopsTheMp3AndGoesOnAfterFailures) {
    GstMci mci;
    std::int16_t repeat = 0;
    std::string file = mp3_;
    Zorun_BGM bgm(mci, repeat, file);
    bgm.MP3_Start();
    EXPECT_TRUE(bgm.MP3_IsPlaying());
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = !bgm.MP3_IsPlaying();
    }
    ASSERT_TRUE(ended);
    bgm.MP3_Poll();
    EXPECT_TRUE(bgm.MP3_IsPlaying());
    bgm.MP3_Stop();
    EXPECT_EQ(bgm.MCI_Query("status MP3Play mode"), "Error:263");

    file = dir_ + "/missing.mp3";
    bgm.MP3_Start();
    bgm.MP3_Poll();
    bgm.MP3_Poll();
    EXPECT_FALSE(bgm.MP3_IsPlaying());
    bgm.MP3_Stop();

    // No CD drive: the first poll fails and stops the polling.
    bgm.CD_Open();
    bgm.CD_Poll();
    EXPECT_EQ(bgm.CD_PollOk, Zorun_BGM::kFalse);
    EXPECT_EQ(bgm.MCI_Reply, mciErrorText(kMcierrCannotLoadDriver));

    file = wav_;
    bgm.WAV_Start();
    EXPECT_TRUE(mci.soundIsPlaying());
    bgm.WAV_Stop();
    EXPECT_FALSE(mci.soundIsPlaying());
}

}  // namespace
}  // namespace zorun::music
