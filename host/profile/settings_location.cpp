// The settings file beside the program: the part of the location rule both platforms share.
#include "host/profile/settings_location.h"

namespace zorun {

std::string SettingsFilePath(std::string_view programFolder, const PathStyle& style)
{
    std::string path(programFolder);
    path += style.separator;
    path += kSettingsFileName;
    return path;
}

}  // namespace zorun
