// command_demo: three Command buttons in a Win32 window; prints each Click.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/button/command_window_win32.h"
#include "host/pictures/stored_pictures_win32.h"
#include "tools/command_demo.h"

namespace {

constexpr UINT_PTR kLayoutTimer = 1;
zorun::tools::CommandDemo* demo = nullptr;

LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        KillTimer(window, kLayoutTimer);
        if (demo != nullptr)
            demo->PrintLayout();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = frameProcedure;
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    frameClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frameClass.lpszClassName = L"ZorunCommandDemo";
    RegisterClassW(&frameClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, zorun::tools::kDemoWidth, zorun::tools::kDemoHeight};
    AdjustWindowRect(&outer, style, FALSE);
    HWND frame = CreateWindowExW(0, frameClass.lpszClassName, L"Command demo", style, 40, 40, outer.right - outer.left,
                                 outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr)
        return 1;

    auto pictures = zorun::host::createWin32StoredPictures();
    zorun::tools::CommandDemo buttons(reinterpret_cast<std::intptr_t>(frame), zorun::host::loadFramePictures(*pictures),
                                      zorun::host::createWin32CommandWindow);
    demo = &buttons;
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    SetTimer(frame, kLayoutTimer, 300, nullptr);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab moves the focus between the buttons, as in a dialog.
        if (IsDialogMessageW(frame, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    demo = nullptr;
    return 0;
}
