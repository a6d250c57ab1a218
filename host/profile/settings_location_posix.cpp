// The settings files on Linux: beside the program when its folder can be written, else per user.
#include "host/profile/settings_location.h"

#include "common/user_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zorun {
namespace {

bool accessWritable(const std::string& folder)
{
    // Replacing the file takes a new file in the folder, so the folder must be writable and searchable.
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

bool isFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

SettingsFiles settingsFiles(std::string_view programFolder)
{
    return settingsFiles(programFolder, accessWritable);
}

SettingsFiles settingsFiles(std::string_view programFolder, FolderWritable writable)
{
    const std::string beside = SettingsFilePath(programFolder);
    const std::string config = userBaseFolder("XDG_CONFIG_HOME", ".config");
    if (writable(std::string(programFolder)) || config.empty())
        return {beside, beside};
    const std::string own = SettingsFilePath(config + (config.back() == '/' ? "" : "/") + "zorun");
    return {isFile(own) ? own : beside, own};
}

std::string settingsFileToStore(const SettingsFiles& files)
{
    // Each missing level is made private, as the base directory rules ask for the base folder itself.
    const std::string& file = files.write;
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos; slash = file.find('/', slash + 1)) {
        const std::string folder = file.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            break;
    }
    return file;
}

}  // namespace zorun
