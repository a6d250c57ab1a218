// Process entry of the Linux renderer Zorun.dll: the frame on X11 and GLX with the cloud scene.
#include "common/embed_options.h"
#include "renderer/cloud_scene_calls.h"
#include "renderer/window_system_x11.h"

#include <signal.h>
#include <sys/prctl.h>

#include <cstdio>

int main(int argc, char** argv)
{
    // Arguments are ignored, as the renderer takes none, except xscreensaver's: the window to draw in.
    const auto embed = zorun::readEmbedOptions(argc, argv);
    if (embed.kind == zorun::EmbedRequest::Kind::Invalid) {
        std::fprintf(stderr, "Zorun.dll: usage: Zorun.dll [--root | --window-id ID]\n");
        return 1;
    }
    // In xscreensaver's window the renderer belongs to the host that started it: a host that is killed
    // outright (it cannot end the renderer then) takes the renderer with it.
    if (embed.kind != zorun::EmbedRequest::Kind::NotGiven)
        prctl(PR_SET_PDEATHSIG, SIGTERM);

    CloudSceneCalls scene;
    int exitCode = 0;
    {
        std::unique_ptr<WindowSystem> system = createX11WindowSystem(embed);
        exitCode = runRenderer(*system, nullptr, scene);
    }  // the window system restores the display mode as it goes
    return exitCode;
}
