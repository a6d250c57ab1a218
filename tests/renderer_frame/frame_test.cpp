// The renderer frame driven through a fake window system: run, restart, creation undo and the procedure.
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

#include "fake_window_system.h"

namespace zorun::renderer {

namespace {

using Calls = std::vector<std::string>;
constexpr std::uint32_t escape = 27;

// The calls written as one text, "; " between them, as a trace reads.
Calls trace(std::string_view text)
{
    Calls calls;
    for (const auto part : std::views::split(text, std::string_view{"; "}))
        calls.emplace_back(part.begin(), part.end());
    return calls;
}

class Frame : public ::testing::Test {
protected:
    FakeWindowSystem fake;
    int exitCode = 99;

    void go()
    {
        try {
            exitCode = runRenderer(fake, reinterpret_cast<NativeInstance>(0x400000), fake);
        } catch (const StuckFrame& stuck) {
            FAIL() << stuck.what();
        }
    }
    // The calls that make and take down windows and display modes, in order.
    Calls modeCalls() const
    {
        Calls kept;
        for (const auto& call : fake.calls)
            for (const char* prefix : {"createWindow", "destroyWindow", "changeDisplayMode", "showCursor"})
                if (call.starts_with(prefix))
                    kept.push_back(call);
        return kept;
    }
    Calls lastCalls(std::size_t n) const { return {fake.calls.end() - static_cast<long>(n), fake.calls.end()}; }
};

TEST_F(Frame, BuildsTheFullScreenWindowStepByStepDrawsAndTakesItDown)
{
    fake.afterDraw = [&](int) { fake.post(msg::close); };
    go();
    // WM_SIZE reshapes during creation, then the request's size once the context is current.
    EXPECT_EQ(fake.calls, trace("registerClass OpenGL 35; changeDisplayMode 1024x768x32; showCursor 0; "
                                "createWindow popup 1024x768 Zorun_VC; reshape 1024x768; getDeviceContext 1; "
                                "choosePixelFormat 32/32; setPixelFormat 7; createGlContext; makeCurrent; "
                                "showWindow 1 1; reshape 1024x768; init; draw; swapBuffers; endScene; noneCurrent; "
                                "deleteGlContext; releaseDeviceContext 1; destroyWindow 1; changeDisplayMode none; "
                                "showCursor 1; unregisterClass OpenGL"));
}

TEST_F(Frame, ClassRegistrationFailingReturnsMinusOneAndTouchesNothingElse)
{
    fake.failing = "registerClass";
    go();
    EXPECT_EQ(exitCode, -1);
    EXPECT_EQ(fake.calls, (Calls{"registerClass OpenGL 35"}));
}

// How a run ends, depending on what reaches the window and when.
struct EndCase {
    const char* name;
    std::vector<WindowMessage> beforeFirstFrame;
    int postAfterFrame;
    std::vector<WindowMessage> posted;
    int expectedFrames;
};

class RunEnds : public Frame, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RunEnds, AfterTheLastFrameIsSwappedWithExitCodeZeroAndEverythingReleased)
{
    const EndCase& c = GetParam();
    auto post = [&](const std::vector<WindowMessage>& messages) {
        for (const auto& m : messages)
            fake.post(m.message, m.wParam, m.lParam);
    };
    fake.afterInit = [&] { post(c.beforeFirstFrame); };
    fake.afterDraw = [&](int frame) {
        if (frame == c.postAfterFrame)
            post(c.posted);
    };
    go();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(fake.frames, c.expectedFrames);
    // The teardown itself is the one traced in full above.
    EXPECT_EQ(lastCalls(2), (Calls{"showCursor 1", "unregisterClass OpenGL"}));
}

const WindowMessage escapeDown{nullptr, msg::keyDown, escape, 0};
const WindowMessage closeRequest{nullptr, msg::close, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Frame, RunEnds,
    ::testing::Values(
        EndCase{"EscapeSeenAtTheNextFrame", {}, 3, {escapeDown}, 4},
        EndCase{"EscapeWaitingBeforeTheFirstFrame", {escapeDown}, 0, {}, 1},
        // Frames run only on an empty queue, so a press released in the same burst is never seen.
        EndCase{
            "PressAndReleaseTogetherAreNotSeen", {escapeDown, {nullptr, msg::keyUp, escape, 0}}, 2, {closeRequest}, 2},
        EndCase{"CloseBeforeTheFirstFrame", {closeRequest}, 0, {}, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Frame, ToggleRecreatesInTheOtherModeAndBackKeepingTheRunAlive)
{
    std::vector<std::int32_t> heldAtInit;  // per window
    fake.afterInit = [&] { heldAtInit.push_back(fake.keys->down[0x41]); };
    fake.afterDraw = [&](int frame) {
        if (frame == 2)
            fake.post(msg::keyDown, 0x41);  // held through the switch
        if (frame == 2 || frame == 4)
            fake.post(msg::toggleMode);
        if (frame == 6)
            fake.post(msg::keyDown, escape);
    };
    go();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(fake.frames, 7);
    EXPECT_EQ(heldAtInit, (std::vector<std::int32_t>{0, 0, 0}));
    // Each old window is gone, and the mode restored, before the next one; windowed is 1024 x 768 inside.
    EXPECT_EQ(modeCalls(), trace("changeDisplayMode 1024x768x32; showCursor 0; createWindow popup 1024x768 Zorun_VC; "
                                 "destroyWindow 1; changeDisplayMode none; showCursor 1; "
                                 "createWindow overlapped 1040x807 Zorun_VC; destroyWindow 2; "
                                 "changeDisplayMode 1024x768x32; showCursor 0; createWindow popup 1024x768 Zorun_VC; "
                                 "destroyWindow 3; changeDisplayMode none; showCursor 1"));
}

TEST_F(Frame, RefusedFullScreenRunsInAWindowOfThatOuterSizeAndStillTogglesToWindowed)
{
    fake.refuseMode = true;
    fake.afterDraw = [&](int frame) { fake.post(frame == 1 ? msg::toggleMode : msg::close); };
    go();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(modeCalls(), (Calls{"changeDisplayMode 1024x768x32", "createWindow overlapped 1024x768 Zorun_VC",
                                  "destroyWindow 1", "createWindow overlapped 1040x807 Zorun_VC", "destroyWindow 2"}));
    // The view set up once the context is current is the client area's, in both windows.
    EXPECT_EQ(std::ranges::count(fake.calls, "reshape 1008x729"), 2);
    EXPECT_EQ(std::ranges::count(fake.calls, "reshape 1024x768"), 2);
}

TEST_F(Frame, MinimisedWindowDrawsNothingAndTheNextFrameIncludesThePause)
{
    fake.tick = 0xFFFFFFF0u;  // the counter wraps between the first two frames
    fake.afterDraw = [&](int frame) {
        fake.tick += 16;
        if (frame == 2)
            fake.post(msg::size, sizeKind::minimized, 0);
        if (frame == 3)
            fake.post(msg::close);
    };
    int waits = 0;
    fake.onWait = [&] {
        fake.tick += 5000;
        if (++waits == 3)
            fake.post(msg::size, sizeKind::restored, (600 << 16) | 800);
    };
    go();
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(fake.elapsed, (std::vector<std::int32_t>{0, 16, 15016}));
    EXPECT_FALSE(std::ranges::search(fake.calls, Calls{"waitMessage", "reshape 800x600", "draw"}).empty());
}

// Each failing creation step, in either mode: what is undone, newest first.
struct FailCase {
    const char* step;
    bool fullScreen;
    Calls undo;  // calls after the failing one
};

class CreationFails : public Frame, public ::testing::WithParamInterface<FailCase> {};

TEST_P(CreationFails, UndoesExactlyWhatExistsAndEndsWithZero)
{
    const FailCase& c = GetParam();
    if (c.fullScreen) {
        fake.failing = c.step;
    } else {
        // A first full-screen window toggles to windowed; the windowed creation fails.
        fake.afterDraw = [&](int) {
            fake.failing = c.step;
            fake.post(msg::toggleMode);
        };
    }
    go();
    EXPECT_EQ(exitCode, 0);
    Calls expected = c.undo;
    if (c.fullScreen)
        expected.insert(expected.end(), {"changeDisplayMode none", "showCursor 1"});
    expected.push_back("unregisterClass OpenGL");
    EXPECT_EQ(lastCalls(expected.size()), expected);
    EXPECT_TRUE(lastCalls(expected.size() + 1).front().starts_with(c.step));
    EXPECT_EQ(fake.frames, c.fullScreen ? 0 : 1);
}

std::vector<FailCase> failCases(bool fullScreen)
{
    const std::string w = fullScreen ? "1" : "2";
    const Calls release = {"releaseDeviceContext " + w, "destroyWindow " + w};
    return {{"createWindow", fullScreen, {}},
            {"getDeviceContext", fullScreen, {"destroyWindow " + w}},
            {"choosePixelFormat", fullScreen, release},
            {"setPixelFormat", fullScreen, release},
            {"createGlContext", fullScreen, release},
            {"makeCurrent", fullScreen, {"deleteGlContext", release[0], release[1]}}};
}

INSTANTIATE_TEST_SUITE_P(FullScreen, CreationFails, ::testing::ValuesIn(failCases(true)),
                         [](const auto& param) { return std::string(param.param.step); });
INSTANTIATE_TEST_SUITE_P(Windowed, CreationFails, ::testing::ValuesIn(failCases(false)),
                         [](const auto& param) { return std::string(param.param.step); });

// The window procedure on its own, one message at a time, with key 0x42 held. Close, toggle, minimise and
// restore are run above.
struct ProcCase {
    const char* name;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool reachesDefault;
    std::int32_t visibleAfter;       // starts at 1
    const char* reshape = nullptr;   // expected scene call
    std::vector<int> down = {0x42};  // keys down afterwards
};

class WindowProcedure : public ::testing::TestWithParam<ProcCase> {};

TEST_P(WindowProcedure, AnswersAsTheMessageTableSays)
{
    const ProcCase& c = GetParam();
    FakeWindowSystem fake;
    KeyTable keys;
    ClassInfo classInfo;
    RenderWindow window;
    window.keys = &keys;
    window.system = &fake;
    window.scene = &fake;
    ASSERT_TRUE(registerRendererClass(fake, classInfo));
    window.window = fake.createWindow({.style = windowStyle::popup, .parameter = &window});
    fake.calls.clear();
    keys.down[0x42] = 1;

    fake.dispatchMessage({window.window, c.message, c.wParam, c.lParam});

    EXPECT_EQ(fake.defaultMessages.size(), c.reachesDefault ? 1u : 0u);
    EXPECT_EQ(window.visible, c.visibleAfter);
    EXPECT_EQ(fake.calls, c.reshape != nullptr ? Calls{c.reshape} : Calls{});
    std::vector<int> down;
    for (int key = 0; key < 256; ++key)
        if (keys.down[key] != 0)
            down.push_back(key);
    EXPECT_EQ(down, c.down);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, WindowProcedure,
    ::testing::Values(
        ProcCase{"SizeMaximized", msg::size, sizeKind::maximized, (1200 << 16) | 1920, false, 1, "reshape 1920x1200"},
        ProcCase{"SizeMaxHide", msg::size, sizeKind::maxHide, (480 << 16) | 640, true, 1},
        ProcCase{"KeyDown", msg::keyDown, 0x41, 0, false, 1, nullptr, {0x41, 0x42}},
        ProcCase{"KeyDown255", msg::keyDown, 255, 0, false, 1, nullptr, {0x42, 255}},
        ProcCase{"KeyDownAbove255", msg::keyDown, 256, 0, true, 1},
        ProcCase{"KeyUpLeavesOtherKeys", msg::keyUp, 0x41, 0, false, 1},
        ProcCase{"ScreenSaveSwallowed", msg::sysCommand, sysCommand::screenSave, 0, false, 1},
        ProcCase{"MonitorPowerWithSystemBitsSwallowed", msg::sysCommand, sysCommand::monitorPower | 2, 2, false, 1},
        ProcCase{"OtherSysCommandPassesOn", msg::sysCommand, 0xF060 /* SC_CLOSE */, 0, true, 1}),

    [](const auto& param) { return std::string(param.param.name); });

}  // namespace

}  // namespace zorun::renderer
