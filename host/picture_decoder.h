// Decodes the pictures stored in the Windows host program with the platform's imaging (WIC).
#pragma once

#include "host_platform.h"

#include <cstddef>
#include <cstdint>

namespace zorun::host {

/// Decodes an encoded picture (JPEG, or any other format the platform's imaging knows) held in memory.
/// False, and an empty picture, when the bytes cannot be decoded or describe more than 2^26 pixels.
bool DecodePictureBytes(const std::uint8_t* bytes, std::size_t size, Picture& picture);

/// Decodes the RCDATA resource with this id of the running program; false when it is missing or broken.
bool LoadPictureResource(int resourceId, Picture& picture);

}  // namespace zorun::host
