// The cdaudio device's rules on a scripted drive: positions in the time formats, where playing goes on,
// and the failures of a drive without a readable disc.
#include "host/music/mci_cdaudio.h"
#include "host/music/mci_port.h"
#include "host/music/mci_text.h"

#include <gtest/gtest.h>

namespace zorun::music {
namespace {

// Track 1 audio (3 s), track 2 data (1 s), tracks 3 and 4 audio (2 s and 80 s).
CdToc mixedDisc()
{
    return {{{1, 0, true}, {2, 225, false}, {3, 300, true}, {4, 450, true}}, 6450};
}

// A drive that plays nothing: it notes what it was asked and reports the position a test gives it.
struct ScriptedDrive final : CdDrive {
    State now = State::Ready;
    CdToc disc = mixedDisc();
    std::int32_t at = 0;
    bool ended = false;
    std::vector<std::string>* asked;

    explicit ScriptedDrive(std::vector<std::string>* record) : asked(record) {}
    State state() override { return now; }
    const CdToc& toc() override { return disc; }
    void play(std::int32_t from, std::int32_t to) override
    {
        asked->push_back("play " + std::to_string(from) + "-" + std::to_string(to));
        at = from;
        ended = false;
    }
    void hold() override { asked->push_back("hold"); }
    std::int32_t position() override { return at; }
    bool playedToEnd() override { return ended; }
};

struct Cd {
    std::vector<std::string> asked;
    ScriptedDrive* drive = new ScriptedDrive(&asked);
    CdAudioDevice device{std::unique_ptr<CdDrive>(drive)};

    std::string send(const std::string& command)
    {
        std::vector<std::string> words;
        splitMciCommand(command, words);
        char reply[64] = "unchanged";
        std::uint32_t result = device.command(words, reply, sizeof reply);
        return result == 0 ? std::string(reply) : "error " + std::to_string(result);
    }
};

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

TEST(CdAudioDevice, RepliesAndFailures)
{
    Cd cd;
    cd.drive->now = CdDrive::State::Opening;
    EXPECT_EQ(cd.send("status cdaudio mode"), "not ready");
    EXPECT_EQ(cd.send("status cdaudio current track"), "error 276");
    EXPECT_EQ(cd.send("play cdaudio"), "error 276");
    EXPECT_EQ(cd.send("set cdaudio time format tmsf"), "unchanged");  // a setting of the device, not the disc
    cd.drive->now = CdDrive::State::TrayOpen;
    EXPECT_EQ(cd.send("status cdaudio mode"), "open");
    EXPECT_TRUE(cd.asked.empty());

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
    EXPECT_TRUE(cd.asked.empty());
}

TEST(CdAudioDevice, PlaysAudioRunsSkipsDataAndStartsAgainAfterTheEnd)
{
    Cd cd;
    cd.send("set cdaudio time format tmsf");
    EXPECT_EQ(cd.send("play cdaudio"), "unchanged");  // a fresh disc plays from its first track, up to the data
    EXPECT_EQ(cd.send("status cdaudio mode"), "playing");
    cd.drive->ended = true;  // the run ends at the data track: the next audio track follows
    EXPECT_EQ(cd.send("status cdaudio current track"), "3");
    cd.drive->at = 3000;
    EXPECT_EQ(cd.send("stop cdaudio"), "unchanged");
    EXPECT_EQ(cd.send("status cdaudio mode"), "stopped");
    EXPECT_EQ(cd.send("status cdaudio position"), "04:00:34:00");
    cd.send("play cdaudio");  // goes on where it stopped
    cd.send("pause cdaudio");
    EXPECT_EQ(cd.send("status cdaudio mode"), "paused");
    cd.send("resume cdaudio");
    cd.drive->ended = true;  // the disc's end
    EXPECT_EQ(cd.send("status cdaudio mode"), "stopped");
    EXPECT_EQ(cd.send("status cdaudio current track"), "4");
    cd.send("play cdaudio");         // after the end: from the top again
    cd.send("play cdaudio from 2");  // a data track: the next audio track instead
    EXPECT_EQ(cd.asked, (std::vector<std::string>{"play 0-225", "play 300-6450", "hold", "play 3000-6450", "hold",
                                                  "play 3000-6450", "play 0-225", "play 300-6450"}));
}

}  // namespace
}  // namespace zorun::music
