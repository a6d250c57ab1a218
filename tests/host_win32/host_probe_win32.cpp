// Test helper for the Windows host's end-to-end runs:
//   host_probe host X Y W H    shows a W x H host window at X,Y, prints its handle in decimal, runs until closed
//   host_probe preview HANDLE  waits up to 20 s for a visible "Preview Window" child covering HANDLE's client area
//   host_probe close HANDLE    posts WM_CLOSE to HANDLE, as the display settings do when they go
//   host_probe find TITLE      waits up to 20 s for a top-level window titled TITLE, prints its handle
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool previewCoversHost(HWND host)
{
    HWND preview = FindWindowExA(host, nullptr, nullptr, "Preview Window");
    const auto style = static_cast<unsigned long>(GetWindowLongA(preview, GWL_STYLE));
    RECT client{}, area{};
    POINT origin{0, 0};
    GetClientRect(host, &client);
    GetWindowRect(preview, &area);
    ClientToScreen(host, &origin);
    return preview != nullptr && (style & WS_CHILD) != 0 && (style & WS_VISIBLE) != 0 && area.left == origin.x &&
           area.top == origin.y && area.right - area.left == client.right && area.bottom - area.top == client.bottom;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    HWND handle = argc > 2 ? reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[2], nullptr, 10))) : nullptr;
    if (command == "host" && argc == 6) {
        // WS_CLIPCHILDREN: the host paints around the embedded preview, not over it, as the display settings do.
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, std::atoi(argv[2]),
                                      std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), nullptr, nullptr,
                                      nullptr, nullptr);
        if (window == nullptr)
            return 1;
        std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
        std::fflush(stdout);
        for (MSG message; IsWindow(window); Sleep(10))
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
        return 0;
    }
    if (command == "preview" && argc == 3) {
        for (int tries = 0; tries < 100; ++tries, Sleep(200))
            if (previewCoversHost(handle))
                return 0;
        std::printf("no visible \"Preview Window\" child covering the host's client area\n");
        return 1;
    }
    if (command == "close" && argc == 3)
        return PostMessageA(handle, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "find" && argc == 3) {
        for (int tries = 0; tries < 200; ++tries, Sleep(100))
            if (HWND found = FindWindowA(nullptr, argv[2])) {
                std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(found)));
                return 0;
            }
        return 1;
    }
    std::fprintf(stderr, "usage: host_probe host X Y W H | preview HANDLE | close HANDLE | find TITLE\n");
    return 2;
}
