// The music procedures against a recording MCI: the commands they send and how they read the replies.
#include "background_music.h"
#include "fake_mci.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorun::music {
namespace {

using testing::FakeMci;
using Strings = std::vector<std::string>;

// "コマンド文字列が指定されていません" and "Error (文字列が取れません)" in code page 932.
const std::string kNoCommandCp932 =
    "\x83\x52\x83\x7d\x83\x93\x83\x68\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\x77\x92\xe8\x82\xb3\x82\xea"
    "\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";
const std::string kNoTextCp932 = "Error (\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1)";

const std::string kTrack = "status cdaudio current track";
const std::string kCount = "status cdaudio number of tracks";
const std::string kMode = "status cdaudio mode";

struct Music {
    FakeMci mci;
    std::int16_t repeatTrack = 0;
    std::string file;
    Zorun_BGM bgm{mci, repeatTrack, file};
};

TEST(MciSend, EmptyCommandIsAnsweredWithoutThePlatform) {
    Music m;
    std::string reply = "old";
    EXPECT_EQ(m.bgm.MCI_Send("", reply), -1);
    EXPECT_EQ(reply, kNoCommandCp932);
    EXPECT_EQ(m.bgm.MCI_Query(""), "Error:-1");
    EXPECT_EQ(m.bgm.MCI_Reply, kNoCommandCp932);
    EXPECT_TRUE(m.mci.calls.empty());
}

TEST(MciSend, FailureKeepsTheErrorTextAndQueryNamesTheCode) {
    Music m;
    m.mci.script["status x mode"] = {277, ""};
    m.mci.script["status y mode"] = {9999, ""};  // a code winmm has no text for
    EXPECT_EQ(m.bgm.MCI_Query("status x mode"), "Error:277");
    EXPECT_EQ(m.bgm.MCI_Reply, mciErrorText(277));
    EXPECT_EQ(m.mci.calls.at(0).bufferLength, 512u);
    std::string reply;
    EXPECT_EQ(m.bgm.MCI_Send("status y mode", reply), 9999);
    EXPECT_EQ(reply, kNoTextCp932);
}

TEST(MciSend, SuccessGivesTheReplyAndNeverAnEarlierOne) {
    Music m;
    m.mci.script["status a mode"] = {0, "playing"};
    EXPECT_EQ(m.bgm.MCI_Query("status a mode"), "playing");
    // "play a" is not in the script, so the fake writes nothing: the text must not be "playing".
    EXPECT_EQ(m.bgm.MCI_Query("play a"), "");
}

TEST(MciPlay, BuildsThePlayCommand) {
    struct Case {
        std::string device, from, to, command;
    };
    for (const Case& c : std::vector<Case>{{"cdaudio", "", "", "play cdaudio"},
                                           {"cdaudio", "03:00:00:00", "", "play cdaudio from 03:00:00:00"},
                                           {"x", "1", "5", "play x from 1 to 5"},
                                           {"x", "", "5", "play x to 5"}}) {
        Music m;
        m.mci.script[c.command] = {0, "done"};
        EXPECT_EQ(m.bgm.MCI_Play(c.device, c.from, c.to), 0) << c.command;
        EXPECT_EQ(m.mci.commands(), Strings{c.command});
        EXPECT_EQ(m.bgm.MCI_Reply, "done");
    }
}

// One CD poll from a fresh module: what it sends after the three queries and whether it went through.
struct PollCase {
    const char* name;
    std::int16_t repeatTrack;
    FakeMci::Answer track, count, mode;
    std::map<std::string, FakeMci::Answer> more;
    Strings sentAfterQueries;
    std::int16_t pollOk;
};

TEST(CdPoll, EveryPath) {
    const FakeMci::Answer notReady{276, ""}, ok{0, "1"}, ten{0, "10"};
    const std::vector<PollCase> cases = {
        {"no disc: the first query fails and nothing else is sent", 0, notReady, ok, {0, "stopped"}, {}, {}, 0},
        {"track count fails", 0, ok, notReady, {0, "stopped"}, {}, {}, 0},
        {"whole disc stopped: started again", 0, ok, ten, {0, "stopped"}, {}, {"play cdaudio"}, -1},
        {"whole disc playing", 0, ok, ten, {0, "playing"}, {}, {}, -1},
        {"whole disc paused stays paused", 0, ok, ten, {0, "paused"}, {}, {}, -1},
        {"mode compared case-sensitively", 0, ok, ten, {0, "Stopped"}, {}, {}, -1},
        {"mode read from its first 7 characters", 0, ok, ten, {0, "stoppedXYZ"}, {}, {"play cdaudio"}, -1},
        {"repeat track playing", 3, {0, "3"}, ten, {0, "playing"}, {}, {}, -1},
        {"repeat track paused on it", 3, {0, "3"}, ten, {0, "paused"}, {}, {}, -1},
        {"moved on to the next track: back to the start of the repeat track",
         3, {0, "4"}, ten, {0, "playing"},
         {{"status cdaudio position track 3", {0, "03:00:00:00"}}},
         {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}, -1},
        {"paused on another track is moved too", 3, {0, "1"}, ten, {0, "paused"},
         {{"status cdaudio position track 3", {0, "03:00:00:00"}}},
         {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}, -1},
        {"stopped on the repeat track: started again", 3, {0, " 3 "}, ten, {0, "stopped"},
         {{"status cdaudio position track 3", {0, "03:00:00:00"}}},
         {"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}, -1},
        {"repeat track beyond the last: the failure text becomes the position and is refused",
         12, ok, ten, {0, "playing"},
         {{"status cdaudio position track 12", {282, ""}}, {"play cdaudio from Error:282", {282, ""}}},
         {"status cdaudio position track 12", "play cdaudio from Error:282"}, -1},
        {"current track not a number with a repeat track", 3, {0, "x3"}, ten, {0, "stopped"}, {}, {}, 0},
        {"empty current track with a repeat track", 3, {0, ""}, ten, {0, "playing"}, {}, {}, 0},
        {"current track not a number without a repeat track", 0, {0, "x"}, ten, {0, "playing"}, {}, {}, -1},
    };
    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.name);
        Music m;
        m.repeatTrack = c.repeatTrack;
        m.mci.script = c.more;
        m.mci.script[kTrack] = c.track;
        m.mci.script[kCount] = c.count;
        m.mci.script[kMode] = c.mode;
        m.bgm.CD_Poll();
        EXPECT_EQ(m.bgm.CD_PollOk, c.pollOk);

        Strings expected{kTrack};
        if (c.track.result == 0) expected.push_back(kCount);
        if (c.track.result == 0 && c.count.result == 0) expected.push_back(kMode);
        expected.insert(expected.end(), c.sentAfterQueries.begin(), c.sentAfterQueries.end());
        EXPECT_EQ(m.mci.commands(), expected);
        if (c.track.result == 0 && c.count.result == 0) {
            EXPECT_EQ(m.mci.calls.at(2).bufferLength, 255u);
        }
    }
}

TEST(CdPoll, FailedModeQueryIsNotReadAsTheLastPollsMode) {
    Music m;
    m.mci.script[kTrack] = {0, "1"};
    m.mci.script[kCount] = {0, "10"};
    m.mci.script[kMode] = {0, "stopped"};
    m.bgm.CD_Poll();
    ASSERT_EQ(m.mci.commands().back(), "play cdaudio");
    m.mci.calls.clear();
    m.mci.script[kMode] = {276, ""};  // the buffer keeps "stopped" on the platform's side
    m.bgm.CD_Poll();
    EXPECT_EQ(m.mci.commands(), (Strings{kTrack, kCount, kMode}));
}

TEST(CdOpenClose, SendBareCommands) {
    Music m;
    m.bgm.CD_Open();
    m.bgm.CD_Close();
    EXPECT_EQ(m.mci.commands(),
              (Strings{"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio", "close cdaudio"}));
    for (const auto& call : m.mci.calls) EXPECT_EQ(call.bufferLength, 0u);
}

TEST(Mp3, StartQuotesThePathAndPlaysOnlyWhenOpened) {
    const std::string open = "open \"C:\\My Music\\\x8b\xc8.mp3\" type MPEGVideo Alias MP3Play";
    for (std::uint32_t openResult : {0u, 275u}) {
        Music m;
        m.file = "C:\\My Music\\\x8b\xc8.mp3";
        m.mci.script[open] = {openResult, ""};
        m.bgm.MP3_Start();
        Strings expected{open};
        if (openResult == 0) expected.push_back("play MP3Play");
        EXPECT_EQ(m.mci.commands(), expected);
        EXPECT_EQ(m.mci.calls.at(0).bufferLength, 0u);
    }
}

TEST(Mp3, PollRestartsFromTheBeginningWhenNotPlaying) {
    struct Case {
        FakeMci::Answer mode;
        bool restarted;
    };
    for (const Case& c : std::vector<Case>{{{0, "playing"}, false},
                                           {{0, "stopped"}, true},
                                           {{0, "paused"}, true},
                                           {{0, "Playing"}, true},
                                           {{263, ""}, true}}) {
        Music m;
        m.mci.script["status MP3Play mode"] = c.mode;
        m.bgm.MP3_Poll();
        Strings expected{"status MP3Play mode"};
        if (c.restarted) expected.insert(expected.end(), {"stop MP3Play", "play MP3Play from 0"});
        EXPECT_EQ(m.mci.commands(), expected) << c.mode.reply;
        EXPECT_EQ(m.mci.calls.at(0).bufferLength, 30u);
    }
}

TEST(Mp3, FailedOpenThenPollsKeepSendingWithoutHarm) {
    Music m;
    m.file = "/nowhere/a.mp3";
    m.mci.script["open \"/nowhere/a.mp3\" type MPEGVideo Alias MP3Play"] = {275, ""};
    for (const char* c : {"status MP3Play mode", "stop MP3Play", "play MP3Play from 0", "close MP3Play"}) {
        m.mci.script[c] = {263, ""};
    }
    m.bgm.MP3_Start();
    m.bgm.MP3_Poll();
    m.bgm.MP3_Poll();
    m.bgm.MP3_Stop();
    const Strings poll{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"};
    Strings expected{"open \"/nowhere/a.mp3\" type MPEGVideo Alias MP3Play"};
    expected.insert(expected.end(), poll.begin(), poll.end());
    expected.insert(expected.end(), poll.begin(), poll.end());
    expected.insert(expected.end(), {"stop MP3Play", "close MP3Play"});
    EXPECT_EQ(m.mci.commands(), expected);
    EXPECT_EQ(m.bgm.MCI_Reply, "");  // bare commands leave the reply text alone
}

TEST(Wav, LoopsOnlyWithAnOutputDevice) {
    for (unsigned devices : {0u, 1u, 0x80000000u}) {
        Music m;
        m.file = "C:\\a b.WAV";
        m.mci.waveOutDevices = devices;
        m.bgm.WAV_Start();
        m.bgm.WAV_Stop();
        Strings expected{"waveOutGetNumDevs"};
        if (devices == 1) expected.push_back("PlaySoundA C:\\a b.WAV 9");
        expected.push_back("PlaySoundA null 0");
        EXPECT_EQ(m.mci.commands(), expected) << devices;
    }
}

TEST(MusicSource, KindAndTheLastThreeCharacters) {
    struct Case {
        std::int16_t kind;
        const char* file;
        MusicSource source;
    };
    for (const Case& c : std::vector<Case>{{1, "", MusicSource::Cd},
                                           {1, "a.mp3", MusicSource::Cd},
                                           {2, "C:\\m\\a.wav", MusicSource::Wav},
                                           {2, "a.Wav", MusicSource::Wav},
                                           {2, "A.mP3", MusicSource::Mp3},
                                           {2, "mp3", MusicSource::Mp3},
                                           {2, "a.wave", MusicSource::None},
                                           {2, "a.mpeg", MusicSource::None},
                                           {2, "p3", MusicSource::None},
                                           {2, "", MusicSource::None},
                                           {0, "a.mp3", MusicSource::None},
                                           {3, "a.wav", MusicSource::None},
                                           {-1, "a.wav", MusicSource::None}}) {
        EXPECT_EQ(musicSourceFor(c.kind, c.file), c.source) << c.kind << " " << c.file;
    }
}

}  // namespace
}  // namespace zorun::music
