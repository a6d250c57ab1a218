// The texture folder and file on Linux: a per-user cache folder, the same for host and renderer.
#include "common/texture_path.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

const char* nonEmpty(const char* value)
{
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

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

// The base directory rules: a relative XDG_CACHE_HOME is invalid and ignored.
std::string cacheFolder()
{
    const char* cache = nonEmpty(std::getenv("XDG_CACHE_HOME"));
    if (cache != nullptr && cache[0] == '/')
        return cache;
    const std::string home = homeFolder();
    if (home.empty() || home[0] != '/')
        return {};
    return home + "/.cache";
}

}  // namespace

namespace zorun {

std::string textureFolder()
{
    const std::string cache = cacheFolder();
    if (cache.empty())
        return {};
    return cache + (cache.back() == '/' ? "" : "/") + "k_vorn";
}

std::string texturePath()
{
    const std::string folder = textureFolder();
    return folder.empty() ? std::string{} : folder + "/Zorun.bmp";
}

}  // namespace zorun
