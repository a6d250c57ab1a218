// message_text TITLE: prints the text of each child control of the window titled TITLE, one a line in
// UTF-8, as a screen reader reads a message box. Exit code 1 when no window has that title.
#include <windows.h>

#include "common/utf16_win32.h"

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK printText(HWND control, LPARAM)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    std::printf("%s\n", zorun::fromUtf16(text).c_str());
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: message_text TITLE\n");
        return 2;
    }
    const HWND window = FindWindowA(nullptr, argv[1]);
    if (window == nullptr)
        return 1;
    EnumChildWindows(window, printText, 0);
    return 0;
}
