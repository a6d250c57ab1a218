// The texture folder and file on Linux: a per-user cache folder, the same for host and renderer.
#include "common/texture_path.h"

#include "common/user_folder.h"

namespace zorun {

std::string textureFolder()
{
    const std::string cache = userBaseFolder("XDG_CACHE_HOME", ".cache");
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
