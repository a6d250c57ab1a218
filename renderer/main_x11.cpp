// Process entry of the Linux renderer Zorun.dll: the frame on X11 and GLX with the cloud scene.
#include "renderer/cloud_scene_calls.h"
#include "renderer/window_system.h"

int main()
{
    // Arguments are ignored, as the renderer takes none.
    CloudSceneCalls scene;
    int exitCode = 0;
    {
        std::unique_ptr<WindowSystem> system = createPlatformWindowSystem();
        exitCode = runRenderer(*system, nullptr, scene);
    }  // the window system restores the display mode as it goes
    return exitCode;
}
