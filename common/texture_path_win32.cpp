// The texture folder and file on Windows: fixed, so that an existing host and this renderer agree.
#include "common/texture_path.h"

namespace zorun {

std::string textureFolder()
{
    return "C:\\k_vorn";
}

std::string texturePath()
{
    return "C:\\k_vorn\\Zorun.bmp";
}

}  // namespace zorun
