// The Windows host's adapters against the real Win32 (under Wine in our builds): command line, stored
// pictures, files and programs, the host's windows and timers, and the preview drawn inside a host window.
#include "adapters_win32.h"
#include "bitmap_texture.h"
#include "command_line.h"
#include "preview_check_win32.h"
#include "startup.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zorun::host {
namespace {

// A copy of this test program started by StartProgram finds this variable and only records how it was
// started: its whole command line and its show state.
const char* const kRecordStartVariable = "ZORUN_TEST_RECORD_START";

const bool recordedStart = [] {
    char path[MAX_PATH] = {};
    if (GetEnvironmentVariableA(kRecordStartVariable, path, sizeof path) == 0)
        return false;
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    if (std::FILE* out = std::fopen(path, "wb")) {
        std::fprintf(out, "%lu %u\n%s", static_cast<unsigned long>(startup.dwFlags & STARTF_USESHOWWINDOW),
                     static_cast<unsigned>(startup.wShowWindow), GetCommandLineA());
        std::fclose(out);
    }
    ExitProcess(0);
}();

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CommandLine, ArgumentTextSkipsTheProgramNameAsTheRuntimeDoes)
{
    const struct {
        const char* whole;
        const char* arguments;
    } cases[] = {
        {R"("C:\Program Files\Zorun\Zorun.scr" /s)", "/s"},
        {R"(C:\WINDOWS\Zorun.scr /p 1234)", "/p 1234"},
        {R"("C:\a b\Zorun.scr"/c:99)", "/c:99"},  // a quoted name ends at its quote
        {"Zorun.scr \t /S  ", "/S  "},           // blanks after the name go, trailing ones stay
        {"Zorun.scr", ""},
        {"Zorun.scr   ", ""},
        {R"("C:\unclosed\Zorun.scr /s)", ""},  // an unclosed quote takes the whole line
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArgumentText(c.whole), c.arguments) << c.whole;
}

TEST(StoredPictures, DecodeToTheirSizeAndColours)
{
    // Average colours tell red from blue: a channel swap moves them by 8.
    const struct {
        StoredPicture which;
        std::int32_t width, height;
        double red, green, blue;
    } cases[] = {
        {StoredPicture::Cloud, 271, 167, 204.0, 212.0, 212.0},
        {StoredPicture::Preview, 152, 112, 161.0, 167.6, 167.6},
    };
    auto platform = CreateWin32HostPlatform();
    for (const auto& c : cases) {
        const Picture picture = platform->LoadStoredPicture(c.which);
        ASSERT_EQ(picture.width, c.width);
        ASSERT_EQ(picture.height, c.height);
        ASSERT_EQ(picture.rgb.size(), std::size_t(c.width) * c.height * 3);
        double sum[3] = {};
        for (std::size_t i = 0; i < picture.rgb.size(); ++i)
            sum[i % 3] += picture.rgb[i];
        const double pixels = double(c.width) * c.height;
        EXPECT_NEAR(sum[0] / pixels, c.red, 3.0);
        EXPECT_NEAR(sum[1] / pixels, c.green, 3.0);
        EXPECT_NEAR(sum[2] / pixels, c.blue, 3.0);
    }
}

TEST(Files, BitmapReplacesTheOldFileWholeAndFoldersAreMadeOnce)
{
    testfs::TempDir dir;
    auto platform = CreateWin32HostPlatform();
    const std::string folder = (dir.path() / "k_vorn").string();
    EXPECT_TRUE(platform->CreateFolder(folder));
    EXPECT_FALSE(platform->CreateFolder(folder));

    const std::string path = folder + "\\Zorun.bmp";
    std::ofstream(path, std::ios::binary) << std::string(100000, 'x');  // longer than the bitmap
    const Picture cloud = platform->LoadStoredPicture(StoredPicture::Cloud);
    ASSERT_TRUE(platform->SavePictureAsBitmap(cloud, path));

    auto texture = std::make_unique<BitmapTexture>();
    ASSERT_TRUE(texture->loadImage(path.c_str()) && texture->flipRows());
    ASSERT_EQ(texture->width(), cloud.width);
    ASSERT_EQ(texture->height(), cloud.height);
    for (std::size_t i = 0; i < std::size_t(cloud.width) * cloud.height; ++i)
        ASSERT_EQ(0, std::memcmp(texture->pixels() + i * 4, &cloud.rgb[i * 3], 3)) << "pixel " << i;
    // Nothing but the bitmap is left in the folder, and no bitmap goes where there is no folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    EXPECT_FALSE(platform->SavePictureAsBitmap(cloud, folder + "\\missing\\Zorun.bmp"));
    EXPECT_FALSE(platform->SavePictureAsBitmap(Picture{}, path));
}

TEST(Programs, StartWithoutArgumentsShownNormally)
{
    testfs::TempDir dir;
    auto platform = CreateWin32HostPlatform();
    EXPECT_FALSE(platform->StartProgram((dir.path() / "missing.exe").string()));

    // A copy in a folder with a blank in its name: the name must not be split there.
    std::filesystem::create_directory(dir.path() / "a b");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const auto program = dir.path() / "a b" / "Zorun.dll";
    std::filesystem::copy_file(self, program);
    const auto record = dir.path() / "started.txt";
    SetEnvironmentVariableA(kRecordStartVariable, record.string().c_str());
    const bool started = platform->StartProgram(program.string());
    SetEnvironmentVariableA(kRecordStartVariable, nullptr);
    ASSERT_TRUE(started);
    std::string text;
    for (int i = 0; i < 200 && text.empty(); ++i, Sleep(50))
        text = readFile(record);
    const auto newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos) << "the program did not run";
    EXPECT_EQ(text.substr(0, newline), "1 1");  // STARTF_USESHOWWINDOW, SW_SHOWNORMAL
    EXPECT_EQ(ArgumentText(text.substr(newline + 1)), "");
}

// Counts ticks and asks for the window's end after three.
struct TickingEvents : FormEvents {
    HostPlatform* platform = nullptr;
    WindowHandle window = 0;
    int ticks[3] = {};
    int closes = 0;
    void OnTimer(int timerId) override
    {
        if (++ticks[timerId] == 3)
            platform->PostMessageA(window, kWmClose, 0, 0);
    }
    void OnClose() override { ++closes; }
};

TEST(Forms, HiddenSaverWindowIsFoundTicksAndGoesOnClose)
{
    auto platform = CreateWin32HostPlatform();
    auto forms = CreateWin32Forms();
    TickingEvents events;
    auto window = forms->CreateSaverWindow("Zorun_Test_Saver", events);
    ASSERT_NE(window->Handle(), 0);
    events.platform = platform.get();
    events.window = window->Handle();
    // Hidden, and still found by its title, as a second start must find a running saver.
    EXPECT_EQ(platform->FindWindowA("Zorun_Test_Saver"), window->Handle());
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(window->Handle())));

    window->SetTimer(1, 20, true);
    window->SetTimer(2, 10, true);
    window->SetTimer(2, 10, false);
    TickingEvents otherEvents;
    forms->CreateSaverWindow("Zorun_Test_Dropped", otherEvents).reset();  // gone with its object
    forms->RunMessageLoop();  // returns once the close request has destroyed the window
    EXPECT_EQ(events.ticks[1], 3);
    EXPECT_EQ(events.ticks[2], 0);
    EXPECT_EQ(events.closes, 1);
    EXPECT_EQ(platform->FindWindowA("Zorun_Test_Saver"), 0);
}

TEST(Preview, ShowsThePictureUnscaledInTheHostWindowAndEndsWithIt)
{
    const struct {
        int width, height;
    } hosts[] = {{300, 200}, {152, 112}, {100, 80}};
    for (const auto& size : hosts) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        HWND host = test::CreatePreviewHost(40, 40, size.width, size.height, false);
        ASSERT_NE(host, nullptr);
        auto platform = CreateWin32HostPlatform();
        auto forms = CreateWin32Forms();
        bool settingsRead = false;
        HostContext context{*platform, *forms, "/p " + std::to_string(reinterpret_cast<INT_PTR>(host)), "C:\\",
                            HostPathStyle(), "C:\\k_vorn", "C:\\k_vorn\\Zorun.bmp", Settings(),
                            [&] { settingsRead = true; }, nullptr, nullptr};
        const auto opened = Main(context);
        ASSERT_NE(opened, nullptr);
        EXPECT_FALSE(settingsRead);

        std::string why = "not checked";
        for (int tries = 0; tries < 100 && !why.empty(); ++tries) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            why = test::CheckPreview(host, true);
            if (!why.empty())
                Sleep(50);
        }
        EXPECT_EQ(why, "");

        DestroyWindow(host);  // the preview goes with it, and so does the host's message loop
        forms->RunMessageLoop();
        EXPECT_EQ(FindWindowA(nullptr, "Preview Window"), nullptr);
    }
}

}  // namespace
}  // namespace zorun::host
