// The music procedures against a recording MCI: the commands they send and how they read the replies.
#include "host/music/background_music.h"
#include "fake_mci.h"

#include <gtest/gtest.h>

namespace zorun::music {
namespace {

using Calls = std::vector<std::string>;
using Answer = testing::FakeMci::Answer;

struct Music {
    testing::FakeMci mci;
    std::int16_t repeatTrack = 0;
    std::string file;
    Zorun_BGM bgm{mci, repeatTrack, file};
};

TEST(MciSend, EmptyCommandAndFailureTexts)
{
    Music m;
    // "コマンド文字列が指定されていません" and "Error (文字列が取れません)" in code page 932.
    EXPECT_EQ(m.bgm.MCI_Query(""), "Error:-1");
    EXPECT_EQ(m.bgm.MCI_Reply,
              "\x83\x52\x83\x7d\x83\x93\x83\x68\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\x77\x92\xe8"
              "\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1");
    EXPECT_TRUE(m.mci.calls.empty());

    m.mci.script = {{"status a mode", {0, "playing"}}, {"x", {277, ""}}, {"play y from 1 to 5", {9999, ""}}};
    EXPECT_EQ(m.bgm.MCI_Query("status a mode"), "playing");
    EXPECT_EQ(m.bgm.MCI_Query("play a"), "");  // writes no reply: must not hand on "playing"
    EXPECT_EQ(m.bgm.MCI_Query("x"), "Error:277");
    EXPECT_EQ(m.bgm.MCI_Reply, mciErrorText(277));
    EXPECT_EQ(m.bgm.MCI_Play("y", "1", "5"), 9999);
    EXPECT_EQ(m.bgm.MCI_Reply, "Error (\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1)");
    EXPECT_EQ(m.mci.calls, (Calls{"status a mode [512]", "play a [512]", "x [512]", "play y from 1 to 5 [512]"}));
}

TEST(CdPoll, EveryPath)
{
    const Answer notReady{276, ""}, one{0, "1"}, ten{0, "10"}, playing{0, "playing"}, stopped{0, "stopped"};
    const Calls fromTrack3{"status cdaudio position track 3 [512]", "play cdaudio from 03:00:00:00 [512]"};
    const Calls fromTrack12{"status cdaudio position track 12 [512]", "play cdaudio from Error:282 [512]"};
    struct Case {
        const char* name;
        std::int16_t repeat;
        Answer track, count, mode;
        Calls after;  // what is sent after the three queries
        std::int16_t ok;
    } cases[] = {
        {"no disc", 0, notReady, ten, stopped, {}, 0},
        {"track count fails", 0, one, notReady, stopped, {}, 0},
        {"whole disc stopped", 0, one, ten, stopped, {"play cdaudio [512]"}, -1},
        {"whole disc paused", 0, one, ten, {0, "paused"}, {}, -1},
        {"mode is its first 7 characters", 0, one, ten, {0, "stoppedX"}, {"play cdaudio [512]"}, -1},
        {"on the repeat track", 3, {0, "3"}, ten, playing, {}, -1},
        {"paused on the repeat track", 3, {0, "3"}, ten, {0, "paused"}, {}, -1},
        {"moved on", 3, {0, "4"}, ten, playing, fromTrack3, -1},
        {"stopped on it", 3, {0, " 3 "}, ten, stopped, fromTrack3, -1},
        {"beyond the last track", 12, one, ten, playing, fromTrack12, -1},
        {"track not a number", 3, {0, "x3"}, ten, stopped, {}, 0},
        {"track not a number, no repeat", 0, {0, "x"}, ten, playing, {}, -1},
    };
    for (const Case& c : cases) {
        Music m;
        m.repeatTrack = c.repeat;
        m.mci.script = {{"status cdaudio current track", c.track},
                        {"status cdaudio number of tracks", c.count},
                        {"status cdaudio mode", c.mode},
                        {"status cdaudio position track 3", {0, "03:00:00:00"}},
                        {"status cdaudio position track 12", {282, ""}},
                        {"play cdaudio from Error:282", {282, ""}}};
        m.bgm.CD_Poll();
        EXPECT_EQ(m.bgm.CD_PollOk, c.ok) << c.name;
        Calls expected{"status cdaudio current track [512]", "status cdaudio number of tracks [512]",
                       "status cdaudio mode [255]"};
        expected.resize(c.track.result ? 1 : c.count.result ? 2 : 3);
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(m.mci.calls, expected) << c.name;
    }
}

TEST(CdPoll, FailedModeQueryIsNotReadAsTheLastOne)
{
    Music m;
    m.mci.script = {{"status cdaudio mode", {0, "stopped"}}};
    m.bgm.CD_Poll();
    m.mci.script = {{"status cdaudio mode", {276, ""}}};
    m.bgm.CD_Poll();
    EXPECT_EQ(m.mci.calls.back(), "status cdaudio mode [255]");
}

TEST(Mp3, QuotedOpenPlayAndRestartWhenNotPlaying)
{
    Music m;
    m.file = "C:\\My Music\\\x8b\xc8.mp3";
    m.mci.script = {{"status MP3Play mode", {0, "playing"}}};
    m.bgm.MP3_Start();
    m.bgm.MP3_Poll();
    m.mci.script = {{"status MP3Play mode", {0, "stopped"}}};
    m.bgm.MP3_Poll();
    m.bgm.MP3_Stop();
    EXPECT_EQ(m.mci.calls, (Calls{"open \"C:\\My Music\\\x8b\xc8.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play",
                                  "status MP3Play mode [30]", "status MP3Play mode [30]", "stop MP3Play",
                                  "play MP3Play from 0", "stop MP3Play", "close MP3Play"}));
}

TEST(Mp3, FailedOpenSendsNoPlayAndThePollsGoOn)
{
    Music m;
    m.file = "/nowhere/a.mp3";
    const std::string open = "open \"/nowhere/a.mp3\" type MPEGVideo Alias MP3Play";
    m.mci.script[open] = {275, ""};
    for (const char* c : {"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"})
        m.mci.script[c] = {263, ""};
    m.bgm.MP3_Start();
    m.bgm.MP3_Poll();
    m.bgm.MP3_Poll();
    const Calls poll{"status MP3Play mode [30]", "stop MP3Play", "play MP3Play from 0"};
    EXPECT_EQ(m.mci.calls, (Calls{open, poll[0], poll[1], poll[2], poll[0], poll[1], poll[2]}));
}

TEST(Wav, LoopsOnlyWithAnOutputDevice)
{
    for (unsigned devices : {0u, 1u, 0x80000000u}) {
        Music m;
        m.file = "C:\\a b.WAV";
        m.mci.waveOutDevices = devices;
        m.bgm.WAV_Start();
        m.bgm.WAV_Stop();
        Calls expected{"waveOutGetNumDevs", "PlaySoundA C:\\a b.WAV 9", "PlaySoundA null 0"};
        if (devices != 1)
            expected.erase(expected.begin() + 1);
        EXPECT_EQ(m.mci.calls, expected) << devices;
    }
}

TEST(MusicSource, KindAndTheLastThreeCharactersInAnyCase)
{
    const std::tuple<int, const char*, MusicSource> cases[] = {
        {1, "", MusicSource::Cd},        {2, "C:\\a.wav", MusicSource::Wav}, {2, "A.mP3", MusicSource::Mp3},
        {2, "mp3", MusicSource::Mp3},    {2, "a.wave", MusicSource::None},   {2, "p3", MusicSource::None},
        {0, "a.mp3", MusicSource::None}, {3, "a.mp3", MusicSource::None},
    };
    for (const auto& [kind, file, source] : cases)
        EXPECT_EQ(musicSourceFor(std::int16_t(kind), file), source) << file;
}

}  // namespace
}  // namespace zorun::music
