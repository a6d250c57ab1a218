// zorun-toggle: asks the running renderer to restart in the other display mode (its message 1025).
// Exit code 0 when sent, 1 when no window titled "Zorun_VC" exists.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

int main()
{
    HWND renderer = FindWindowA(nullptr, "Zorun_VC");
    if (renderer == nullptr)
        return 1;
    return PostMessageA(renderer, WM_USER + 1, 0, 0) ? 0 : 1;
}
