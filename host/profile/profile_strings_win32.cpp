// The profile-string calls on Windows: kernel32 itself.
#include "host/profile/profile_strings_win32.h"

#include "common/utf16_win32.h"

#include <windows.h>

#include <optional>

namespace zorun::profile {
namespace {

// The system's words for an error code, as UTF-8, without the line end FormatMessage adds.
std::string systemText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring wide(text != nullptr ? text : L"", length);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' '))
        wide.pop_back();
    if (wide.empty())
        return "error " + std::to_string(error);
    return fromUtf16(wide);
}

// The whole file, opened for writing as well so that a read-only file is found before anything is stored:
// nothing (and no error) when there is no file yet, nothing and the error when it cannot be opened.
std::optional<std::string> bytesBefore(const std::string& file, DWORD& error)
{
    error = ERROR_SUCCESS;
    // HACK: Wine run by root opens a read-only file for writing (Unix lets root write it); Windows never
    // does. The attribute is asked first, so that the file stays as it is under Wine too.
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        error = ERROR_ACCESS_DENIED;
        return std::nullopt;
    }
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD failure = GetLastError();
        // A missing folder is the first write's to report.
        if (failure != ERROR_FILE_NOT_FOUND && failure != ERROR_PATH_NOT_FOUND)
            error = failure;
        return std::nullopt;
    }
    std::string bytes;
    char chunk[8192];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(handle, chunk, sizeof chunk, &got, nullptr)) {
            error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_READ_FAULT;
            break;
        }
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    CloseHandle(handle);
    if (error != ERROR_SUCCESS)
        return std::nullopt;
    return bytes;
}

// Puts the file back as it was before the store: its old bytes, or no file.
void restore(const std::string& file, const std::optional<std::string>& bytes)
{
    if (!bytes) {
        DeleteFileA(file.c_str());
        return;
    }
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    DWORD put = 0;
    WriteFile(handle, bytes->data(), static_cast<DWORD>(bytes->size()), &put, nullptr);
    SetEndOfFile(handle);
    CloseHandle(handle);
}

}  // namespace

std::uint32_t getString(const char* section, const char* key, const char* def, char* buffer, std::uint32_t size,
                        const char* file)
{
    return GetPrivateProfileStringA(section, key, def, buffer, size, file);
}

bool writeString(const char* section, const char* key, const char* value, const char* file)
{
    if (section == nullptr || key == nullptr || value == nullptr)
        return false;  // the null forms delete keys and sections, which this port does not offer
    return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

bool writeStrings(const std::string& section, const KeyValues& values, const std::string& file, std::string& reason)
{
    return writeStrings(section, values, file, reason, writeString);
}

bool writeStrings(const std::string& section, const KeyValues& values, const std::string& file, std::string& reason,
                  KeyWriter writeKey)
{
    // WritePrivateProfileStringA stores one key a call and offers no store of several: a file that cannot
    // be written is found before the first call, and a later call that fails puts the old bytes back.
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> before = bytesBefore(file, error);
    if (error != ERROR_SUCCESS) {
        reason = systemText(error);
        return false;
    }
    for (const auto& [key, value] : values) {
        if (!writeKey(section.c_str(), key.c_str(), value.c_str(), file.c_str())) {
            reason = systemText(GetLastError());
            restore(file, before);
            return false;
        }
    }
    return true;
}

}  // namespace zorun::profile
