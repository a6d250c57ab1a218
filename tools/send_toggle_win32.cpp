// zorun-toggle: asks the running renderer to restart in the other display mode (its toggle message).
// Exit code 0 when sent, 1 when no window with the renderer's title exists.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "common/renderer_contract.h"

int main()
{
    HWND renderer = FindWindowA(nullptr, zorun::kRendererTitle);
    if (renderer == nullptr)
        return 1;
    return PostMessageA(renderer, zorun::kToggleModeMessage, 0, 0) ? 0 : 1;
}
