// message_text TITLE: prints the text of each child control of the window titled TITLE, one a line in
// UTF-8, as a screen reader reads a message box. Exit code 1 when no window has that title.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK printText(HWND control, LPARAM)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
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
