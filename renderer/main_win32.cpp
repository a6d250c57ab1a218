// Process entry of the Windows renderer Zorun.dll: the frame on Win32 and WGL with the cloud scene.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "renderer/cloud_scene_calls.h"
#include "renderer/window_system_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    using namespace zorun::renderer;
    // The command line and the show-window value are ignored.
    CloudSceneCalls scene;
    std::unique_ptr<WindowSystem> system = createWin32WindowSystem();
    return runRenderer(*system, instance, scene);
}
