// Test helper: finds the renderer window by title and reports or closes it (Win32 side of the e2e test).
//
//   window_probe wait [old-id]  waits up to 20 s for the renderer's visible window (other than
//                               old-id) and prints "<id> fullscreen|windowed <width>x<height>" (client area)
//   window_probe close          posts WM_CLOSE to it, as another program would
//   window_probe bars           prints the heights of the black bars at the top and bottom of its
//                               client area, down its middle column, once the picture is no longer black
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "common/renderer_contract.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool isBlack(COLORREF colour)
{
    return GetRValue(colour) < 24 && GetGValue(colour) < 24 && GetBValue(colour) < 24;
}

// Black rows from one edge of the client area towards the other, read from the screen.
long blackRun(HDC screen, POINT from, long height, long direction)
{
    long rows = 0;
    while (rows < height && isBlack(GetPixel(screen, from.x, from.y + direction * rows)))
        ++rows;
    return rows;
}

int printBars(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT top{client.right / 2, 0};
    POINT bottom{client.right / 2, client.bottom - 1};
    POINT middle{client.right / 2, client.bottom / 2};
    ClientToScreen(window, &top);
    ClientToScreen(window, &bottom);
    ClientToScreen(window, &middle);
    HDC screen = GetDC(nullptr);
    // The picture fades in from black, and before the first frame the window shows Wine's background:
    // wait for a drawn frame, the middle showing and the top row black.
    for (int tries = 0; tries < 100; ++tries) {
        if (!isBlack(GetPixel(screen, middle.x, middle.y)) && isBlack(GetPixel(screen, top.x, top.y)))
            break;
        Sleep(100);
    }
    std::printf("%ld %ld\n", blackRun(screen, top, client.bottom, 1), blackRun(screen, bottom, client.bottom, -1));
    ReleaseDC(nullptr, screen);
    return 0;
}

}  // namespace

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
    if (std::strcmp(argv[1], "bars") == 0)
        return printBars(window);
    RECT client{};
    GetClientRect(window, &client);
    const bool popup = (static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)) & WS_POPUP) != 0;
    std::printf("%llu %s %ldx%ld\n", reinterpret_cast<unsigned long long>(window), popup ? "fullscreen" : "windowed",
                client.right - client.left, client.bottom - client.top);
    std::fflush(stdout);
    return 0;
}
