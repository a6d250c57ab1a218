// The host's startup procedure `Main` (module Zorun_B): the single-instance guard and the mode dispatch.
#pragma once

#include "common/renderer_contract.h"
#include "host/forms/host_window.h"
#include "host/platform/host_ports.h"
#include "host/platform/music_claim.h"
#include "host/music/mci_port.h"
#include "host/profile/program_folder.h"
#include "host/settings_file.h"

#include <functional>
#include <memory>
#include <string>

namespace zorun::host {

inline constexpr const char* kSaverCaption = "Zorun_Main";
inline constexpr const char* kDialogCaption = "<Zorun>";
inline constexpr const char* kPreviewCaption = "Preview Window";
inline constexpr const char* kRendererFile = "Zorun.dll";

/// Everything `Main` and the windows it opens reach outside themselves. The programs fill it with the
/// platform's adapters; tests with fakes.
struct HostContext {
    HostPorts platform;
    Forms& forms;
    /// The argument text after the program's name (Windows: as the command line holds it; Linux: the
    /// arguments joined by single blanks).
    std::string commandLine;
    /// The host program's folder, and how this platform spells paths.
    std::string programFolder;
    const PathStyle& pathStyle;
    /// Where the texture goes; the folder is created before the saver window exists.
    std::string textureFolder;
    std::string texturePath;
    /// The shared settings, and the call that fills them from the settings file.
    SharedSettings& settings;
    std::function<void()> loadSettings;
    /// Opens the platform's MCI for the saver run's music (called once, only in a saver run).
    std::function<std::unique_ptr<music::MciPort>()> openMci;
    /// Shows the settings dialog modally, with no owner; empty while there is no dialog.
    std::function<void()> showSettingsDialog;
    /// Null for a run of its own (the Windows command lines). Set when the run is one of several that draw
    /// at once, one per monitor (a display mode of xscreensaver): then another saver or the settings
    /// dialog does not end it, and it plays the music only while it holds this claim.
    MusicClaim* musicClaim = nullptr;
};

/// The window `Main` opened with its logic; it must outlive `Main`, so the caller keeps it while it runs
/// the message loop.
class OpenWindows {
public:
    virtual ~OpenWindows() = default;
};

/// `Main`: guard, mode letter, folder and settings, then the saver, the preview or the dialog. Returns
/// the window it opened (the process lives as long as it), or null after ending the process (which the
/// real platform never returns from).
std::unique_ptr<OpenWindows> Main(HostContext& context);

/// The mode letter: the second character of the command line upper-cased; empty when there is none.
std::string ModeLetter(const std::string& commandLine);

/// The preview host handle: the text from the fourth character on, read as a decimal number (leading
/// blanks allowed) and taken to the nearest signed 32-bit integer; 0 for text that is not a number.
std::int32_t PreviewHandle(const std::string& commandLine);

}  // namespace zorun::host
