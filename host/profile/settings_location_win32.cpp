// The settings files on Windows: beside the program when its folder can be written, else per user.
#include "host/profile/settings_location.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace zorun {
namespace {

bool folderTakesNewFile(const std::string& folder)
{
    // An access check cannot read the folder's ACL as the system applies it (nor what virtualisation
    // does): only creating a file shows that the store's own file could be made there.
    char probe[MAX_PATH] = {};
    if (GetTempFileNameA(folder.c_str(), "zrn", 0, probe) == 0)
        return false;
    DeleteFileA(probe);
    return true;
}

bool isFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string roamingAppData()
{
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("APPDATA", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

}  // namespace

SettingsFiles settingsFiles(std::string_view programFolder)
{
    return settingsFiles(programFolder, folderTakesNewFile);
}

SettingsFiles settingsFiles(std::string_view programFolder, FolderWritable writable)
{
    const std::string beside = SettingsFilePath(programFolder);
    const std::string appData = roamingAppData();
    if (writable(std::string(programFolder)) || appData.empty())
        return {beside, beside};
    const std::string own = SettingsFilePath(appData + (appData.back() == '\\' ? "" : "\\") + "Zorun");
    return {isFile(own) ? own : beside, own};
}

std::string settingsFileToStore(const SettingsFiles& files)
{
    // Each missing level is made; an existing one is fine, and one that cannot be made leaves the store
    // to fail with the system's reason.
    const std::string& file = files.write;
    for (std::size_t separator = file.find('\\', 3); separator != std::string::npos;
         separator = file.find('\\', separator + 1))
        CreateDirectoryA(file.substr(0, separator).c_str(), nullptr);
    return file;
}

}  // namespace zorun
