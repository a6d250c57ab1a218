// The real Zorun.scr on the X display in DISPLAY: the saver run with the real renderer, the guard, a
// missing renderer, the audio CD music on a disc image, and the preview embedded in a window made here.
#include <gtest/gtest.h>

#include "renderer/bitmap_texture.h"
#include "common/renderer_contract.h"
#include "common/win32_numbers.h"
#include "host/pictures/picture_decoder.h"
#include "host/pictures/stored_pictures_data.h"
#include "host/platform/connection_x11.h"
#include "host/platform/desktop_x11.h"
#include "host/settings_file.h"
#include "tools/cd_image.h"
#include "eventually.h"
#include "temp_dir.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <thread>
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

    // Starts a program; with fd3 it finds that file open for appending as its file descriptor 3; with
    // emptyHome it runs for an account whose home holds nothing yet.
    pid_t start(const std::string& program, const char* argument = nullptr, const std::string& fd3 = "",
                const char* emptyHome = nullptr)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            if (!fd3.empty())
                dup2(open(fd3.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600), 3);
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

    BitmapTexture bitmap;
    ASSERT_TRUE(bitmap.loadImage(texture().c_str()));
    EXPECT_EQ(std::pair(bitmap.width(), bitmap.height()), std::pair(271, 167));
    // 24-bit rows padded to 816 bytes, bottom row first, blue first, holding the stored cloud picture.
    const std::string bytes = testfs::readText(texture());
    ASSERT_EQ(bytes.size(), 54u + 816u * 167u);
    EXPECT_EQ(bytes[28], 24);
    const auto* bottomLeft = &DecodePicture(kCloudJpeg, kCloudJpegSize).rgb.at(166u * 271u * 3u);
    EXPECT_TRUE(std::uint8_t(bytes[54]) == bottomLeft[2] && std::uint8_t(bytes[55]) == bottomLeft[1] &&
                std::uint8_t(bytes[56]) == bottomLeft[0]);

    // A second saver while this one runs ends at once and starts nothing.
    const auto written = fs::last_write_time(texture());
    const pid_t second = start(host, "/s");
    EXPECT_TRUE(waitExit(second, kSlack).has_value());
    EXPECT_EQ(fs::last_write_time(texture()), written);

    endWithEscape(pid);
}

// Seconds of each tone in 44.1 kHz mono samples, taken 10 ms at a time: a block counts for the tone
// nearest to its zero crossings, or for none (0) when it is silent.
std::map<int, double> toneSeconds(const std::string& rawFile, const std::vector<int>& tones)
{
    const std::string bytes = testfs::readText(rawFile);
    auto sample = [&](std::size_t n) { return std::int16_t(std::uint8_t(bytes[2 * n]) | bytes[2 * n + 1] << 8); };
    const std::size_t block = 441;
    std::map<int, double> seconds;
    for (std::size_t first = 0; (first + block) * 2 <= bytes.size(); first += block) {
        int crossings = 0, loudest = 0;
        for (std::size_t i = first + 1; i < first + block; ++i) {
            crossings += (sample(i - 1) < 0) != (sample(i) < 0);
            loudest = std::max(loudest, std::abs(int(sample(i))));
        }
        const double hertz = crossings / 2.0 / 0.01;
        int tone = 0;
        for (int candidate : tones)
            tone = loudest > 1000 && (tone == 0 || std::abs(hertz - candidate) < std::abs(hertz - tone)) ? candidate
                                                                                                         : tone;
        seconds[tone] += 0.01;
    }
    return seconds;
}

TEST_F(HostEndToEnd, SaverRunPlaysTheCdRepeatTrackInALoopAndStopsWithTheRenderer)
{
    const std::string host = install(true);
    const std::string cue = (dir_.path() / "disc.cue").string(), heard = (dir_.path() / "heard.raw").string();
    ASSERT_TRUE(tools::writeCdImage(cue, {440, 660, 990}, 2.0));
    std::ofstream(dir_.path() / "app" / "Zorun.ini") << "[" << kSettingsSection << "]\n"
                                                     << kKeyKind << "=1\n"
                                                     << kKeyRepeatTrack << "=2\n";
    // What the host plays is written down in real time instead of being heard (to a descriptor: a
    // filesink would start its file again at every seek).
    setenv("ZORUN_CD_DEVICE", cue.c_str(), 1);
    setenv("ZORUN_AUDIO_SINK", "audioconvert ! audio/x-raw,format=S16LE,channels=1 ! fdsink sync=true fd=3", 1);
    const auto started = Clock::now();
    const pid_t pid = start(host, "/s", heard);
    unsetenv("ZORUN_CD_DEVICE");
    unsetenv("ZORUN_AUDIO_SINK");
    ASSERT_TRUE(waitFor([&] { return x11_->FindWindowA(kRendererTitle) != 0; }, 10s)) << "no renderer window";
    // Track 2 to its end, a moment of track 3, and track 2 again.
    std::this_thread::sleep_for(5500ms);
    endWithEscape(pid);
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

    // Track 2 for longer than it lasts, so it came round again; track 3 only until the next poll.
    std::map<int, double> tones = toneSeconds(heard, {440, 660, 990});
    EXPECT_GT(tones[660], 3.0);
    EXPECT_LT(tones[990], 0.5);
    EXPECT_EQ(tones[440], 0.0);
    // Played in real time, and not on after the host has gone.
    EXPECT_LE(double(fs::file_size(heard)) / 88200.0, seconds);
    const auto size = fs::file_size(heard);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(fs::file_size(heard), size);
}

TEST_F(HostEndToEnd, FromAnEmptyHomeTheCacheFoldersAreMadeAndAMissingRendererEndsTheHostAtTheFirstTick)
{
    const std::string host = install(false);
    const fs::path home = dir_.path() / "home";
    fs::create_directory(home);
    const auto started = Clock::now();
    const pid_t pid = start(host, nullptr, "", home.c_str());
    ASSERT_TRUE(waitExit(pid, 500ms + kSlack).has_value());
    EXPECT_GE(Clock::now() - started, 450ms);  // not before the first tick
    EXPECT_TRUE(fs::exists(home / ".cache/k_vorn/Zorun.bmp"));
    for (const char* folder : {".cache", ".cache/k_vorn"})  // a folder not made has unknown permissions
        EXPECT_EQ(int(fs::status(home / folder).permissions()), 0700) << folder;
}

// Whether process pid has the file at path open.
bool hasOpen(pid_t pid, const fs::path& path)
{
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error))
        if (fs::read_symlink(fd.path(), error) == path)
            return true;
    return false;
}

TEST_F(HostEndToEnd, ARendererSlowToShowItsWindowOrRestartingKeepsTheHostAndItsMusicUntilItEnds)
{
    // The stand-in's schedule: milliseconds without a window and with one, in turn. A real monitor takes
    // seconds to switch modes before the first window and between two.
    const struct {
        const char* what;
        const char* schedule;
        std::vector<std::chrono::milliseconds> looks;  // from the start: the host plays its music then
    } cases[] = {
        {"a window after 2 s, for 3 s", "2000 3000", {1200ms, 3000ms}},
        {"a new window 1 s after the first went", "200 1300 1000 1500", {2000ms, 2400ms, 3000ms}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path app = dir_.path() / "app", song = dir_.path() / "song.wav";
        fs::remove_all(app);
        fs::create_directory(app);
        fs::copy_file(ZORUN_HOST_PROGRAM, app / "Zorun.scr");
        fs::copy_file(ZORUN_STAND_IN_PROGRAM, app / "Zorun.dll");
        // Two seconds of 8 kHz 8-bit mono silence.
        std::string wav("RIFF\xa4\x3e\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x40\x1f\0\0\1\0\x08\0data\x80\x3e\0\0",
                        44);
        std::ofstream(song, std::ios::binary) << wav << std::string(16000, '\x80');
        std::ofstream(app / "Zorun.ini") << "[" << kSettingsSection << "]\n"
                                         << kKeyKind << "=2\n"
                                         << kKeyFile << "=" << song.string() << "\n";
        setenv("ZORUN_STAND_IN", c.schedule, 1);
        setenv("ZORUN_AUDIO_SINK", "fakesink sync=true", 1);
        const auto started = Clock::now();
        const pid_t pid = start((app / "Zorun.scr").string(), "/s");
        unsetenv("ZORUN_STAND_IN");
        unsetenv("ZORUN_AUDIO_SINK");

        for (const auto look : c.looks) {
            std::this_thread::sleep_until(started + look);
            EXPECT_TRUE(hasOpen(pid, song)) << "the host and its music at " << look.count() << " ms";
        }
        const fs::path log = app / "stand_in.log";
        ASSERT_TRUE(waitFor([&] { return testfs::readText(log.string()).ends_with("end\n"); }, 20s))
            << "the stand-in did not end: " << testfs::readText(log.string());
        EXPECT_TRUE(waitExit(pid, 500ms + kSlack).has_value()) << "the host outlived the stand-in";
    }
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
