// The Windows host's adapters against the real Win32 (under Wine in our builds): command line, stored
// pictures, files and programs, the host's windows and timers, and the preview drawn inside a host window.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/forms/host_window_win32.h"
#include "host/platform/host_ports_win32.h"
#include "renderer/bitmap_texture.h"
#include "host/command_line.h"
#include "host/startup.h"
#include "screen_pixels.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace zorun::host {
namespace {

// A copy of this program started by StartProgram finds this variable and only writes down its show
// state and whole command line.
const char* const kRecordStartVariable = "ZORUN_TEST_RECORD_START";

const bool recordedStart = [] {
    char path[MAX_PATH] = {};
    if (GetEnvironmentVariableA(kRecordStartVariable, path, sizeof path) == 0)
        return false;
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    std::ofstream(path, std::ios::binary)
        << (startup.dwFlags & STARTF_USESHOWWINDOW) << ' ' << startup.wShowWindow << '\n'
        << GetCommandLineA();
    ExitProcess(0);
}();

// Empty when the screen shows over host's client area the stored preview picture unscaled at the top-left
// and black beyond (the host's own background is grey); else what differs.
std::string previewShown(HWND host, const Picture& picture)
{
    if (FindWindowExA(host, nullptr, nullptr, "Preview Window") == nullptr)
        return "no preview window inside the host";
    RECT client{};
    GetClientRect(host, &client);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    const int width = client.right, height = client.bottom;
    const std::vector<std::uint32_t> seen = readScreen(origin.x, origin.y, width, height);
    if (seen.size() != std::size_t(width) * height)
        return "the screen could not be read";
    static const std::uint8_t black[3] = {};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool inPicture = x < picture.width && y < picture.height;
            const std::uint32_t pixel = seen[std::size_t(y) * width + x];
            const std::uint8_t* rgb = inPicture ? &picture.rgb[(std::size_t(y) * picture.width + x) * 3] : black;
            // A little room for a server that dithers.
            for (int c = 0; c < 3; ++c)
                if (std::abs(int(pixel >> (16 - 8 * c) & 0xFF) - rgb[c]) > 6)
                    return "pixel " + std::to_string(x) + "," + std::to_string(y) + " differs from the " +
                           (inPicture ? "picture" : "black beyond it");
        }
    return {};
}

TEST(CommandLine, ArgumentTextSkipsTheProgramNameAsTheRuntimeDoes)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"("C:\Program Files\Zorun\Zorun.scr" /s)", "/s"},
        {R"(C:\WINDOWS\Zorun.scr /p 1234)", "/p 1234"},
        {R"("C:\a b\Zorun.scr"/c:99)", "/c:99"},  // a quoted name ends at its quote
        {"Zorun.scr \t /S  ", "/S  "},            // blanks after the name go, trailing ones stay
        {"Zorun.scr   ", ""},
        {R"("C:\unclosed\Zorun.scr /s)", ""},  // an unclosed quote takes the whole line
    };
    for (const auto& [whole, arguments] : cases)
        EXPECT_EQ(ArgumentText(whole), arguments) << whole;
}

TEST(StoredPictures, DecodeToTheirSizeAndColours)
{
    // Mean red and blue differ by 8 in both pictures, so a channel swap shows.
    const struct {
        StoredPicture which;
        std::int32_t width, height;
        double red, blue;
    } cases[] = {{StoredPicture::Cloud, 271, 167, 204.0, 212.0}, {StoredPicture::Preview, 152, 112, 161.0, 167.6}};
    const HostAdapters win32 = createWin32HostAdapters();
    for (const auto& c : cases) {
        const Picture picture = win32.pictures->LoadStoredPicture(c.which);
        ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(c.width, c.height));
        ASSERT_EQ(picture.rgb.size(), std::size_t(c.width) * c.height * 3);
        double sum[3] = {};
        for (std::size_t i = 0; i < picture.rgb.size(); ++i)
            sum[i % 3] += picture.rgb[i];
        EXPECT_NEAR(sum[0] / (c.width * c.height), c.red, 3.0);
        EXPECT_NEAR(sum[2] / (c.width * c.height), c.blue, 3.0);
    }
}

TEST(Files, BitmapReplacesTheOldFileWholeAndFoldersAreMadeOnce)
{
    testfs::TempDir dir;
    const HostAdapters win32 = createWin32HostAdapters();
    const std::string folder = (dir.path() / "k_vorn").string();
    EXPECT_TRUE(win32.files->CreateFolder(folder));
    EXPECT_FALSE(win32.files->CreateFolder(folder));

    const std::string path = folder + "\\Zorun.bmp";
    std::ofstream(path, std::ios::binary) << std::string(100000, 'x');  // longer than the bitmap
    const Picture cloud = win32.pictures->LoadStoredPicture(StoredPicture::Cloud);
    ASSERT_TRUE(win32.files->SavePictureAsBitmap(cloud, path));
    // Its bytes are the bitmap writer's, checked pixel by pixel in its own test.
    renderer::BitmapTexture texture;
    ASSERT_TRUE(texture.loadImage(path.c_str()));
    EXPECT_EQ(std::pair(texture.width(), texture.height()), std::pair(cloud.width, cloud.height));
    // No temporary file is left behind, and no bitmap goes where there is no folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    EXPECT_FALSE(win32.files->SavePictureAsBitmap(cloud, folder + "\\missing\\Zorun.bmp"));
}

TEST(Programs, StartWithoutArgumentsShownNormally)
{
    // A copy in a folder with a blank in its name: the name must not be split there.
    testfs::TempDir dir;
    std::filesystem::create_directory(dir.path() / "a b");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const auto program = dir.path() / "a b" / "Zorun.dll";
    std::filesystem::copy_file(self, program);
    const auto record = dir.path() / "started.txt";
    SetEnvironmentVariableA(kRecordStartVariable, record.string().c_str());
    const bool started = createWin32HostAdapters().processes->StartProgram(program.string());
    SetEnvironmentVariableA(kRecordStartVariable, nullptr);
    ASSERT_TRUE(started);
    std::string text;
    for (int i = 0; i < 200 && text.find('\n') == std::string::npos; ++i, Sleep(50))
        text = testfs::readText(record.string());
    const auto newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos) << "the program did not run";
    EXPECT_EQ(text.substr(0, newline), "1 1");  // STARTF_USESHOWWINDOW, SW_SHOWNORMAL
    EXPECT_EQ(ArgumentText(text.substr(newline + 1)), "");
}

TEST(Forms, HiddenSaverWindowIsFoundTicksAndGoesOnClose)
{
    // Counts ticks and closes, and asks for the window's end at the third tick.
    struct Events : FormEvents {
        WindowHandle window = 0;
        int ticks[3] = {}, closes = 0;
        void OnTimer(int id) override
        {
            if (++ticks[id] == 3)
                PostMessageA(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0);
        }
        void OnClose() override { ++closes; }
    } events, dropped;
    auto forms = createWin32Forms();
    auto window = forms->CreateSaverWindow("Zorun_Test_Saver", events);
    events.window = window->Handle();
    // Hidden, and still found by its title, as a second start must find a running saver.
    EXPECT_EQ(createWin32HostAdapters().desktop->FindWindowA("Zorun_Test_Saver"), window->Handle());
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(window->Handle())));

    window->SetTimer(1, 20, true);
    window->SetTimer(2, 10, true);
    window->SetTimer(2, 10, false);
    forms->CreateSaverWindow("Zorun_Test_Dropped", dropped).reset();  // gone with its object
    forms->RunMessageLoop();  // returns once the close request has destroyed the window
    EXPECT_EQ(std::pair(events.ticks[1], events.ticks[2]), std::pair(3, 0)) << "ticks of timers 1 and 2";
    EXPECT_EQ(events.closes, 1);
    EXPECT_EQ(FindWindowA(nullptr, "Zorun_Test_Saver"), nullptr);
}

TEST(Preview, ShowsThePictureUnscaledInTheHostWindowAndEndsWithIt)
{
    // Larger than the picture: black beyond it.
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    const HostAdapters adapters = createWin32HostAdapters();
    auto forms = createWin32Forms();
    HostContext context{adapters.ports(),
                        *forms,
                        "/p " + std::to_string(reinterpret_cast<INT_PTR>(host)),
                        "C:\\",
                        HostPathStyle(),
                        "C:\\k_vorn",
                        "C:\\k_vorn\\Zorun.bmp",
                        Settings(),
                        nullptr,
                        nullptr,
                        nullptr};
    const auto opened = Main(context);
    ASSERT_NE(opened, nullptr);

    const Picture picture = adapters.pictures->LoadStoredPicture(StoredPicture::Preview);
    std::string why;
    for (int tries = 0; tries < 100 && !(why = previewShown(host, picture)).empty(); ++tries, Sleep(50))
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
    EXPECT_EQ(why, "");

    DestroyWindow(host);  // the preview goes with it, and so does the host's message loop
    forms->RunMessageLoop();
    EXPECT_EQ(FindWindowA(nullptr, "Preview Window"), nullptr);
}

}  // namespace
}  // namespace zorun::host
