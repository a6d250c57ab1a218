// The real Zorun.scr on the X display in DISPLAY: the saver run with the real renderer, the guard, a
// missing renderer, and the preview embedded in a window made here.
#include <gtest/gtest.h>

#include "renderer/bitmap_texture.h"
#include "common/renderer_contract.h"
#include "common/win32_numbers.h"
#include "host/pictures/picture_decoder.h"
#include "host/pictures/stored_pictures_data.h"
#include "host/platform/connection_x11.h"
#include "host/platform/desktop_x11.h"
#include "eventually.h"
#include "temp_dir.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace zorun::host {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Slack for a loaded machine on top of the bounds the host promises.
constexpr auto kSlack = 1500ms;

class HostEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "needs an X display";
        auto connection = openX11Connection();
        ASSERT_NE(connection, nullptr);
        x11_ = createX11Desktop(connection);
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
        cache_ = (dir_.path() / "cache").string();
        fs::create_directory(cache_);
    }
    void TearDown() override
    {
        // A renderer left behind by a failed run would confuse the next test's watch.
        if (x11_)
            if (WindowHandle renderer = x11_->FindWindowA(kRendererTitle))
                x11_->PostMessageA(renderer, msg::close, 0, 0);
        for (pid_t pid : started_)
            kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }

    // The host (and, when asked, the renderer) copied into a folder of their own.
    std::string install(bool withRenderer)
    {
        const fs::path app = dir_.path() / "app";
        fs::create_directory(app);
        fs::copy_file(ZORUN_HOST_PROGRAM, app / "Zorun.scr");
        if (withRenderer)
            fs::copy_file(ZORUN_RENDERER_PROGRAM, app / "Zorun.dll");
        return (app / "Zorun.scr").string();
    }

    // Starts a program; with emptyHome it runs for an account whose home holds nothing yet.
    pid_t start(const std::string& program, const char* argument = nullptr, const char* emptyHome = nullptr)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            if (emptyHome != nullptr)
                setenv("HOME", emptyHome, 1), unsetenv("XDG_CACHE_HOME");
            else
                setenv("XDG_CACHE_HOME", cache_.c_str(), 1);
            execl(program.c_str(), program.c_str(), argument, nullptr);
            _exit(127);
        }
        started_.push_back(pid);
        return pid;
    }

    static bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
    {
        return testfs::eventually(condition, 5ms, timeout);
    }

    // The exit status once the process has ended, or nothing after timeout.
    std::optional<int> waitExit(pid_t pid, std::chrono::milliseconds timeout)
    {
        int status = 0;
        if (!waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeout))
            return std::nullopt;
        std::erase(started_, pid);
        return status;
    }

    std::string texture() const { return cache_ + "/k_vorn/Zorun.bmp"; }

    // Presses Escape on the renderer as a person does; the renderer must end, and then the host within
    // its watch period.
    void endWithEscape(pid_t host)
    {
        // A key goes to the window under the pointer, so only once the renderer's is on the screen; and
        // a press released before the next frame is not seen, so it is held until the window goes (on
        // a loaded machine the first frame may come seconds after the window).
        ASSERT_TRUE(waitFor(
            [] {
                const std::string search =
                    std::string("xdotool search --onlyvisible --name '^") + kRendererTitle + "$'";
                return std::system((search + " >/dev/null").c_str()) == 0;
            },
            10s));
        ASSERT_EQ(std::system("xdotool keydown Escape"), 0);
        const bool gone = waitFor([&] { return x11_->FindWindowA(kRendererTitle) == 0; }, 10s);
        std::system("xdotool keyup Escape");
        ASSERT_TRUE(gone);
        const auto status = waitExit(host, 500ms + kSlack);
        ASSERT_TRUE(status.has_value()) << "the host outlived the renderer";
        EXPECT_TRUE(WIFEXITED(*status));
        EXPECT_EQ(x11_->FindWindowA("Zorun_Main"), 0);
    }

    testfs::TempDir dir_;
    std::string cache_;
    std::unique_ptr<Desktop> x11_;
    Display* display_ = nullptr;
    std::vector<pid_t> started_;
};

TEST_F(HostEndToEnd, SaverRunWritesTheTextureStartsTheRendererAndEndsAfterIt)
{
    const std::string host = install(true);
    const pid_t pid = start(host, "/s");
    ASSERT_TRUE(waitFor([&] { return x11_->FindWindowA(kRendererTitle) != 0; }, 10s)) << "no renderer window";
    EXPECT_NE(x11_->FindWindowA("Zorun_Main"), 0) << "the saver window is what a second start looks for";

    renderer::BitmapTexture bitmap;
    ASSERT_TRUE(bitmap.loadImage(texture().c_str()));
    EXPECT_EQ(std::pair(bitmap.width(), bitmap.height()), std::pair(271, 167));

    // A second saver while this one runs ends at once and starts nothing.
    const auto written = fs::last_write_time(texture());
    const pid_t second = start(host, "/s");
    EXPECT_TRUE(waitExit(second, kSlack).has_value());
    EXPECT_EQ(fs::last_write_time(texture()), written);

    endWithEscape(pid);
}

TEST_F(HostEndToEnd, FromAnEmptyHomeTheCacheFoldersAreMadeAndAMissingRendererEndsTheHostAtTheFirstTick)
{
    const std::string host = install(false);
    const fs::path home = dir_.path() / "home";
    fs::create_directory(home);
    const auto started = Clock::now();
    const pid_t pid = start(host, nullptr, home.c_str());
    ASSERT_TRUE(waitExit(pid, 500ms + kSlack).has_value());
    EXPECT_GE(Clock::now() - started, 450ms);  // not before the first tick
    EXPECT_TRUE(fs::exists(home / ".cache/k_vorn/Zorun.bmp"));
    for (const char* folder : {".cache", ".cache/k_vorn"})  // a folder not made has unknown permissions
        EXPECT_EQ(int(fs::status(home / folder).permissions()), 0700) << folder;
}

TEST_F(HostEndToEnd, PreviewShowsThePictureTopLeftAndEndsWithItsHostWindow)
{
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display_, screen);
    const Window parent = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, 200, 150, 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWBackPixel, &attributes);
    XMapWindow(display_, parent);
    XSync(display_, False);

    const pid_t pid = start(install(false), ("/p:" + std::to_string(parent)).c_str());
    const Picture expected = DecodePicture(kPreviewJpeg, kPreviewJpegSize);
    // Drawn unscaled from the top-left corner; black (not the parent's white) beyond the picture.
    auto shown = [&](std::pair<int, int> at) {
        const auto [x, y] = at;
        XImage* image = XGetImage(display_, parent, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
            return false;
        const unsigned long seen = XGetPixel(image, 0, 0) & 0xFFFFFFul;
        XDestroyImage(image);
        if (x >= 152 || y >= 112)
            return seen == 0;
        const unsigned char* rgb = &expected.rgb[(std::size_t(y) * 152 + std::size_t(x)) * 3];
        return seen == ((0ul + rgb[0]) << 16 | (0ul + rgb[1]) << 8 | rgb[2]);
    };
    const std::pair<int, int> points[] = {{0, 0}, {75, 56}, {151, 111}, {10, 100}, {152, 0}, {199, 149}, {0, 112}};
    EXPECT_TRUE(waitFor([&] { return std::all_of(std::begin(points), std::end(points), shown); }, 5s))
        << "not the preview picture at the top-left with black beyond";

    XDestroyWindow(display_, parent);
    XSync(display_, False);
    EXPECT_TRUE(waitExit(pid, kSlack).has_value()) << "the preview outlived its host window";
}

}  // namespace
}  // namespace zorun::host
