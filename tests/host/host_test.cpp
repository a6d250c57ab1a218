// Main, the saver run and the preview start, through fakes of the host's platform, windows and MCI.
#include "fake_host.h"
#include "fake_mci.h"
#include "saver_window.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace zorun::host {
namespace {

using testing::FakeForms;
using testing::FakePlatform;
using zorun::music::testing::FakeMci;

struct Host {
    explicit Host(std::string commandLine)
        : context{platform,       forms,       std::move(commandLine),
                  "/opt/zorun",   kPosixPaths, "/cache/k_vorn",
                  "/cache/k_vorn/Zorun.bmp",   settings,
                  [this] { ++settingsLoads; settings = onDisk; },
                  [this] {
                      ++mciOpens;
                      auto port = std::make_unique<FakeMci>();
                      port->script = mciScript;
                      mci = port.get();
                      return std::unique_ptr<music::MciPort>(std::move(port));
                  },
                  [this] { ++dialogs; }} {}

    std::unique_ptr<OpenWindows> run() { return Main(context); }
    bool called(const std::string& call) const {
        return std::find(platform.calls.begin(), platform.calls.end(), call) != platform.calls.end();
    }
    std::vector<std::string> mciCalls() const { return mci ? mci->calls : std::vector<std::string>{}; }
    bool mciSent(const std::string& command) const {
        auto calls = mciCalls();
        return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(command, 0) == 0; });
    }

    FakePlatform platform;
    FakeForms forms{platform};
    SharedSettings settings;
    SharedSettings onDisk;
    std::map<std::string, FakeMci::Answer> mciScript;
    FakeMci* mci = nullptr;
    int settingsLoads = 0, mciOpens = 0, dialogs = 0;
    HostContext context;
};

TEST(Main, ModeTable) {
    enum Outcome { Saver, Preview, Dialog, Ends };
    struct Case {
        const char* commandLine;
        Outcome outcome;
        bool hidesCursor;
        WindowHandle previewHost;
    };
    const Case cases[] = {
        {"/s", Saver, true, 0},       {"/S", Saver, true, 0},         {"-S", Saver, true, 0},
        {"-s", Saver, true, 0},       {"", Saver, false, 0},          {"s", Ends, false, 0},
        {"/c", Dialog, false, 0},     {"/C", Dialog, false, 0},       {"/c:1234", Dialog, false, 0},
        {"/p 1234", Preview, false, 1234}, {"/p:1234", Preview, false, 1234}, {"/p", Preview, false, 0},
        {"/a", Ends, false, 0},       {"/sx", Saver, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("command line \"") + c.commandLine + "\"");
        Host host(c.commandLine);
        const auto window = host.run();

        const bool prepares = c.outcome != Preview;
        EXPECT_EQ(host.called("CreateFolder /cache/k_vorn"), prepares);
        EXPECT_EQ(host.settingsLoads, prepares ? 1 : 0);
        EXPECT_EQ(host.called("ShowCursor FALSE"), c.hidesCursor);
        EXPECT_EQ(host.platform.cursorCount, c.hidesCursor ? -1 : 0);
        EXPECT_EQ(host.dialogs, c.outcome == Dialog ? 1 : 0);
        EXPECT_EQ(host.platform.ended, c.outcome == Dialog || c.outcome == Ends);
        EXPECT_EQ(window != nullptr, c.outcome == Saver || c.outcome == Preview);
        EXPECT_EQ(host.called("CreateSaverWindow Zorun_Main"), c.outcome == Saver);
        EXPECT_EQ(host.called("StartProgram /opt/zorun/Zorun.dll"), c.outcome == Saver);
        EXPECT_EQ(host.called("CreatePreviewWindow Preview Window"), c.outcome == Preview);
        if (c.outcome == Preview) {
            EXPECT_TRUE(host.called("SetParent " + std::to_string(host.forms.last->Handle()) + " " +
                                    std::to_string(c.previewHost)));
        }
    }
}

TEST(Main, GuardEndsEveryModeBeforeAnyWork) {
    for (const char* title : {"Zorun_Main", "<Zorun>"})
        for (const char* commandLine : {"/s", "", "/c", "/p 1234", "/a"}) {
            SCOPED_TRACE(std::string(title) + " open, command line \"" + commandLine + "\"");
            Host host(commandLine);
            host.platform.windowsByTitle[title] = 0x77;
            EXPECT_EQ(host.run(), nullptr);
            // Both titles are always looked up, then the process ends before anything else.
            EXPECT_EQ(host.platform.calls,
                      (std::vector<std::string>{"FindWindowA Zorun_Main", "FindWindowA <Zorun>", "EndProcess"}));
            EXPECT_EQ(host.settingsLoads, 0);
            EXPECT_EQ(host.dialogs, 0);
        }
    // A preview window is no marker: a second preview starts beside the first.
    Host host("/p 1");
    host.platform.windowsByTitle["Preview Window"] = 0x78;
    EXPECT_NE(host.run(), nullptr);
    EXPECT_FALSE(host.platform.ended);
}

TEST(Main, PreviewHandleText) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"/p 1234", 1234},   {"/p:1234", 1234},   {"/P   77", 77},        {"/p\t42", 42},
        {"/p", 0},           {"/p ", 0},          {"/p x12", 0},         {"/p 12abc", 12},
        {"/p -5", -5},       {"/p +6", 6},        {"/p 2.5", 2},         {"/p 3.5", 4},
        {"/p 7.6", 8},       {"/p 99999999999", std::numeric_limits<std::int32_t>::max()},
        {"/p -99999999999", std::numeric_limits<std::int32_t>::min()},   {"/p .", 0},
        {"/p 4294967295", std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& [text, handle] : cases)
        EXPECT_EQ(PreviewHandle(text), handle) << text;
}

TEST(Preview, EmbedsAtTheHostsSizeWithThePictureUnscaled) {
    struct Case {
        Rect hostRect;
        double twips;
        std::int32_t width, height;
    };
    const Case cases[] = {
        {{100, 50, 252, 162}, 15, 152, 112},   // the usual preview area
        {{0, 0, 640, 480}, 15, 640, 480},      // larger: picture top-left, black beyond
        {{0, 0, 2184, 2185}, 15, 2184, 0},     // 2185 * 15 twips does not fit in 16 bits
        {{0, 0, 4000, 100}, 15, 0, 100},
        {{0, 0, 300, 200}, 12, 300, 200},      // 120 dots per inch
        {{-10, -10, -10, -10}, 15, 0, 0},      // an empty host
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hostRect.right - c.hostRect.left) + " x " +
                     std::to_string(c.hostRect.bottom - c.hostRect.top));
        Host host("/p 4660");
        host.platform.rects[4660] = c.hostRect;
        host.platform.twipsX = host.platform.twipsY = c.twips;
        const auto window = host.run();
        ASSERT_NE(window, nullptr);
        const WindowHandle self = host.forms.last->Handle();
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        auto calls = host.platform.calls;
        auto at = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
        // Style, then parent, then size, then the picture, then shown: the order of the preview steps.
        EXPECT_LT(at("SetWindowLongA " + std::to_string(self) + " -16"), at("SetParent " + std::to_string(self) + " 4660"));
        EXPECT_LT(at("SetParent " + std::to_string(self) + " 4660"), at("Move 0,0 " + size));
        EXPECT_LT(at("Move 0,0 " + size), at("SetPicture 152x112 at 0,0 " + size));
        EXPECT_LT(at("SetPicture 152x112 at 0,0 " + size), at("Show"));
        EXPECT_LT(at("Show"), static_cast<std::ptrdiff_t>(calls.size()));
        // WS_CHILD is added and no bit removed.
        EXPECT_EQ(host.platform.styles[self], static_cast<std::int32_t>(0x80000000u | 0x40000000u));
    }
}

TEST(Preview, NoHostGivesAZeroSizedWindowAndUnloadPostsCloseToItself) {
    Host host("/p nothing");
    const auto window = host.run();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(host.called("GetWindowRect 0"));
    EXPECT_TRUE(host.called("Move 0,0 0x0"));
    EXPECT_TRUE(host.called("Show"));
    host.forms.last->events().OnClose();
    EXPECT_EQ(host.platform.calls.back(), "PostMessageA " + std::to_string(host.forms.last->Handle()) + " 16 0 0");
    EXPECT_FALSE(host.platform.ended);  // the loop ends once the window is gone
    EXPECT_EQ(host.mciOpens, 0);
    EXPECT_FALSE(host.called("StartProgram /opt/zorun/Zorun.dll"));
}

TEST(SaverRun, LoadWritesTheTextureBeforeStartingTheRenderer) {
    Host host("/s");
    host.platform.folders.insert("/cache/k_vorn");  // an existing folder does not stop the start
    const auto window = host.run();
    ASSERT_NE(window, nullptr);
    auto calls = host.platform.calls;
    auto save = std::find(calls.begin(), calls.end(), "SavePictureAsBitmap /cache/k_vorn/Zorun.bmp 271x167");
    auto start = std::find(calls.begin(), calls.end(), "StartProgram /opt/zorun/Zorun.dll");
    ASSERT_NE(save, calls.end());
    EXPECT_LT(save, start);
    auto& timers = host.forms.last->timers;
    EXPECT_TRUE(timers[Zorun_S::kTimer3].on);
    EXPECT_EQ(timers[Zorun_S::kTimer3].interval, 500u);
    EXPECT_FALSE(timers[Zorun_S::kTimer1].on);
    EXPECT_FALSE(timers[Zorun_S::kTimer2].on);
    EXPECT_EQ(host.mciOpens, 0);  // no music chosen, no MCI opened
}

TEST(SaverRun, EndsAtTheFirstWatchTickWithoutARendererAndGivesTheCursorBackForSOnly) {
    for (const char* commandLine : {"/s", ""}) {
        SCOPED_TRACE(std::string("command line \"") + commandLine + "\"");
        Host host(commandLine);
        host.onDisk.BGM_Kind = 2;
        host.onDisk.BGM_File = "/music/song.mp3";
        const auto window = host.run();
        auto& saver = *host.forms.last;
        ASSERT_TRUE(saver.tick(Zorun_S::kTimer3));
        EXPECT_TRUE(host.platform.ended);
        EXPECT_TRUE(host.mciSent("stop MP3Play"));
        EXPECT_TRUE(host.mciSent("close MP3Play"));
        EXPECT_FALSE(saver.timers[Zorun_S::kTimer1].on);
        EXPECT_FALSE(saver.timers[Zorun_S::kTimer3].on);
        EXPECT_EQ(host.platform.cursorCount, 0);
        EXPECT_EQ(host.called("ShowCursor TRUE"), std::string(commandLine) == "/s");
        EXPECT_EQ(host.platform.calls.back(), "EndProcess");
    }
}

TEST(SaverRun, WatchTickWhileTheRendererRunsDoesNothing) {
    Host host("/s");
    const auto window = host.run();
    host.platform.windowsByTitle["Zorun_VC"] = 0x99;
    const auto before = host.platform.calls.size();
    for (int i = 0; i < 3; ++i)
        host.forms.last->tick(Zorun_S::kTimer3);
    EXPECT_EQ(host.platform.calls.size(), before + 3);
    EXPECT_FALSE(host.platform.ended);
    host.platform.windowsByTitle.clear();
    host.forms.last->tick(Zorun_S::kTimer3);
    EXPECT_TRUE(host.platform.ended);
    // A close request arriving afterwards does not run the unload steps twice.
    host.forms.last->events().OnClose();
    EXPECT_EQ(std::count(host.platform.calls.begin(), host.platform.calls.end(), "ShowCursor TRUE"), 1);
}

TEST(SaverRun, CdPollsUntilAPollFailsAndThenLeavesTheCdAlone) {
    Host host("/s");
    host.onDisk.BGM_Kind = 1;
    host.mciScript["status cdaudio current track"] = {0, "1"};
    host.mciScript["status cdaudio number of tracks"] = {0, "9"};
    host.mciScript["status cdaudio mode"] = {0, "playing"};
    const auto window = host.run();
    auto& saver = *host.forms.last;
    ASSERT_NE(host.mci, nullptr);
    EXPECT_TRUE(host.mciSent("open cdaudio"));
    EXPECT_TRUE(saver.timers[Zorun_S::kTimer2].on);
    EXPECT_EQ(saver.timers[Zorun_S::kTimer2].interval, 200u);

    EXPECT_TRUE(saver.tick(Zorun_S::kTimer2));
    EXPECT_TRUE(saver.timers[Zorun_S::kTimer2].on);
    host.mci->script["status cdaudio current track"] = {276, ""};  // the drive is no longer ready
    EXPECT_TRUE(saver.tick(Zorun_S::kTimer2));
    EXPECT_FALSE(saver.timers[Zorun_S::kTimer2].on);
    EXPECT_FALSE(saver.tick(Zorun_S::kTimer2));

    saver.tick(Zorun_S::kTimer3);
    EXPECT_TRUE(host.platform.ended);
    EXPECT_FALSE(host.mciSent("stop cdaudio"));
    EXPECT_FALSE(host.mciSent("close cdaudio"));
}

TEST(SaverRun, CdStillPollingIsStoppedAtTheEnd) {
    Host host("/s");
    host.onDisk.BGM_Kind = 1;
    const auto window = host.run();
    host.forms.last->tick(Zorun_S::kTimer3);
    EXPECT_TRUE(host.mciSent("stop cdaudio"));
    EXPECT_TRUE(host.mciSent("close cdaudio"));
}

TEST(SaverRun, MusicFileTypeByItsLastThreeCharactersInAnyCase) {
    enum Kind { Mp3, Wav, Nothing };
    const std::pair<const char*, Kind> cases[] = {
        {"/m/a.mp3", Mp3}, {"/m/a.Mp3", Mp3}, {"/m/A.MP3", Mp3}, {"/m/b.wav", Wav}, {"/m/b.WaV", Wav},
        {"/m/c.wave", Nothing}, {"/m/c.mpeg", Nothing}, {"/m/c.ogg", Nothing}, {"", Nothing},
    };
    for (const auto& [file, kind] : cases) {
        SCOPED_TRACE(file);
        Host host("/s");
        host.onDisk.BGM_Kind = 2;
        host.onDisk.BGM_File = file;
        const auto window = host.run();
        auto& saver = *host.forms.last;
        EXPECT_EQ(saver.timers[Zorun_S::kTimer1].on, kind == Mp3);
        if (kind == Nothing) {
            EXPECT_EQ(host.mciOpens, 0);
            saver.tick(Zorun_S::kTimer3);
            EXPECT_TRUE(host.platform.ended);
            continue;
        }
        const std::string start = kind == Mp3 ? std::string("open \"") + file + "\" type MPEGVideo Alias MP3Play"
                                              : std::string("PlaySoundA ") + file + " ";
        EXPECT_TRUE(host.mciSent(start));
        if (kind == Mp3) {
            EXPECT_EQ(saver.timers[Zorun_S::kTimer1].interval, 1000u);
            saver.tick(Zorun_S::kTimer1);  // not playing any more: played again from the start
            EXPECT_TRUE(host.mciSent("play MP3Play from 0"));
        }
        saver.tick(Zorun_S::kTimer3);
        EXPECT_EQ(host.mciSent("stop MP3Play"), kind == Mp3);
        EXPECT_EQ(host.mciSent("PlaySoundA null"), kind == Wav);
    }
}

TEST(SaverRun, CloseRequestRunsTheSameUnloadStepsAndLeavesTheRendererAlone) {
    Host host("-S");
    host.onDisk.BGM_Kind = 2;
    host.onDisk.BGM_File = "/m/b.wav";
    const auto window = host.run();
    host.platform.windowsByTitle["Zorun_VC"] = 0x99;
    host.forms.last->events().OnClose();
    EXPECT_TRUE(host.mciSent("PlaySoundA null"));
    EXPECT_TRUE(host.called("ShowCursor TRUE"));
    EXPECT_TRUE(host.platform.ended);
    EXPECT_FALSE(std::any_of(host.platform.calls.begin(), host.platform.calls.end(),
                             [](const std::string& c) { return c.rfind("PostMessageA", 0) == 0; }));
}

}  // namespace
}  // namespace zorun::host
