// Per-user base folders on Linux: the XDG variable, or a folder under the home folder.
#include "common/user_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

const char* nonEmpty(const char* value)
{
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

}  // namespace

namespace zorun {

// HOME may be unset for a process started by a service; the password database still knows the folder.
std::string homeFolder()
{
    if (const char* home = nonEmpty(std::getenv("HOME")))
        return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        nonEmpty(found->pw_dir) != nullptr)
        return found->pw_dir;
    return {};
}

std::string userBaseFolder(const char* variable, const char* underHome)
{
    const char* value = nonEmpty(std::getenv(variable));
    if (value != nullptr && value[0] == '/')
        return value;
    const std::string home = homeFolder();
    if (home.empty() || home[0] != '/')
        return {};
    return home + (home.back() == '/' ? "" : "/") + underHome;
}

}  // namespace zorun
