// Test helper: finds the renderer window by title and reports or closes it (Win32 side of the e2e test).
//
//   window_probe wait [old-id]  waits up to 20 s for the renderer's visible window (other than
//                               old-id) and prints "<id> fullscreen|windowed <width>x<height>" (client area)
//   window_probe close          posts WM_CLOSE to it, as another program would
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "common/renderer_contract.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const bool wait = std::strcmp(argv[1], "wait") == 0;
    const auto old = argc > 2 ? static_cast<unsigned long long>(std::strtoull(argv[2], nullptr, 0)) : 0ull;
    HWND window = nullptr;
    for (int tries = 0; window == nullptr && tries < (wait ? 200 : 1); ++tries) {
        if (tries > 0)
            Sleep(100);
        window = FindWindowA(nullptr, zorun::kRendererTitle);
        if (window != nullptr && (reinterpret_cast<unsigned long long>(window) == old || !IsWindowVisible(window)))
            window = nullptr;
    }
    if (window == nullptr)
        return 1;
    if (std::strcmp(argv[1], "close") == 0)
        return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    RECT client{};
    GetClientRect(window, &client);
    const bool popup = (static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)) & WS_POPUP) != 0;
    std::printf("%llu %s %ldx%ld\n", reinterpret_cast<unsigned long long>(window), popup ? "fullscreen" : "windowed",
                client.right - client.left, client.bottom - client.top);
    std::fflush(stdout);
    return 0;
}
