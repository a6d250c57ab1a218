// Test helper for the Windows host's end-to-end runs: a window to preview in, and a check of the preview in it.
//
//   host_probe host X Y W H        shows a borderless W x H window at X,Y (magenta, so that black can only come
//                                  from the preview), prints its handle in decimal, and runs until it is closed
//   host_probe preview HANDLE [pixels]
//                                  waits up to 20 s for the "Preview Window" child of HANDLE: visible, covering
//                                  HANDLE's client area; with "pixels" the screen must also show the stored
//                                  preview picture unscaled at its top-left and black beyond it
//   host_probe close HANDLE        posts WM_CLOSE to HANDLE, as the display settings do when they go
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "preview_check_win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND parseHandle(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(text, nullptr, 10)));
}

int runHost(int x, int y, int width, int height)
{
    HWND window = zorun::test::CreatePreviewHost(x, y, width, height, true);
    if (window == nullptr)
        return 1;
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int checkPreview(HWND host, bool pixels)
{
    std::string why;
    for (int tries = 0; tries < 100; ++tries, Sleep(200)) {
        why = zorun::test::CheckPreview(host, pixels);
        if (why.empty()) {
            std::printf("preview: a visible child covering its host%s\n",
                        pixels ? ", painting the picture and black, on the screen too" : "");
            return 0;
        }
    }
    std::printf("%s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "host" && argc == 6)
        return runHost(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (command == "preview" && (argc == 3 || (argc == 4 && std::strcmp(argv[3], "pixels") == 0)))
        return checkPreview(parseHandle(argv[2]), argc == 4);
    if (command == "close" && argc == 3)
        return PostMessageA(parseHandle(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
    std::fprintf(stderr, "usage: host_probe host X Y W H | preview HANDLE [pixels] | close HANDLE\n");
    return 2;
}
