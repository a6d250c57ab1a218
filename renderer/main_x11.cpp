// Process entry of the Linux renderer Zorun.dll: the frame on X11 and GLX with the cloud scene.
#include "common/embed_options.h"
#include "common/renderer_contract.h"
#include "renderer/cloud_scene_calls.h"
#include "renderer/window_system_x11.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// The host that started this renderer and means to take it along when it dies, as the host says in the
// environment; nothing when someone else started it (xscreensaver itself, a person).
std::optional<pid_t> startingHost()
{
    const char* text = std::getenv(zorun::kHostProcessVariable);
    if (text == nullptr)
        return std::nullopt;
    pid_t pid = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, pid);
    if (error != std::errc{} || stop != end || pid <= 1)
        return std::nullopt;
    return pid;
}

// In xscreensaver's window the renderer belongs to the host that started it: a host killed outright (it
// cannot end the renderer then) takes the renderer with it. False when that host is gone already.
bool tieToHost()
{
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // A host that died before the call above sent no signal, and the renderer has a new parent by now
    // (init or a subreaper). The parent at the start of main proves nothing: the host may have died during
    // the exec. Only the id the host gave tells the two apart.
    const auto host = startingHost();
    return !host || getppid() == *host;
}

}  // namespace

int main(int argc, char** argv)
{
    // Arguments are ignored, as the renderer takes none, except xscreensaver's: the window to draw in. The
    // music is the host's.
    const auto embed = zorun::readEmbedOptions(argc, argv);
    if (embed.kind == zorun::EmbedRequest::Kind::Invalid || embed.music != zorun::MusicOptions{}) {
        std::fprintf(stderr, "Zorun.dll: usage: Zorun.dll [--root | --window-id ID]\n");
        return 1;
    }
    // Ended as the signal would have ended it: nothing is made yet, so there is nothing to undo.
    if (embed.kind != zorun::EmbedRequest::Kind::NotGiven && !tieToHost())
        return 0;

    using namespace zorun::renderer;
    CloudSceneCalls scene;
    int exitCode = 0;
    {
        std::unique_ptr<WindowSystem> system = createX11WindowSystem(embed);
        exitCode = runRenderer(*system, nullptr, scene);
    }  // the window system restores the display mode as it goes
    return exitCode;
}
