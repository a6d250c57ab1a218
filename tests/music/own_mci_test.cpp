// Our own MCI's command rules on a scripted sound system: routing, aliases, the MPEGVideo device's
// modes, PlaySound, and the cdaudio device's positions and playing on a scripted drive, with players and
// a drive that only note what they were asked.
#include "host/music/mci_cdaudio.h"
#include "host/music/mci_own.h"
#include "host/music/mci_text.h"

#include <gtest/gtest.h>

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

// Track 1 audio (3 s), track 2 data (1 s), tracks 3 and 4 audio (2 s and 80 s).
CdToc mixedDisc()
{
    return {{{1, 0, true}, {2, 225, false}, {3, 300, true}, {4, 450, true}}, 6450};
}

// A drive that plays nothing: it notes what it was asked and reports the position a test gives it.
struct ScriptedDrive final : CdDrive {
    Script& script;
    State now = State::NoDisc;
    CdToc disc = mixedDisc();
    std::int32_t at = 0;

    explicit ScriptedDrive(Script& s) : script(s) {}
    State state() override { return now; }
    const CdToc& toc() override
    {
        EXPECT_EQ(now, State::Ready) << "the disc's tracks are there only while it is ready";
        return disc;
    }
    void play(std::int32_t from, std::int32_t to) override
    {
        script.calls.push_back("play " + std::to_string(from) + "-" + std::to_string(to));
        at = from;
        script.ended = false;
    }
    void hold() override { script.calls.push_back("hold"); }
    std::int32_t position() override { return at; }
    bool playedToEnd() override { return script.ended; }
};

// Files "a.mp3" (plays), "junk.mp3" (cannot be decoded); anything else is missing.
struct ScriptedSound final : SoundSystem {
    Script& script;
    bool started, heard = true, drive = false;
    ScriptedDrive* opened = nullptr;  // the drive of the open cdaudio device
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
    std::unique_ptr<CdDrive> openCdDrive() override
    {
        if (!drive)
            return nullptr;
        auto made = std::make_unique<ScriptedDrive>(script);
        opened = made.get();
        return made;
    }
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

TEST(CdPositions, ParsedAndWrittenInEachTimeFormat)
{
    const CdToc toc = mixedDisc();
    struct Case {
        CdTimeFormat format;
        const char* text;
        std::uint32_t result;
        std::int32_t sector;
    } cases[] = {
        {CdTimeFormat::Tmsf, "3", 0, 300},
        {CdTimeFormat::Tmsf, "04:01:02:03", 0, 450 + 4500 + 150 + 3},
        {CdTimeFormat::Tmsf, "2:0:2", 0, 375},  // inside the data track: the device skips it, not the parser
        {CdTimeFormat::Tmsf, "5", kMcierrOutOfRange, 0},
        {CdTimeFormat::Tmsf, "0", kMcierrOutOfRange, 0},
        {CdTimeFormat::Tmsf, "04:01:20:00", kMcierrOutOfRange, 0},  // past the lead-out
        {CdTimeFormat::Tmsf, "Error:282", kMcierrBadInteger, 0},    // a failed query passed on as a position
        {CdTimeFormat::Tmsf, "1:2:3:4:5", kMcierrBadInteger, 0},
        {CdTimeFormat::Tmsf, "1:256", kMcierrBadInteger, 0},
        {CdTimeFormat::Tmsf, "", kMcierrBadInteger, 0},
        {CdTimeFormat::Tmsf, "3:", kMcierrBadInteger, 0},
        {CdTimeFormat::Msf, "00:02:00", 0, 0},  // absolute: the lead-in counts
        {CdTimeFormat::Msf, "00:01:74", kMcierrOutOfRange, 0},
        {CdTimeFormat::Msf, "1:2:3:4", kMcierrBadInteger, 0},
        {CdTimeFormat::Milliseconds, "6000", 0, 300},
        {CdTimeFormat::Milliseconds, "-1", kMcierrBadInteger, 0},
    };
    for (const Case& c : cases) {
        std::int32_t sector = 0;  // a failed parse leaves it alone
        EXPECT_EQ(parseCdPosition(c.format, toc, c.text, sector), c.result) << c.text;
        EXPECT_EQ(sector, c.sector) << c.text;
    }
    EXPECT_EQ(formatCdPosition(CdTimeFormat::Tmsf, toc, 450 + 4500 + 150 + 3), "04:01:02:03");
    EXPECT_EQ(formatCdPosition(CdTimeFormat::Tmsf, toc, 224), "01:00:02:74");
    EXPECT_EQ(formatCdPosition(CdTimeFormat::Msf, toc, 300), "00:06:00");
    EXPECT_EQ(formatCdPosition(CdTimeFormat::Milliseconds, toc, 300), "6000");
}

// The cdaudio device opened on a disc that is not read yet; the drive's calls noted from then on.
struct Cd : Mci {
    ScriptedDrive* drive;

    Cd()
    {
        sound->drive = true;
        send("open cdaudio");
        drive = sound->opened;
    }
};

TEST(CdAudioDevice, RepliesAndFailures)
{
    Cd cd;
    cd.drive->now = CdDrive::State::Opening;
    EXPECT_EQ(cd.send("status cdaudio mode"), "not ready");
    EXPECT_EQ(cd.send("status cdaudio current track"), "error 276");
    EXPECT_EQ(cd.send("play cdaudio"), "error 276");
    EXPECT_EQ(cd.send("set cdaudio time format tmsf"), "");  // a setting of the device, not the disc
    cd.drive->now = CdDrive::State::TrayOpen;
    EXPECT_EQ(cd.send("status cdaudio mode"), "open");
    EXPECT_TRUE(cd.script.calls.empty());

    cd.drive->now = CdDrive::State::Ready;
    EXPECT_EQ(cd.send("status cdaudio number of tracks"), "4");  // the data track counts
    EXPECT_EQ(cd.send("status cdaudio current track"), "1");
    EXPECT_EQ(cd.send("status cdaudio mode"), "stopped");
    EXPECT_EQ(cd.send("status cdaudio position track 4"), "04:00:00:00");
    EXPECT_EQ(cd.send("status cdaudio position track 5"), "error 282");
    EXPECT_EQ(cd.send("status cdaudio position track x"), "error 270");
    EXPECT_EQ(cd.send("status cdaudio volume"), "error 259");
    EXPECT_EQ(cd.send("play cdaudio from"), "error 273");
    EXPECT_EQ(cd.send("play cdaudio from 9"), "error 282");
    EXPECT_EQ(cd.send("set cdaudio time format frames"), "error 259");
    EXPECT_TRUE(cd.script.calls.empty());
}

TEST(CdAudioDevice, PlaysAudioRunsSkipsDataAndStartsAgainAfterTheEnd)
{
    Cd cd;
    cd.drive->now = CdDrive::State::Ready;
    cd.send("set cdaudio time format tmsf");
    EXPECT_EQ(cd.send("play cdaudio"), "");  // a fresh disc plays from its first track, up to the data
    EXPECT_EQ(cd.send("status cdaudio mode"), "playing");
    cd.script.ended = true;  // the run ends at the data track: the next audio track follows
    EXPECT_EQ(cd.send("status cdaudio current track"), "3");
    cd.drive->at = 3000;
    EXPECT_EQ(cd.send("stop cdaudio"), "");
    EXPECT_EQ(cd.send("status cdaudio mode"), "stopped");
    EXPECT_EQ(cd.send("status cdaudio position"), "04:00:34:00");
    cd.send("play cdaudio");  // goes on where it stopped
    cd.send("pause cdaudio");
    EXPECT_EQ(cd.send("status cdaudio mode"), "paused");
    cd.send("resume cdaudio");
    cd.script.ended = true;  // the disc's end
    EXPECT_EQ(cd.send("status cdaudio mode"), "stopped");
    EXPECT_EQ(cd.send("status cdaudio current track"), "4");
    cd.send("play cdaudio");         // after the end: from the top again
    cd.send("play cdaudio from 2");  // a data track: the next audio track instead
    EXPECT_EQ(cd.script.calls, (std::vector<std::string>{"play 0-225", "play 300-6450", "hold", "play 3000-6450",
                                                         "hold", "play 3000-6450", "play 0-225", "play 300-6450"}));
}

}  // namespace
}  // namespace zorun::music
