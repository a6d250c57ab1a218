// Which settings file the host reads and which one it stores into.
#pragma once

#include "host/profile/program_folder.h"

#include <string>
#include <string_view>

namespace zorun {

/// The settings file's name, beside the program or in the user's own settings folder.
inline constexpr std::string_view kSettingsFileName = "Zorun.ini";

/// The settings file beside a program in programFolder; at a root, where the folder already ends in a
/// separator, the path holds two in a row.
std::string SettingsFilePath(std::string_view programFolder, const PathStyle& style = HostPathStyle());

/// The file the settings are loaded from and the file the settings dialog stores into.
struct SettingsFiles {
    std::string read;
    std::string write;
};

/// Whether a file may be created in folder (replaced by tests: root may write into any folder).
using FolderWritable = bool (*)(const std::string& folder);

/// The settings files of the program in programFolder. Beside the program wherever the program's
/// folder can be written. When it cannot (an installed program: /usr/libexec on Linux, the system
/// folder on Windows, where only an administrator writes), the user's own copy is stored into
/// ($XDG_CONFIG_HOME/zorun/Zorun.ini on Linux, %APPDATA%\Zorun\Zorun.ini on Windows) and read once it
/// exists; until then the file beside the program, if any, gives the settings.
SettingsFiles settingsFiles(std::string_view programFolder);
SettingsFiles settingsFiles(std::string_view programFolder, FolderWritable writable);

/// The file the settings dialog stores into, its folder made first when missing (only the user's own
/// settings folder can be); a folder that cannot be made leaves the store to fail (the dialog says so).
std::string settingsFileToStore(const SettingsFiles& files);

}  // namespace zorun
