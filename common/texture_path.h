// Where the host leaves the cloud picture for the renderer: one definition both programs link.
#pragma once

#include <string>

namespace zorun {

/// The folder the host creates before it writes the picture. Empty when no home folder can be found
/// (Linux only); the picture is then simply not found.
std::string textureFolder();
/// The picture file inside textureFolder(), or empty when the folder is unknown.
std::string texturePath();

}  // namespace zorun
