// The Linux program Zorun.scr: the X11 adapters, the settings and the music behind `Main`.
#include "background_music.h"
#include "host/dialog/settings_dialog_view.h"
#include "host_platform_x11.h"
#include "program_folder.h"
#include "settings_file.h"
#include "startup.h"
#include "texture_path.h"

#include <string>

int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);

    auto x11 = zorun::host::OpenX11Host();
    zorun::host::HostContext context{
        *x11,
        *x11,
        commandLine,
        zorun::ProgramFolder(),
        zorun::HostPathStyle(),
        zorun::textureFolder(),
        zorun::texturePath(),
        zorun::Settings(),
        [] { zorun::LoadSettings(); },
        [] { return zorun::music::openPlatformMci(); },
        [&x11] {
            zorun::host::runSettingsDialog(*x11, zorun::Settings(), zorun::SettingsFilePath(zorun::ProgramFolder()));
        },
    };
    const auto window = zorun::host::Main(context);
    x11->RunMessageLoop();
    return 0;
}
