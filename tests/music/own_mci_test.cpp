// Our own MCI's command rules on a scripted sound system: routing, aliases, the MPEGVideo device's
// modes and PlaySound, with players that only note what they were asked.
#include "host/music/mci_own.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zorun::music {
namespace {

// What every player of one sound system shares: the calls made, and how the next ones go.
struct Script {
    std::vector<std::string> calls;
    std::optional<std::int64_t> length = 1000;
    bool works = true;
    bool ended = false;
    int endsAfterChecks = 0;  // when positive, the sound ends at that many looks
};

struct ScriptedPlayer final : SoundPlayer {
    Script& script;
    explicit ScriptedPlayer(Script& s) : script(s) {}
    std::optional<std::int64_t> lengthMs() override { return script.length; }
    bool seek(std::int64_t ms) override { return script.ended = false, note("seek " + std::to_string(ms)); }
    bool start() override { return note("start"); }
    bool hold() override { return note("hold"); }
    bool ended() override
    {
        if (script.endsAfterChecks > 0 && --script.endsAfterChecks == 0)
            script.ended = true;
        return script.ended;
    }
    bool note(const std::string& call)
    {
        script.calls.push_back(call);
        return script.works;
    }
};

struct NoDisc final : CdDrive {
    State state() override { return State::NoDisc; }
    const CdToc& toc() override { std::abort(); }
    void play(std::int32_t, std::int32_t) override {}
    void hold() override {}
    std::int32_t position() override { return 0; }
    bool playedToEnd() override { return false; }
};

// Files "a.mp3" (plays), "junk.mp3" (cannot be decoded); anything else is missing.
struct ScriptedSound final : SoundSystem {
    Script& script;
    bool started, heard = true, drive = false;
    ScriptedSound(Script& s, bool up) : script(s), started(up) {}
    bool ready() override { return started; }
    std::uint32_t openFile(const std::string& path, bool loop, std::unique_ptr<SoundPlayer>& player) override
    {
        script.calls.push_back("open " + path + (loop ? " looping" : ""));
        if (path != "a.mp3")
            return path == "junk.mp3" ? kMcierrInternal : kMcierrFileNotFound;
        player = std::make_unique<ScriptedPlayer>(script);
        return 0;
    }
    bool outputIsDevice() override { return heard; }
    bool cdDriveAvailable() override { return drive; }
    std::unique_ptr<CdDrive> openCdDrive() override { return drive ? std::make_unique<NoDisc>() : nullptr; }
};

struct Mci {
    Script script;
    ScriptedSound* sound;
    OwnMci mci;

    explicit Mci(bool started = true)
        : sound(new ScriptedSound(script, started)), mci(std::unique_ptr<SoundSystem>(sound))
    {}

    std::string send(const std::string& command, unsigned replyLength = 64)
    {
        char reply[64] = "unchanged";
        std::uint32_t result = mci.mciSendStringA(command.c_str(), reply, replyLength);
        if (result == 0)
            return reply;
        return "error " + std::to_string(result) + (reply[0] != '\0' ? " with a reply" : "");
    }
};

TEST(OwnMci, CommandsOpenAndClose)
{
    Mci m;
    const std::pair<const char*, const char*> steps[] = {
        {"", "error 267"},
        {"open \"a.mp3", "error 294"},
        {"seek MP3Play", "error 261"},
        {"play", "error 292"},
        {"status MP3Play mode", "error 263"},
        {"open a.mp3 type WaveAudio alias m", "error 263"},
        {"open a.mp3 type", "error 273"},
        {"open a.mp3 alias m wait", "error 259"},
        {"open gone.mp3 type MPEGVideo alias m", "error 275"},
        {"open junk.mp3 alias m", "error 277"},
        {"open \"a.mp3\" type mpegvideo Alias MP3Play shareable", ""},
        {"open a.mp3 alias mp3play", "error 289"},
        {"status MP3PLAY mode", "stopped"},
        {"status MP3Play", "error 273"},
        {"status MP3Play mode now", "error 259"},
        {"status MP3Play length", "error 259"},
        {"play MP3Play from", "error 273"},
        {"play MP3Play from x", "error 270"},
        {"play MP3Play from -1", "error 270"},
        {"play MP3Play from 4294967296", "error 270"},
        {"play MP3Play from 1001", "error 282"},
        {"play MP3Play to 5", "error 259"},
        {"stop MP3Play now", "error 259"},
        {"close MP3Play now", "error 259"},
        {"close MP3Play", ""},
        {"status MP3Play mode", "error 263"},
        {"open a.mp3", ""},  // the file's name is its alias
        {"status a.mp3 mode", "stopped"},
        {"open cdaudio alias cd", "error 259"},
        {"open cdaudio", "error 266"},
        {"status cdaudio mode", "error 266"},
        {"*drive", ""},
        {"status cdaudio mode", "error 276"},  // a drive, but the device is not open
        {"open cdaudio", ""},
        {"open cdaudio", "error 289"},
        {"status cdaudio mode", "not ready"},
        {"close cdaudio now", "error 259"},
        {"close cdaudio", ""},
        {"status cdaudio mode", "error 276"},
    };
    for (const auto& [command, reply] : steps) {
        if (std::string(command) == "*drive")
            m.sound->drive = true;
        else
            EXPECT_EQ(m.send(command), reply) << command;
    }
    EXPECT_EQ(m.script.calls, (std::vector<std::string>{"open gone.mp3", "open junk.mp3", "open a.mp3", "open a.mp3"}));
    EXPECT_EQ(m.send("status a.mp3 mode", 7), "error 268");  // "stopped" and its NUL need 8
}

TEST(OwnMci, PlayingEndsStopsPausesAndResumes)
{
    Mci m;
    m.send("open a.mp3 alias m");
    m.script.calls.clear();
    const std::pair<const char*, const char*> steps[] = {
        {"play m", "playing"},
        {"resume m", "playing"},          // not paused: nothing to do
        {"*end", "stopped"},              // played to its end
        {"pause m", "paused"},            // held at its end
        {"play m", "stopped"},            // nothing left to play
        {"play m from 1000", "playing"},  // the very end is still a position
        {"pause m", "paused"},
        {"resume m", "playing"},
        {"stop m", "stopped"},
        {"resume m", "stopped"},  // stopped is not paused
        {"play m", "playing"},    // goes on from where it stopped
        {"*fail", "playing"},
    };
    for (const auto& [command, mode] : steps) {
        if (std::string(command) == "*end")
            m.script.ended = true;
        else if (std::string(command) == "*fail")
            m.script.works = false;
        else
            EXPECT_EQ(m.send(command), "") << command;
        EXPECT_EQ(m.send("status m mode"), mode) << command;
    }
    EXPECT_EQ(m.script.calls,
              (std::vector<std::string>{"start", "hold", "seek 1000", "start", "hold", "start", "hold", "start"}));
    // The player failing: the device says so and keeps its mode.
    EXPECT_EQ(m.send("pause m"), "error 276");
    EXPECT_EQ(m.send("status m mode"), "playing");
    EXPECT_EQ(m.send("play m from 0"), "error 276");
    m.script.ended = true;
    m.script.works = true;
    m.script.length.reset();  // a length the player does not know does not limit the position
    EXPECT_EQ(m.send("play m from 5000"), "");
    EXPECT_EQ(m.send("status m mode"), "playing");
}

TEST(OwnMci, PlaySoundAndTheOutput)
{
    Mci m;
    EXPECT_EQ(m.mci.waveOutGetNumDevs(), 1u);
    m.script.endsAfterChecks = 2;                       // were it played, it would end rather than hang the test
    EXPECT_EQ(m.mci.PlaySoundA("a.mp3", kSndLoop), 0);  // looping needs asynchronous
    m.script.endsAfterChecks = 0;
    EXPECT_EQ(m.mci.PlaySoundA("gone.wav", kSndAsync), 0);
    EXPECT_NE(m.mci.PlaySoundA("a.mp3", kSndAsync | kSndLoop), 0);
    EXPECT_TRUE(m.mci.soundIsPlaying());
    EXPECT_NE(m.mci.PlaySoundA(nullptr, 0), 0);
    EXPECT_FALSE(m.mci.soundIsPlaying());
    m.script.endsAfterChecks = 3;
    EXPECT_NE(m.mci.PlaySoundA("a.mp3", kSndSync), 0);  // returns once the sound has ended
    EXPECT_TRUE(m.script.ended);
    EXPECT_FALSE(m.mci.soundIsPlaying());
    EXPECT_EQ(m.script.calls,
              (std::vector<std::string>{"open gone.wav", "open a.mp3 looping", "start", "open a.mp3", "start"}));

    m.sound->heard = false;
    EXPECT_EQ(m.mci.waveOutGetNumDevs(), 0u);

    Mci unstarted(false);  // the sound library failed: nothing opens, nothing is heard
    unstarted.sound->drive = true;
    EXPECT_EQ(unstarted.mci.waveOutGetNumDevs(), 0u);
    EXPECT_EQ(unstarted.mci.PlaySoundA("a.mp3", kSndAsync), 0);
    EXPECT_EQ(unstarted.send("open a.mp3 alias m"), "error 266");
    EXPECT_EQ(unstarted.send("open cdaudio"), "error 266");
    EXPECT_EQ(unstarted.send("status cdaudio mode"), "error 266");
    EXPECT_TRUE(unstarted.script.calls.empty());
}

}  // namespace
}  // namespace zorun::music
