// Process entry of the Windows host Zorun.scr: the Win32 adapters, `Main`, then the message loop.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/forms/host_window_win32.h"
#include "host/platform/host_ports_win32.h"
#include "host/command_line.h"
#include "host/dialog/settings_dialog_win32.h"
#include "host/music/mci_winmm_win32.h"
#include "host/startup.h"
#include "common/texture_path.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace zorun;
    using namespace zorun::host;
    // The renderer the Processes adapter starts is what the message loop wakes for when it ends.
    auto renderer = std::make_shared<StartedProgram>();
    const HostAdapters adapters = createWin32HostAdapters(renderer);
    std::unique_ptr<Forms> forms = createWin32Forms(renderer);
    const char* whole = GetCommandLineA();
    HostContext context{
        .platform = adapters.ports(),
        .forms = *forms,
        .commandLine = ArgumentText(whole != nullptr ? whole : ""),
        .programFolder = ProgramFolder(),
        .pathStyle = HostPathStyle(),
        .textureFolder = textureFolder(),
        .texturePath = texturePath(),
        .settings = Settings(),
        .loadSettings = [] { LoadSettings(); },
        .openMci = [] { return music::createWin32Mci(); },
        .showSettingsDialog =
            [&adapters] {
                runWin32SettingsDialog(*adapters.pictures, Settings(), settingsFileToStore(settingsFiles(ProgramFolder())));
            },
    };
    // The process lives as long as the window Main opened; without one, Main has ended it already.
    std::unique_ptr<OpenWindows> opened = Main(context);
    if (opened != nullptr)
        forms->RunMessageLoop();
    return 0;
}
