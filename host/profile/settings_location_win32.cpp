// The settings file on Windows: always beside the program, read and stored alike.
#include "host/profile/settings_location.h"

namespace zorun {

SettingsFiles settingsFiles(std::string_view programFolder)
{
    const std::string beside = SettingsFilePath(programFolder);
    return {beside, beside};
}

SettingsFiles settingsFiles(std::string_view programFolder, FolderWritable)
{
    return settingsFiles(programFolder);
}

std::string settingsFileToStore(const SettingsFiles& files)
{
    return files.write;  // beside the program, whose folder is there
}

}  // namespace zorun
