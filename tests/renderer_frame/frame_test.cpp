// The renderer frame driven through a fake window system: run, restart, creation undo and the procedure.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_window_system.h"

namespace {

constexpr std::uint32_t escape = 27;

struct FrameRun {
    FakeWindowSystem system;
    RecordingScene scene;
    int exitCode = 99;

    void go()
    {
        try {
            exitCode = runRenderer(system, reinterpret_cast<NativeInstance>(0x400000), scene);
        } catch (const StuckFrame& stuck) {
            FAIL() << stuck.what();
        }
    }
    // The calls from the first one starting with `from` on.
    std::vector<std::string> callsFrom(const std::string& from) const
    {
        auto it = std::find_if(system.calls.begin(), system.calls.end(),
                               [&](const std::string& call) { return call.rfind(from, 0) == 0; });
        return {it, system.calls.end()};
    }
};

const std::vector<std::string> fullScreenTeardown = {"makeCurrent none", "deleteGlContext", "releaseDeviceContext 1",
                                                     "destroyWindow 1", "changeDisplayMode none", "showCursor 1",
                                                     "unregisterClass OpenGL"};

TEST(RendererRun, BuildsTheFullScreenWindowStepByStep)
{
    FrameRun run;
    run.scene.afterDraw = [&](int) { run.system.post(msg::close); };
    run.go();
    const std::vector<std::string> expected = {
        "registerClass OpenGL", "changeDisplayMode 1024x768x32", "showCursor 0", "createWindow popup 1024x768 Zorun_VC",
        "getDeviceContext 1",   "choosePixelFormat 32/32",       "setPixelFormat 7", "createGlContext",
        "makeCurrent",          "showWindow 1 1",                "swapBuffers"};
    EXPECT_EQ(std::vector<std::string>(run.system.calls.begin(), run.system.calls.begin() + 11), expected);
    EXPECT_EQ(run.system.classStyle(), 0x23u);
    // WM_SIZE during creation, then the request's size once the context is current.
    EXPECT_EQ(run.scene.events[0], "reshape 1024x768");
    EXPECT_EQ(run.scene.events[1], "reshape 1024x768");
    EXPECT_EQ(run.scene.events[2], "init");
}

// How a run ends, depending on what reaches the window and when.
struct EndCase {
    const char* name;
    std::vector<WindowMessage> beforeFirstFrame;
    int postAfterFrame;  // 0: none
    std::vector<WindowMessage> posted;
    int expectedFrames;
};

class RunEnds : public ::testing::TestWithParam<EndCase> {};

TEST_P(RunEnds, AfterTheExpectedFrameWithExitCodeZeroAndEverythingReleased)
{
    const EndCase& c = GetParam();
    FrameRun run;
    run.scene.afterInit = [&] {
        for (const auto& m : c.beforeFirstFrame)
            run.system.post(m.message, m.wParam, m.lParam);
    };
    run.scene.afterDraw = [&](int frame) {
        if (frame == c.postAfterFrame)
            for (const auto& m : c.posted)
                run.system.post(m.message, m.wParam, m.lParam);
    };
    run.go();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.scene.frames, c.expectedFrames);
    EXPECT_EQ(keepRunning, 0);
    EXPECT_EQ(run.system.count("createWindow"), 1);
    // The last frame is drawn and swapped before anything is taken down.
    auto tail = run.callsFrom("makeCurrent none");
    EXPECT_EQ(tail, fullScreenTeardown);
    if (c.expectedFrames > 0) {
        EXPECT_EQ(run.system.calls[run.system.calls.size() - fullScreenTeardown.size() - 1], "swapBuffers");
        EXPECT_EQ(run.scene.events.back(), "draw");
    }
    EXPECT_EQ(run.system.cursorCount, 0);
    EXPECT_FALSE(run.system.modeChanged);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, RunEnds,
    ::testing::Values(
        EndCase{"EscapeSeenAtTheNextFrame", {}, 3, {{nullptr, msg::keyDown, escape, 0}}, 4},
        EndCase{"EscapeWaitingBeforeTheFirstFrame", {{nullptr, msg::keyDown, escape, 0}}, 0, {}, 1},
        // Frames run only on an empty queue, so a press released in the same burst is never seen.
        EndCase{"PressAndReleaseTogetherAreNotSeen",
                {{nullptr, msg::keyDown, escape, 0}, {nullptr, msg::keyUp, escape, 0}},
                2,
                {{nullptr, msg::close, 0, 0}},
                2},
        EndCase{"CloseEndsLikeEscape", {}, 2, {{nullptr, msg::close, 0, 0}}, 2},
        EndCase{"CloseBeforeTheFirstFrame", {{nullptr, msg::close, 0, 0}}, 0, {}, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RunEndsDetail, PressAndReleaseTogetherLeaveEveryFrameWithoutEscape)
{
    FrameRun run;
    run.scene.afterInit = [&] {
        run.system.post(msg::keyDown, escape);
        run.system.post(msg::keyUp, escape);
    };
    run.scene.afterDraw = [&](int frame) {
        if (frame == 3)
            run.system.post(msg::close);
    };
    run.go();
    EXPECT_EQ(run.scene.escapeAtFrame, (std::vector<std::int32_t>{0, 0, 0}));
}

TEST(RendererRestart, ToggleRecreatesInTheOtherModeAndBackKeepingTheRunAlive)
{
    FrameRun run;
    std::vector<std::int32_t> keepRunningAtInit;
    std::vector<std::int32_t> heldKeyAtInit;
    run.scene.afterInit = [&] {
        keepRunningAtInit.push_back(keepRunning);
        heldKeyAtInit.push_back(run.scene.keys->down[0x41]);
    };
    run.scene.afterDraw = [&](int frame) {
        if (frame == 2) {
            run.system.post(msg::keyDown, 0x41);  // held through the switch
            run.system.post(msg::toggleMode);
        }
        if (frame == 4)
            run.system.post(msg::toggleMode);
        if (frame == 6)
            run.system.post(msg::keyDown, escape);
    };
    run.go();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.scene.frames, 7);
    EXPECT_EQ(keepRunningAtInit, (std::vector<std::int32_t>{1, 1, 1}));
    EXPECT_EQ(heldKeyAtInit, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(wantFullScreen, 1);

    // One scene throughout, initialised again for every window.
    EXPECT_EQ(std::count(run.scene.events.begin(), run.scene.events.end(), "init"), 3);

    const auto& calls = run.system.calls;
    auto at = [&](const std::string& call, std::size_t from = 0) {
        return std::find(calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end(), call) - calls.begin();
    };
    // Full screen, then a window with a 1024 x 768 client area, then full screen again; each old window
    // is gone (and the mode restored) before the next is created.
    const auto firstDestroyed = static_cast<std::size_t>(at("destroyWindow 1"));
    EXPECT_LT(firstDestroyed, static_cast<std::size_t>(at("createWindow overlapped 1040x807 Zorun_VC")));
    EXPECT_EQ(calls[firstDestroyed + 1], "changeDisplayMode none");
    EXPECT_EQ(calls[firstDestroyed + 2], "showCursor 1");
    EXPECT_EQ(calls[firstDestroyed + 3], "adjustWindowRect");
    const auto secondDestroyed = static_cast<std::size_t>(at("destroyWindow 2"));
    EXPECT_EQ(calls[secondDestroyed + 1], "changeDisplayMode 1024x768x32");
    EXPECT_EQ(calls[secondDestroyed + 2], "showCursor 0");
    EXPECT_EQ(calls[secondDestroyed + 3], "createWindow popup 1024x768 Zorun_VC");
    EXPECT_EQ(run.system.count("changeDisplayMode 1024x768x32"), 2);
    EXPECT_EQ(run.system.count("changeDisplayMode none"), 2);
    EXPECT_EQ(run.system.cursorCount, 0);
    EXPECT_FALSE(run.system.modeChanged);
}

TEST(RendererRestart, RefusedFullScreenRunsInAWindowOfThatOuterSizeAndStillTogglesToWindowed)
{
    FrameRun run;
    run.system.refuseMode = true;
    run.scene.afterDraw = [&](int frame) {
        if (frame == 1)
            run.system.post(msg::toggleMode);
        if (frame == 2)
            run.system.post(msg::close);
    };
    run.go();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.system.count("createWindow overlapped 1024x768 Zorun_VC"), 1);
    EXPECT_EQ(run.system.count("createWindow overlapped 1040x807 Zorun_VC"), 1);
    EXPECT_EQ(run.system.count("changeDisplayMode 1024x768x32"), 1);  // the second window is windowed
    EXPECT_EQ(run.system.count("changeDisplayMode none"), 0);
    EXPECT_EQ(run.system.count("showCursor"), 0);
    EXPECT_EQ(wantFullScreen, 0);
}

TEST(RendererTiming, MinimisedWindowDrawsNothingAndTheNextFrameIncludesThePause)
{
    FrameRun run;
    run.system.tickStep = 0;
    run.scene.afterDraw = [&](int frame) {
        run.system.tick += 16;
        if (frame == 2)
            run.system.post(msg::size, sizeKind::minimized, 0);
        if (frame == 3)
            run.system.post(msg::close);
    };
    int waits = 0;
    run.system.onWait = [&] {
        ++waits;
        run.system.tick += 5000;
        if (waits == 3)
            run.system.post(msg::size, sizeKind::restored, (600 << 16) | 800);
    };
    run.go();
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(run.scene.frames, 3);
    EXPECT_EQ(run.scene.elapsed, (std::vector<std::int32_t>{0, 16, 15016}));
    EXPECT_NE(std::find(run.scene.events.begin(), run.scene.events.end(), "reshape 800x600"), run.scene.events.end());
}

TEST(RendererTiming, ElapsedTimeStaysRightAcrossTheCounterWrap)
{
    FrameRun run;
    run.system.tick = 0xFFFFFF00u;
    run.system.tickStep = 0x180;  // creation reads once, then every frame once
    run.scene.afterDraw = [&](int frame) {
        if (frame == 4)
            run.system.post(msg::close);
    };
    run.go();
    EXPECT_EQ(run.scene.elapsed, (std::vector<std::int32_t>{0x180, 0x180, 0x180, 0x180}));
}

TEST(RendererRun, ClassRegistrationFailingReturnsMinusOneAndTouchesNothingElse)
{
    FrameRun run;
    run.system.failing = "registerClass";
    run.go();
    EXPECT_EQ(run.exitCode, -1);
    EXPECT_EQ(run.system.calls, (std::vector<std::string>{"registerClass OpenGL"}));
    EXPECT_TRUE(run.scene.events.empty());
}

// Each failing creation step, in either mode: what is undone, newest first.
struct FailCase {
    const char* step;
    bool fullScreen;
    std::vector<std::string> undo;  // calls after the failing one
};

class CreationFails : public ::testing::TestWithParam<FailCase> {};

TEST_P(CreationFails, UndoesExactlyWhatExistsAndEndsWithZero)
{
    const FailCase& c = GetParam();
    FrameRun run;
    run.system.failing = c.step;
    if (!c.fullScreen) {
        // A first full-screen window toggles to windowed; the windowed creation fails.
        run.system.failing.clear();
        run.scene.afterDraw = [&](int) {
            run.system.failing = c.step;
            run.system.post(msg::toggleMode);
        };
    }
    run.go();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(keepRunning, 0);
    EXPECT_EQ(run.system.cursorCount, 0);
    EXPECT_FALSE(run.system.modeChanged);
    std::vector<std::string> expected = c.undo;
    if (c.fullScreen) {
        expected.push_back("changeDisplayMode none");
        expected.push_back("showCursor 1");
    }
    expected.push_back("unregisterClass OpenGL");
    // Find the last attempt of the failing step and compare what follows it.
    std::size_t last = 0;
    for (std::size_t i = 0; i < run.system.calls.size(); ++i)
        if (run.system.calls[i].rfind(c.step, 0) == 0 && run.system.calls[i] != "makeCurrent none")
            last = i;
    EXPECT_EQ(std::vector<std::string>(run.system.calls.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                                       run.system.calls.end()),
              expected);
    EXPECT_EQ(std::count(run.scene.events.begin(), run.scene.events.end(), "init"), c.fullScreen ? 0 : 1);
}

const std::vector<FailCase> failCases(bool fullScreen)
{
    const std::string w = fullScreen ? "1" : "2";
    return {
        {"createWindow", fullScreen, {}},
        {"getDeviceContext", fullScreen, {"destroyWindow " + w}},
        {"choosePixelFormat", fullScreen, {"releaseDeviceContext " + w, "destroyWindow " + w}},
        {"setPixelFormat", fullScreen, {"releaseDeviceContext " + w, "destroyWindow " + w}},
        {"createGlContext", fullScreen, {"releaseDeviceContext " + w, "destroyWindow " + w}},
        {"makeCurrent", fullScreen, {"deleteGlContext", "releaseDeviceContext " + w, "destroyWindow " + w}},
    };
}

INSTANTIATE_TEST_SUITE_P(FullScreen, CreationFails, ::testing::ValuesIn(failCases(true)),
                         [](const auto& param) { return std::string(param.param.step); });
INSTANTIATE_TEST_SUITE_P(Windowed, CreationFails, ::testing::ValuesIn(failCases(false)),
                         [](const auto& param) { return std::string(param.param.step); });

// The window procedure on its own, one message at a time.
struct ProcCase {
    const char* name;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool reachesDefault;
    std::int32_t visibleAfter;  // starts at 1
    const char* reshape;        // expected scene event, or nullptr
};

class WindowProcedure : public ::testing::TestWithParam<ProcCase> {};

TEST_P(WindowProcedure, AnswersAsTheMessageTableSays)
{
    const ProcCase& c = GetParam();
    FakeWindowSystem system;
    RecordingScene scene;
    KeyTable keys;
    ClassInfo classInfo;
    RenderWindow window;
    window.keys = &keys;
    window.system = &system;
    window.scene = &scene;
    window.request.classInfo = &classInfo;
    ASSERT_TRUE(registerRendererClass(system, classInfo));
    WindowCreation creation;
    creation.style = windowStyle::popup;
    creation.parameter = &window;
    NativeWindow handle = system.createWindow(creation);
    window.window = handle;
    ASSERT_EQ(system.userData(handle), &window);
    scene.events.clear();
    window.visible = 1;
    keepRunning = 1;
    wantFullScreen = 1;

    WindowMessage message{handle, c.message, c.wParam, c.lParam};
    system.dispatchMessage(message);

    EXPECT_EQ(!system.defaultMessages.empty() && system.defaultMessages.back() == c.message, c.reachesDefault);
    EXPECT_EQ(window.visible, c.visibleAfter);
    if (c.reshape != nullptr)
        EXPECT_EQ(scene.events, (std::vector<std::string>{c.reshape}));
    else
        EXPECT_TRUE(scene.events.empty());
    for (int key = 0; key < 256; ++key)
        EXPECT_EQ(keys.down[key], c.message == msg::keyDown && static_cast<std::uintptr_t>(key) == c.wParam ? 1 : 0);
    EXPECT_EQ(keepRunning, c.message == msg::close ? 0 : 1);
    EXPECT_EQ(wantFullScreen, c.message == msg::toggleMode ? 0 : 1);
    WindowMessage posted;
    const bool quitPosted = system.peekMessage(posted, handle) && posted.message == msg::quit;
    EXPECT_EQ(quitPosted, c.message == msg::close || c.message == msg::toggleMode);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, WindowProcedure,
    ::testing::Values(
        ProcCase{"SizeRestored", msg::size, sizeKind::restored, (480 << 16) | 640, false, 1, "reshape 640x480"},
        ProcCase{"SizeMaximized", msg::size, sizeKind::maximized, (1200 << 16) | 1920, false, 1, "reshape 1920x1200"},
        ProcCase{"SizeMinimized", msg::size, sizeKind::minimized, 0, false, 0, nullptr},
        ProcCase{"SizeMaxShow", msg::size, sizeKind::maxShow, (480 << 16) | 640, true, 1, nullptr},
        ProcCase{"SizeMaxHide", msg::size, sizeKind::maxHide, (480 << 16) | 640, true, 1, nullptr},
        ProcCase{"KeyDown", msg::keyDown, 0x41, 0, false, 1, nullptr},
        ProcCase{"KeyDown255", msg::keyDown, 255, 0, false, 1, nullptr},
        ProcCase{"KeyDownAbove255", msg::keyDown, 256, 0, true, 1, nullptr},
        ProcCase{"KeyUpAbove255", msg::keyUp, 0x141, 0, true, 1, nullptr},
        ProcCase{"Close", msg::close, 0, 0, false, 1, nullptr},
        ProcCase{"ScreenSaveSwallowed", msg::sysCommand, sysCommand::screenSave, 0, false, 1, nullptr},
        ProcCase{"MonitorPowerSwallowed", msg::sysCommand, sysCommand::monitorPower, 2, false, 1, nullptr},
        ProcCase{"MonitorPowerWithSystemBitsSwallowed", msg::sysCommand, sysCommand::monitorPower | 2, 2, false, 1,
                 nullptr},
        ProcCase{"OtherSysCommandPassesOn", msg::sysCommand, 0xF060 /* SC_CLOSE */, 0, true, 1, nullptr},
        ProcCase{"ToggleMode", msg::toggleMode, 0, 0, true, 1, nullptr}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(WindowProcedureKeys, KeyUpClearsOnlyItsOwnEntry)
{
    FakeWindowSystem system;
    RecordingScene scene;
    KeyTable keys;
    ClassInfo classInfo;
    RenderWindow window;
    window.keys = &keys;
    window.system = &system;
    window.scene = &scene;
    ASSERT_TRUE(registerRendererClass(system, classInfo));
    WindowCreation creation;
    creation.parameter = &window;
    NativeWindow handle = system.createWindow(creation);
    for (std::uint32_t key : {0x41u, 0x42u, 27u})
        system.dispatchMessage({handle, msg::keyDown, key, 0});
    system.dispatchMessage({handle, msg::keyUp, 0x42, 0});
    EXPECT_EQ(keys.down[0x41], 1);
    EXPECT_EQ(keys.down[0x42], 0);
    EXPECT_EQ(keys.down[27], 1);
}

}  // namespace
