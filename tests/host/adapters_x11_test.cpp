// The X11 adapters: the forms' timers (without a display), a termination signal closing the windows, and
// the texture write.
#include <gtest/gtest.h>

#include "host/forms/host_window_x11.h"
#include "host/forms/timer_table.h"
#include "host/platform/connection_x11.h"
#include "host/platform/files_posix.h"
#include "temp_dir.h"

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace zorun::host {
namespace {

using namespace std::chrono_literals;
using Ids = std::vector<int>;

TEST(TimerTable, SwitchingOnAgainRestartsTheIntervalAndASwitchedOffTimerStaysSilent)
{
    const auto t0 = TimerTable::Clock::now();
    TimerTable timers;
    timers.set(1, 500, true, t0);
    timers.set(2, 100, true, t0);
    timers.set(1, 500, true, t0 + 400ms);
    timers.set(2, 100, false, t0 + 50ms);
    EXPECT_EQ(timers.due(t0 + 500ms), Ids{});
    EXPECT_EQ(timers.msUntilNext(t0 + 500ms), 400);
    EXPECT_EQ(timers.due(t0 + 900ms), Ids{1});
    EXPECT_FALSE(timers.take(2, t0 + 10s));
    timers.set(1, 500, false, t0 + 900ms);
    EXPECT_EQ(timers.due(t0 + 10s), Ids{});
    EXPECT_EQ(timers.msUntilNext(t0 + 10s), -1) << "the loop would wake for a silent timer";
}

TEST(TimerTable, ATakenTickMovesOnAndALateOneDoesNotQueueMore)
{
    const auto t0 = TimerTable::Clock::now();
    TimerTable timers;
    timers.set(7, 100, true, t0);
    ASSERT_TRUE(timers.take(7, t0 + 100ms));
    EXPECT_EQ(timers.msUntilNext(t0 + 100ms), 100);
    // Three intervals late: one tick to catch up, not three, and the next a whole interval later.
    ASSERT_TRUE(timers.take(7, t0 + 500ms));
    ASSERT_EQ(timers.due(t0 + 500ms), Ids{7});
    ASSERT_TRUE(timers.take(7, t0 + 500ms));
    EXPECT_EQ(timers.due(t0 + 500ms), Ids{});
    EXPECT_EQ(timers.msUntilNext(t0 + 500ms), 100);
}

class X11Adapters : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "needs an X display";
        connection = openX11Connection();
        ASSERT_NE(connection, nullptr);
    }
    std::shared_ptr<X11Connection> connection;
};

TEST_F(X11Adapters, TheTextureReplacesALinkPlantedAtItsPathAndLeavesNoTemporary)
{
    namespace fs = std::filesystem;
    testfs::TempDir dir;
    const std::string victim = dir.write("victim", {1, 2, 3});
    const fs::path texture = dir.path() / "Zorun.bmp";
    fs::create_symlink(victim, texture);

    ASSERT_TRUE(createPosixFiles()->SavePictureAsBitmap(Picture{2, 1, {1, 2, 3, 4, 5, 6}}, texture.string()));
    EXPECT_EQ(fs::file_size(victim), 3u) << "written through the link";
    EXPECT_FALSE(fs::is_symlink(texture));
    EXPECT_EQ(fs::file_size(texture), 54u + 8u);  // one row of two pixels, padded to four bytes
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

struct Recorder final : FormEvents {
    void OnTimer(int) override {}
    void OnClose() override { ++closes; }
    int closes = 0;
};

// A session end or a kill stops the music through the same close as the saver's own (see host_test).
TEST_F(X11Adapters, ATerminationSignalClosesEveryWindowAndEndsTheLoop)
{
    auto forms = createX11Forms(connection);
    Recorder saver, preview;
    auto first = forms->CreateSaverWindow("Zorun_Main", saver);
    auto second = forms->CreatePreviewWindow("Zorun_Preview", preview);
    // Without the adapter's handler the signal would end this test's process.
    ASSERT_EQ(raise(SIGTERM), 0);
    forms->RunMessageLoop();
    EXPECT_EQ(std::pair(saver.closes, preview.closes), std::pair(1, 1)) << "closes of the saver and the preview";
}

}  // namespace
}  // namespace zorun::host
