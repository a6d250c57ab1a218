// user32, gdi32 and kernel32 behind the host's platform port; the stored pictures from the resources.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/platform/host_platform_win32.h"
#include "common/bitmap_writer.h"
#include "host/pictures/host_resources.h"
#include "host/pictures/picture_decoder.h"

#include <string>
#include <utility>
#include <vector>

namespace zorun::host {

namespace {

HWND hwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(window);
}

// Twips per pixel along one screen axis: 1440 / dots per inch, 15 when the screen does not say.
double twipsPerPixel(int axis)
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, axis) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dotsPerInch > 0 ? 1440.0 / dotsPerInch : 15.0;
}

// The folder part of a path, without the separator; "." for a bare name.
std::string folderOf(const std::string& path)
{
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string::npos)
        return ".";
    return path.substr(0, separator == 2 && path[1] == ':' ? 3 : separator);
}

bool writeWhole(HANDLE file, const std::vector<std::uint8_t>& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file);
}

class Win32HostPlatform final : public HostPlatform {
public:
    explicit Win32HostPlatform(std::shared_ptr<StartedProgram> started) : started_(std::move(started)) {}

    WindowHandle FindWindowA(const std::string& title) override
    {
        return reinterpret_cast<WindowHandle>(::FindWindowA(nullptr, title.c_str()));
    }

    bool GetWindowRect(WindowHandle window, Rect& rect) override
    {
        RECT area{};
        if (!::GetWindowRect(hwnd(window), &area))
            return false;
        rect = Rect{area.left, area.top, area.right, area.bottom};
        return true;
    }

    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override
    {
        return ::GetWindowLongA(hwnd(window), index);
    }

    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) override
    {
        return ::SetWindowLongA(hwnd(window), index, value);
    }

    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override
    {
        return reinterpret_cast<WindowHandle>(::SetParent(hwnd(child), hwnd(parent)));
    }

    int ShowCursor(bool show) override { return ::ShowCursor(show ? TRUE : FALSE); }

    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        return ::PostMessageA(hwnd(window), message, wParam, lParam) != FALSE;
    }

    double TwipsPerPixelX() override { return twipsPerPixel(LOGPIXELSX); }
    double TwipsPerPixelY() override { return twipsPerPixel(LOGPIXELSY); }

    bool CreateFolder(const std::string& path) override { return CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

    bool SavePictureAsBitmap(const Picture& picture, const std::string& path) override
    {
        const std::vector<std::uint8_t> bytes = encodeBitmap24(picture.width, picture.height, picture.rgb);
        if (bytes.empty())
            return false;
        // The file is written under a fresh name beside it and then renamed over the old one: a reader
        // never sees half a bitmap, and a link planted at the path is replaced, not written through.
        char temporary[MAX_PATH + 1] = {};
        if (GetTempFileNameA(folderOf(path).c_str(), "zbm", 0, temporary) == 0)
            return false;
        HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        bool saved = file != INVALID_HANDLE_VALUE && writeWhole(file, bytes);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        saved = saved && MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!saved)
            DeleteFileA(temporary);
        return saved;
    }

    bool StartProgram(const std::string& path) override
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        // The program's name is given apart from its command line, so a folder with blanks cannot make
        // the system start a different program; the command line is only the quoted name.
        std::string commandLine = "\"" + path + "\"";
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            return false;
        CloseHandle(started.hThread);
        if (started_->process != nullptr)
            CloseHandle(started_->process);
        started_->process = started.hProcess;
        return true;
    }

    bool ProgramRunning() override
    {
        return started_->process != nullptr && WaitForSingleObject(started_->process, 0) == WAIT_TIMEOUT;
    }

    Picture LoadStoredPicture(StoredPicture which) override
    {
        Picture picture;
        // In the order of StoredPicture.
        static constexpr int kResources[] = {
            ZORUN_PICTURE_CLOUD,
            ZORUN_PICTURE_PREVIEW,
            ZORUN_PICTURE_BUTTON_NORMAL,
            ZORUN_PICTURE_BUTTON_HIGHLIGHT,
            ZORUN_PICTURE_BUTTON_HIGHLIGHT_SELECT,
            ZORUN_PICTURE_BUTTON_SELECTED,
            ZORUN_PICTURE_BUTTON_PRESSED,
            ZORUN_PICTURE_BUTTON_DISABLE,
            ZORUN_PICTURE_OPTION,
            ZORUN_PICTURE_OPTION_SELECTED,
        };
        LoadPictureResource(kResources[static_cast<int>(which)], picture);
        return picture;
    }

    // Windows itself gives back the full-screen mode of a process that has ended.
    void KeepDisplayMode() override {}
    void RestoreDisplayMode() override {}

    void EndProcess() override { ExitProcess(0); }

private:
    std::shared_ptr<StartedProgram> started_;
};

}  // namespace

StartedProgram::~StartedProgram()
{
    if (process != nullptr)
        CloseHandle(process);
}

std::unique_ptr<HostPlatform> createWin32HostPlatform(std::shared_ptr<StartedProgram> started)
{
    return std::make_unique<Win32HostPlatform>(started ? std::move(started) : std::make_shared<StartedProgram>());
}

}  // namespace zorun::host
