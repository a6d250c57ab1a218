// The real Zorun.scr on the X display in DISPLAY: the saver run with the real renderer, the guard, a
// missing renderer, and the preview embedded in a window made here.
#include <gtest/gtest.h>

#include "bitmap_texture.h"
#include "host_platform_x11.h"
#include "stored_pictures_data.h"
#include "temp_dir.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "needs an X display";
        x11_ = OpenX11Host();
        // The adapter leaves ended children to the kernel; the test waits for the host itself.
        struct sigaction child {};
        child.sa_handler = SIG_DFL;
        sigaction(SIGCHLD, &child, nullptr);
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
        cache_ = (dir_.path() / "cache").string();
        fs::create_directory(cache_);
        fs::create_directory(dir_.path() / "app");
    }
    void TearDown() override {
        // A renderer left behind by a failed run would confuse the next test's watch.
        if (x11_)
            if (WindowHandle renderer = x11_->FindWindowA("Zorun_VC"))
                x11_->PostMessageA(renderer, kWmClose, 0, 0);
        for (pid_t pid : started_)
            kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }

    // The host (and, when asked, the renderer) copied into a folder of their own.
    std::string install(bool withRenderer) {
        const fs::path app = dir_.path() / "app";
        fs::copy_file(ZORUN_HOST_PROGRAM, app / "Zorun.scr", fs::copy_options::overwrite_existing);
        if (withRenderer)
            fs::copy_file(ZORUN_RENDERER_PROGRAM, app / "Zorun.dll", fs::copy_options::overwrite_existing);
        return (app / "Zorun.scr").string();
    }

    pid_t start(const std::string& program, std::vector<std::string> args) {
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("XDG_CACHE_HOME", cache_.c_str(), 1);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (auto& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        started_.push_back(pid);
        return pid;
    }

    // The exit status once the process has ended, or nothing after timeout.
    std::optional<int> waitExit(pid_t pid, std::chrono::milliseconds timeout) {
        const auto until = Clock::now() + timeout;
        do {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                std::erase(started_, pid);
                return status;
            }
            std::this_thread::sleep_for(5ms);
        } while (Clock::now() < until);
        return std::nullopt;
    }

    template <typename Condition>
    bool waitFor(Condition condition, std::chrono::milliseconds timeout) {
        const auto until = Clock::now() + timeout;
        while (!condition()) {
            if (Clock::now() >= until)
                return false;
            std::this_thread::sleep_for(10ms);
        }
        return true;
    }

    std::string texture() const { return cache_ + "/k_vorn/Zorun.bmp"; }

    testfs::TempDir dir_;
    std::string cache_;
    std::unique_ptr<X11Host> x11_;
    Display* display_ = nullptr;
    std::vector<pid_t> started_;
};

TEST_F(HostEndToEnd, SaverRunWritesTheTextureStartsTheRendererAndEndsAfterIt) {
    const std::string host = install(true);
    const pid_t pid = start(host, {"/s"});
    ASSERT_TRUE(waitFor([&] { return x11_->FindWindowA("Zorun_VC") != 0; }, 10s)) << "no renderer window";
    EXPECT_NE(x11_->FindWindowA("Zorun_Main"), 0) << "the saver window is what a second start looks for";

    BitmapTexture bitmap;
    ASSERT_TRUE(bitmap.loadImage(texture().c_str()));
    EXPECT_EQ(bitmap.width(), 271);
    EXPECT_EQ(bitmap.height(), 167);
    // Uncompressed 24-bit, bottom row first, holding the stored cloud picture.
    std::ifstream file(texture(), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 54u + 816u * 167u);
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(bytes[30] | bytes[31] | bytes[32] | bytes[33], 0);
    const Picture cloud = DecodePicture(kCloudJpeg, kCloudJpegSize);
    ASSERT_EQ(cloud.width, 271);
    const std::size_t bottomLeft = 166u * 271u * 3u;
    EXPECT_EQ(bytes[54], cloud.rgb[bottomLeft + 2]);
    EXPECT_EQ(bytes[55], cloud.rgb[bottomLeft + 1]);
    EXPECT_EQ(bytes[56], cloud.rgb[bottomLeft]);
    struct stat folder {};
    ASSERT_EQ(stat((cache_ + "/k_vorn").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);

    // A second saver while this one runs ends at once and starts nothing.
    const auto written = fs::last_write_time(texture());
    const pid_t second = start(host, {"/s"});
    EXPECT_TRUE(waitExit(second, kSlack).has_value());
    EXPECT_EQ(fs::last_write_time(texture()), written);

    // Escape held as a person holds it: a press released before the next frame is not seen.
    ASSERT_EQ(std::system("xdotool keydown Escape && sleep 0.3 && xdotool keyup Escape"), 0);
    ASSERT_TRUE(waitFor([&] { return x11_->FindWindowA("Zorun_VC") == 0; }, 10s));
    const auto rendererGone = Clock::now();
    const auto status = waitExit(pid, 500ms + kSlack);
    ASSERT_TRUE(status.has_value()) << "the host outlived the renderer";
    std::printf("host ended %lld ms after the renderer window went\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - rendererGone).count()));
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(x11_->FindWindowA("Zorun_Main"), 0);
}

TEST_F(HostEndToEnd, MissingRendererEndsTheHostAtTheFirstWatchTick) {
    const std::string host = install(false);
    const auto started = Clock::now();
    const pid_t pid = start(host, {});
    ASSERT_TRUE(waitExit(pid, 500ms + kSlack).has_value());
    EXPECT_GE(Clock::now() - started, 450ms);  // not before the first tick
    EXPECT_TRUE(fs::exists(texture()));
}

TEST_F(HostEndToEnd, PreviewShowsThePictureTopLeftAndEndsWithItsHostWindow) {
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display_, screen);
    const Window parent = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, 200, 150, 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWBackPixel, &attributes);
    XMapWindow(display_, parent);
    XSync(display_, False);

    const pid_t pid = start(install(false), {"/p:" + std::to_string(parent)});
    const Picture expected = DecodePicture(kPreviewJpeg, kPreviewJpegSize);
    ASSERT_EQ(expected.width, 152);
    auto pixel = [&](int x, int y) {
        XImage* image = XGetImage(display_, parent, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
            return 0xFFFFFFFFul;
        const unsigned long value = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return value & 0xFFFFFFul;
    };
    auto pictureAt = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * 152 + static_cast<std::size_t>(x)) * 3;
        return (static_cast<unsigned long>(expected.rgb[at]) << 16) |
               (static_cast<unsigned long>(expected.rgb[at + 1]) << 8) | expected.rgb[at + 2];
    };
    // Drawn unscaled from the top-left corner; black (not the parent's white) beyond the picture.
    const std::pair<int, int> inside[] = {{0, 0}, {75, 56}, {151, 111}, {10, 100}};
    ASSERT_TRUE(waitFor([&] {
        for (auto [x, y] : inside)
            if (pixel(x, y) != pictureAt(x, y))
                return false;
        return true;
    }, 5s)) << "preview picture not shown at the top-left";
    for (auto [x, y] : {std::pair{152, 0}, std::pair{199, 149}, std::pair{0, 112}, std::pair{180, 60}})
        EXPECT_EQ(pixel(x, y), 0u) << x << "," << y;

    XDestroyWindow(display_, parent);
    XSync(display_, False);
    EXPECT_TRUE(waitExit(pid, kSlack).has_value()) << "the preview outlived its host window";
}

}  // namespace
}  // namespace zorun::host
