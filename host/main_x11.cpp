// The Linux program Zorun.scr: the X11 adapters, the settings and the music behind `Main`.
#include "host/dialog/settings_dialog_gtk.h"
#include "host/music/background_music.h"
#include "host/music/mci_gst.h"
#include "host/forms/host_window_x11.h"
#include "host/platform/connection_x11.h"
#include "host/platform/host_ports_x11.h"
#include "host/platform/music_claim_posix.h"
#include "host/profile/program_folder.h"
#include "host/settings_file.h"
#include "host/startup.h"
#include "common/embed_options.h"
#include "common/texture_path.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const auto embed = zorun::readEmbedOptions(argc, argv);
    if (embed.kind == zorun::EmbedRequest::Kind::Invalid) {
        std::fprintf(stderr,
                     "Zorun.scr: usage: Zorun.scr --root | --window-id ID [--music none|cd|file] "
                     "[--cd-track 0-99] [--music-file PATH] (or /s, /c, /p ID)\n");
        return 1;
    }
    // As a display mode of xscreensaver the host makes the saver run with its cursor left alone (an empty
    // Windows command line); otherwise the arguments joined are the Windows command line.
    std::string commandLine;
    if (embed.kind == zorun::EmbedRequest::Kind::NotGiven)
        for (int i = 1; i < argc; ++i)
            commandLine += (i > 1 ? " " : "") + std::string(argv[i]);

    auto connection = zorun::host::openX11Connection();
    if (connection == nullptr) {
        std::fprintf(stderr, "Zorun.scr: cannot open the X display\n");
        return 1;
    }
    zorun::host::WindowHandle embedWindow = 0;
    if (embed.kind == zorun::EmbedRequest::Kind::Given)
        embedWindow = static_cast<zorun::host::WindowHandle>(embed.window);
    else if (embed.kind == zorun::EmbedRequest::Kind::Root)
        embedWindow = static_cast<zorun::host::WindowHandle>(connection->root);
    // xscreensaver starts one display mode per monitor: those runs share one claim on the music.
    zorun::host::FlockMusicClaim musicClaim(zorun::host::musicClaimPaths());
    const auto adapters = zorun::host::createX11HostAdapters(connection, embedWindow);
    auto forms = zorun::host::createX11Forms(connection);
    zorun::host::HostContext context{
        adapters.ports(),
        *forms,
        commandLine,
        zorun::ProgramFolder(),
        zorun::HostPathStyle(),
        zorun::textureFolder(),
        zorun::texturePath(),
        zorun::Settings(),
        [&embed] {
            zorun::LoadSettings();
            zorun::ApplyMusicOptions(zorun::Settings(), embed.music, zorun::ProgramFolder());
        },
        [] { return zorun::music::createGstMci(); },
        [&adapters] {
            zorun::host::runGtkSettingsDialog(*adapters.pictures, zorun::Settings(),
                                              zorun::settingsFileToStore(zorun::settingsFiles(zorun::ProgramFolder())));
        },
        embed.kind == zorun::EmbedRequest::Kind::NotGiven ? nullptr : &musicClaim,
    };
    const auto window = zorun::host::Main(context);
    forms->RunMessageLoop();
    return 0;
}
