// The texture's folder and file on Windows: CreateDirectoryA, the bitmap moved over the old file whole.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/platform/files_win32.h"

#include "common/bitmap_writer.h"

#include <string>
#include <vector>

namespace zorun::host {

namespace {

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

class Win32Files final : public Files {
public:
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
};

}  // namespace

std::unique_ptr<Files> createWin32Files()
{
    return std::make_unique<Win32Files>();
}

}  // namespace zorun::host
