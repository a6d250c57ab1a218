// The stand-in renderer's window on Win32: a plain visible window with the renderer's class and title.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "stand_in_window.h"

#include "common/renderer_contract.h"

namespace testfs {

namespace {

HWND shownWindow = nullptr;

const char* windowClass()
{
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OpenGL";
        RegisterClassA(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

}  // namespace

void showStandInWindow()
{
    shownWindow = CreateWindowExA(0, windowClass(), zorun::kRendererTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320,
                                  240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void closeStandInWindow()
{
    if (shownWindow != nullptr)
        DestroyWindow(shownWindow);
    shownWindow = nullptr;
}

void passStandInTime(int ms)
{
    // Messages are answered while the time passes, as a live program's window answers them.
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    for (DWORD now = GetTickCount(); static_cast<int>(until - now) > 0; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, until - now, QS_ALLINPUT);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
    }
}

}  // namespace testfs
