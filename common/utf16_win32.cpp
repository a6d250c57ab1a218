// Text between our UTF-8 (or the system's ANSI code page) and the UTF-16 of Windows' wide calls.
#include "common/utf16_win32.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace zorun {

std::wstring toUtf16(std::string_view text, CodePage codePage)
{
    const auto page = static_cast<UINT>(codePage);
    const int length = MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string fromUtf16(std::wstring_view text, CodePage codePage)
{
    const auto page = static_cast<UINT>(codePage);
    const int length =
        WideCharToMultiByte(page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(page, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace zorun
