// Main, the saver run and the preview start, through fakes of the host's platform, windows and MCI.
#include "fake_mci.h"
#include "host/saver_window.h"
#include "host/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <sstream>
#include <utility>

namespace zorun::host {
namespace {

using zorun::music::testing::FakeMci;

constexpr WindowHandle kSelf = 1280;  // the one window a run opens
constexpr WindowHandle kRenderer = 153;

template <typename... Parts>
void record(std::vector<std::string>& calls, const Parts&... parts)
{
    std::ostringstream line;
    ((line << parts << ' '), ...);
    calls.push_back(line.str().substr(0, line.str().size() - 1));
}

struct FakeWindow final : HostWindow {
    FakeWindow(std::vector<std::string>& log, FormEvents& listener) : calls(log), events(listener) {}
    WindowHandle Handle() const override { return kSelf; }
    void SetTimer(int id, std::uint32_t interval, bool on) override { timers[id] = on ? interval : 0; }
    void SetPicture(const Picture& p, std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) override
    {
        record(calls, "SetPicture", p.width, p.height, l, t, w, h);
    }
    void Move(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) override
    {
        record(calls, "Move", l, t, w, h);
    }
    void Show() override { record(calls, "Show"); }
    // As the message loop delivers ticks: only while the timer runs.
    bool tick(int id) { return timers[id] != 0 && (events.OnTimer(id), true); }

    std::vector<std::string>& calls;
    FormEvents& events;
    std::map<int, std::uint32_t> timers;  // the interval of each running timer, 0 when off
};

// Every port in one, so that the order of calls across them shows: records every call as text, e.g.
// "StartProgram /opt/zorun/Zorun.dll", and answers as user32 would.
struct FakePlatform final : Desktop, ScreenMetrics, Files, Processes, StoredPictures, DisplayModes, Forms {
    WindowHandle FindWindowA(const std::string& title) override
    {
        record(calls, "FindWindowA", title);
        return windowsByTitle.count(title) ? windowsByTitle[title] : 0;
    }
    bool GetWindowRect(WindowHandle window, Rect& rect) override
    {
        return rects.count(window) && (rect = rects[window], true);
    }
    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t) override { return window == kSelf ? style : 0; }
    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) override
    {
        record(calls, "SetWindowLongA", window, index);
        return window == kSelf ? std::exchange(style, value) : 0;
    }
    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override
    {
        return record(calls, "SetParent", child, parent), 0;
    }
    int ShowCursor(bool show) override { return record(calls, "ShowCursor", show), 0; }
    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t w, std::intptr_t l) override
    {
        return record(calls, "PostMessageA", window, message, w, l), true;
    }
    double TwipsPerPixelX() override { return twips; }
    double TwipsPerPixelY() override { return twips; }
    // Already there, as on every run but the first.
    bool CreateFolder(const std::string& path) override { return record(calls, "CreateFolder", path), false; }
    bool SavePictureAsBitmap(const Picture& picture, const std::string& path) override
    {
        return record(calls, "SavePictureAsBitmap", path, picture.width, picture.height), true;
    }
    bool StartProgram(const std::string& path) override
    {
        record(calls, "StartProgram", path);
        return programRunning = programStarts;
    }
    bool ProgramRunning() override { return programRunning; }
    Picture LoadStoredPicture(StoredPicture which) override
    {
        return which == StoredPicture::Cloud ? Picture{271, 167, {}} : Picture{152, 112, {}};
    }
    void KeepDisplayMode() override { record(calls, "KeepDisplayMode"); }
    void RestoreDisplayMode() override { record(calls, "RestoreDisplayMode"); }
    void EndProcess() override { record(calls, "EndProcess"); }

    std::unique_ptr<HostWindow> CreateSaverWindow(const std::string& caption, FormEvents& events) override
    {
        return record(calls, "CreateSaverWindow", caption), open(events);
    }
    std::unique_ptr<HostWindow> CreatePreviewWindow(const std::string& caption, FormEvents& events) override
    {
        return record(calls, "CreatePreviewWindow", caption), open(events);
    }
    void RunMessageLoop() override {}
    HostPorts ports() { return {*this, *this, *this, *this, *this, *this}; }
    std::unique_ptr<HostWindow> open(FormEvents& events)
    {
        return std::unique_ptr<HostWindow>(opened = new FakeWindow(calls, events));
    }

    bool programStarts = true, programRunning = false;
    std::map<std::string, WindowHandle> windowsByTitle;
    std::map<WindowHandle, Rect> rects;
    std::int32_t style = static_cast<std::int32_t>(0x80000000u);  // WS_POPUP, as the preview window is made
    double twips = 15;
    std::vector<std::string> calls;
    FakeWindow* opened = nullptr;  // the window of the run
};

// Whether calls holds wanted in that order.
bool inOrder(const std::vector<std::string>& calls, std::initializer_list<std::string> wanted)
{
    auto from = calls.begin();
    for (const auto& call : wanted) {
        from = std::find(from, calls.end(), call);
        if (from == calls.end())
            return false;
        ++from;
    }
    return true;
}

// A run of Main whose settings file holds the music kind and file given.
struct Host {
    explicit Host(std::string commandLine, std::int16_t kind = 0, std::string file = "")
        : onDisk{kind, 0, std::move(file), ""},
          context{platform.ports(),
                  platform,
                  std::move(commandLine),
                  "/opt/zorun",
                  kPosixPaths,
                  "/cache/k_vorn",
                  "/cache/k_vorn/Zorun.bmp",
                  settings,
                  [this] { record(platform.calls, "LoadSettings"), settings = onDisk; },
                  [this] { return std::unique_ptr<music::MciPort>(mci = new FakeMci); },
                  [this] { record(platform.calls, "SettingsDialog"); }}
    {}

    std::unique_ptr<OpenWindows> run() { return Main(context); }
    // A saver run kept open, and its window.
    FakeWindow& runSaver() { return windows = run(), *platform.opened; }
    bool called(const std::string& call) const { return inOrder(platform.calls, {call}); }
    void rendererEnds()
    {
        platform.programRunning = false;
        platform.windowsByTitle.erase("Zorun_VC");
    }
    bool mciSent(const std::string& prefix) const
    {
        return mci && std::any_of(mci->calls.begin(), mci->calls.end(),
                                  [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    }

    FakePlatform platform;
    SharedSettings settings, onDisk;
    FakeMci* mci = nullptr;
    HostContext context;
    std::unique_ptr<OpenWindows> windows;
};

TEST(Main, ModeTableAndGuard)
{
    enum Outcome { Saver, Preview, Dialog, Ends };
    const struct {
        const char* commandLine;
        Outcome outcome;
        WindowHandle previewHost;
    } cases[] = {
        {"/s", Saver, 0},
        {"-S", Saver, 0},
        {"", Saver, 0},
        {"s", Ends, 0},
        {"/a", Ends, 0},
        {"/c", Dialog, 0},
        {"/c:1234", Dialog, 0},
        {"/p 1234", Preview, 1234},
        {"/p:1234", Preview, 1234},
        {"/p", Preview, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("command line \"") + c.commandLine + "\"");
        Host host(c.commandLine);
        host.platform.windowsByTitle["Preview Window"] = 0x78;  // another preview marks no running saver
        const auto window = host.run();

        const bool prepares = c.outcome != Preview;
        EXPECT_EQ(host.called("CreateFolder /cache/k_vorn"), prepares);
        EXPECT_EQ(host.called("LoadSettings"), prepares);
        EXPECT_EQ(host.called("ShowCursor 0"), c.outcome == Saver && c.commandLine[0] != '\0');
        EXPECT_EQ(host.called("SettingsDialog"), c.outcome == Dialog);
        EXPECT_EQ(host.called("EndProcess"), c.outcome == Dialog || c.outcome == Ends);
        EXPECT_EQ(window != nullptr, c.outcome == Saver || c.outcome == Preview);
        EXPECT_EQ(host.called("CreateSaverWindow Zorun_Main"), c.outcome == Saver);
        // The renderer reads the texture as it starts, so the file must be whole before.
        EXPECT_EQ(inOrder(host.platform.calls,
                          {"SavePictureAsBitmap /cache/k_vorn/Zorun.bmp 271 167", "StartProgram /opt/zorun/Zorun.dll"}),
                  c.outcome == Saver);
        EXPECT_EQ(host.called("CreatePreviewWindow Preview Window"), c.outcome == Preview);
        EXPECT_EQ(host.called("SetParent 1280 " + std::to_string(c.previewHost)), c.outcome == Preview);

        // A running saver or settings dialog ends every mode before any work.
        for (const char* title : {"Zorun_Main", "<Zorun>"}) {
            Host second(c.commandLine);
            second.platform.windowsByTitle[title] = 0x77;
            EXPECT_EQ(second.run(), nullptr) << title;
            EXPECT_EQ(second.platform.calls,
                      (std::vector<std::string>{"FindWindowA Zorun_Main", "FindWindowA <Zorun>", "EndProcess"}));
        }
    }
}

TEST(Main, PreviewHandleText)
{
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const std::pair<const char*, std::int32_t> cases[] = {
        {"/P   77", 77},
        {"/p x12", 0},
        {"/p 12abc", 12},
        {"/p -5", -5},
        {"/p 2.5", 2},
        {"/p 3.5", 4},
        {"/p 7.6", 8},
        {"/p 99999999999", kMax},
        {"/p -99999999999", kMin},
    };
    for (const auto& [text, handle] : cases)
        EXPECT_EQ(PreviewHandle(text), handle) << text;
}

TEST(Preview, EmbedsAtTheHostsSizeWithThePictureUnscaledAndUnloadPostsCloseToItself)
{
    const struct {
        WindowHandle host;
        Rect hostRect;
        double twips;
        const char* size;
    } cases[] = {
        {4660, {100, 50, 252, 162}, 15, "152 112"},
        {4660, {0, 0, 2184, 2185}, 15, "2184 0"},  // 2185 x 15 twips do not fit in 16 bits
        {4660, {0, 0, 2700, 90}, 12, "2700 90"},   // at 120 dots per inch they do
        {4660, {10, 10, 0, 0}, 15, "0 0"},         // negative sizes show nothing
        {0, {}, 15, "0 0"},                        // no host: its rectangle cannot be read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        Host host("/p " + std::to_string(c.host));
        host.platform.rects[4660] = c.hostRect;
        host.platform.twips = c.twips;
        const auto window = host.run();
        ASSERT_NE(window, nullptr);
        // Made a child before it is placed, shown last: the preview never flashes on the desktop.
        EXPECT_TRUE(inOrder(host.platform.calls, {"SetWindowLongA 1280 -16", "SetParent 1280 " + std::to_string(c.host),
                                                  std::string("Move 0 0 ") + c.size,
                                                  std::string("SetPicture 152 112 0 0 ") + c.size, "Show"}));
        EXPECT_EQ(host.platform.style, static_cast<std::int32_t>(0x80000000u | 0x40000000u));
        host.platform.opened->events.OnClose();
        EXPECT_EQ(host.platform.calls.back(), "PostMessageA 1280 16 0 0");
        EXPECT_FALSE(host.called("EndProcess"));  // the loop ends once the window is gone
    }
}

TEST(SaverRun, EndsOnceAfterTheRendererStoppingTheMusicAndGivingTheCursorBackForSOnly)
{
    // Ended by the watch tick once the renderer's window has gone, or by a close request while it shows.
    for (const auto& [commandLine, byClose] : {std::pair{"/s", false}, std::pair{"", false}, std::pair{"-S", true}}) {
        SCOPED_TRACE(std::string("command line \"") + commandLine + "\"");
        Host host(commandLine, 2, "/music/song.mp3");
        FakeWindow& saver = host.runSaver();
        EXPECT_EQ(saver.timers[Zorun_S::kTimer3], 500u);
        host.platform.windowsByTitle["Zorun_VC"] = kRenderer;
        EXPECT_TRUE(saver.tick(Zorun_S::kTimer3));
        EXPECT_FALSE(host.called("EndProcess"));

        if (byClose) {
            saver.events.OnClose();
        } else {
            host.rendererEnds();
            saver.tick(Zorun_S::kTimer3);
        }
        EXPECT_EQ(host.platform.calls.back(), "EndProcess");
        // The mode seen before the renderer started is given back once its window has gone.
        EXPECT_TRUE(inOrder(host.platform.calls, {"KeepDisplayMode", "StartProgram /opt/zorun/Zorun.dll"}));
        EXPECT_EQ(host.called("RestoreDisplayMode"), !byClose);
        EXPECT_TRUE(host.mci && inOrder(host.mci->calls, {"stop MP3Play", "close MP3Play"}));
        EXPECT_EQ(saver.timers[Zorun_S::kTimer1], 0u);
        EXPECT_EQ(host.called("ShowCursor 1"), commandLine[0] != '\0');
        // A later close request finds nothing more to do; the renderer is never asked to close.
        saver.events.OnClose();
        EXPECT_EQ(std::count(host.platform.calls.begin(), host.platform.calls.end(), "EndProcess"), 1);
        EXPECT_FALSE(host.called("PostMessageA " + std::to_string(kRenderer) + " 16 0 0"));
    }
}

TEST(SaverRun, TheRenderersProcessEndsTheRunNotAWindowMissingForLessThanFifteenSeconds)
{
    // One letter per look of the watch at the renderer: 'w' runs with its window, '-' runs without one
    // (a mode switch takes seconds on a real monitor), 'x' has ended, 'X' has ended but a window of that
    // title is still there, '!' has ended and the message loop says so at once.
    const std::string windowless15s(30, '-');
    const struct {
        const char* what;
        std::string looks;  // the run ends at the last one
        bool starts, restoresMode;
    } cases[] = {
        {"a slow start, then Escape", "----wwx", true, true},
        {"a restart in the other mode", "ww--wwx", true, true},
        {"killed before its first window", "---x", true, true},
        {"a window of another program with the same title", "wwX", true, true},
        {"the end told by the message loop", "w-ww!", true, true},
        {"not started", "x", false, true},
        {"no window for 15 s", windowless15s, true, false},
        {"15 s without a window between two", "w" + windowless15s.substr(1) + "w" + windowless15s, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Host host("/s", 2, "/music/song.mp3");
        host.platform.programStarts = c.starts;
        FakeWindow& saver = host.runSaver();
        for (std::size_t look = 0; look < c.looks.size(); ++look) {
            const char state = c.looks[look];
            host.platform.programRunning = state == 'w' || state == '-';
            if (state == 'w' || state == 'X')
                host.platform.windowsByTitle["Zorun_VC"] = kRenderer;
            else
                host.platform.windowsByTitle.erase("Zorun_VC");
            if (state == '!')
                saver.events.OnProgramEnded();
            else
                EXPECT_TRUE(saver.tick(Zorun_S::kTimer3));
            ASSERT_EQ(host.called("EndProcess"), look + 1 == c.looks.size()) << "look " << look + 1;
        }
        EXPECT_TRUE(inOrder(host.mci->calls, {"stop MP3Play", "close MP3Play"}));
        EXPECT_EQ(host.called("RestoreDisplayMode"), c.restoresMode);
    }
}

// One claim shared by the runs of a test, as the real one is by all the runs of a user.
struct FakeClaim final : MusicClaim {
    FakeClaim(int& sharedHolder, int self) : holder(sharedHolder), id(self) {}
    bool TryClaim() override { return (holder == 0 ? holder = id : holder) == id; }
    void Release() override { holder = holder == id ? 0 : holder; }
    int& holder;
    int id;
};

TEST(SideBySide, EveryRunDrawsAndOnlyTheClaimHolderPlaysUntilItEnds)
{
    int holder = 0;
    FakeClaim claims[] = {{holder, 1}, {holder, 2}, {holder, 3}};
    Host first("", 2, "/m/song.wav"), second("", 2, "/m/song.wav"), later("", 2, "/m/song.wav");
    first.context.musicClaim = &claims[0];
    second.context.musicClaim = &claims[1];
    later.context.musicClaim = &claims[2];
    // The first run's saver is there when the second starts, and a forgotten settings dialog too.
    second.platform.windowsByTitle = {{"Zorun_Main", 0x77}, {"<Zorun>", 0x78}};
    later.platform.windowsByTitle = second.platform.windowsByTitle;

    FakeWindow& firstSaver = first.runSaver();
    second.runSaver();
    for (Host* run : {&first, &second}) {
        EXPECT_TRUE(run->called("StartProgram /opt/zorun/Zorun.dll"));
        EXPECT_FALSE(run->called("EndProcess"));
    }
    EXPECT_TRUE(first.mciSent("PlaySoundA /m/song.wav"));
    EXPECT_EQ(second.mci, nullptr);  // no device opened: a CD stays free for the player

    // The player's renderer ends: the other run draws on, and the next one to start plays.
    first.rendererEnds();
    firstSaver.tick(Zorun_S::kTimer3);
    EXPECT_TRUE(first.called("EndProcess"));
    EXPECT_FALSE(second.called("EndProcess"));
    later.runSaver();
    EXPECT_TRUE(later.mciSent("PlaySoundA /m/song.wav"));
}

TEST(SaverRun, CdPollingEndsAtTheFirstFailedPollAndThenTheCdIsLeftAlone)
{
    for (bool pollFails : {false, true}) {
        SCOPED_TRACE(pollFails ? "a poll failed" : "polls succeed");
        Host host("/s", 1);
        FakeWindow& saver = host.runSaver();
        ASSERT_TRUE(host.mciSent("open cdaudio"));
        EXPECT_EQ(saver.timers[Zorun_S::kTimer2], 200u);
        EXPECT_TRUE(saver.tick(Zorun_S::kTimer2));
        EXPECT_EQ(saver.timers[Zorun_S::kTimer2], 200u);
        if (pollFails) {
            host.mci->script["status cdaudio current track"] = {276, ""};  // the drive is no longer ready
            EXPECT_TRUE(saver.tick(Zorun_S::kTimer2));
            EXPECT_FALSE(saver.tick(Zorun_S::kTimer2));
        }
        host.rendererEnds();
        saver.tick(Zorun_S::kTimer3);
        EXPECT_TRUE(host.called("EndProcess"));
        EXPECT_EQ(host.mciSent("stop cdaudio"), !pollFails);
        EXPECT_EQ(host.mciSent("close cdaudio"), !pollFails);
    }
}

TEST(SaverRun, TheMusicFilesTypeChoosesHowItIsPlayedAndStopped)
{
    enum Kind { Mp3, Wav, Nothing };
    // Which names count as which type is musicSourceFor's table, checked in the music tests.
    const std::pair<std::string, Kind> cases[] = {{"/m/A.mP3", Mp3}, {"/m/b.WaV", Wav}, {"/m/c.wave", Nothing}};
    for (const auto& [file, kind] : cases) {
        SCOPED_TRACE(file);
        Host host("/s", 2, file);
        FakeWindow& saver = host.runSaver();
        EXPECT_EQ(host.mci != nullptr, kind != Nothing);
        EXPECT_EQ(host.mciSent("open \"" + file + "\" type MPEGVideo Alias MP3Play"), kind == Mp3);
        EXPECT_EQ(host.mciSent("PlaySoundA " + file + " "), kind == Wav);
        EXPECT_EQ(saver.timers[Zorun_S::kTimer1], kind == Mp3 ? 1000u : 0u);
        if (kind == Mp3) {
            saver.tick(Zorun_S::kTimer1);  // not playing any more: played again from the start
            EXPECT_TRUE(host.mciSent("play MP3Play from 0"));
        }
        host.rendererEnds();
        saver.tick(Zorun_S::kTimer3);
        EXPECT_TRUE(host.called("EndProcess"));
        EXPECT_EQ(host.mciSent("stop MP3Play"), kind == Mp3);
        EXPECT_EQ(host.mciSent("PlaySoundA null"), kind == Wav);
    }
}

}  // namespace
}  // namespace zorun::host
