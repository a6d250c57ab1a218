// Decodes the pictures stored with the host's windows: gdk-pixbuf on Linux, the platform's imaging (WIC)
// on Windows.
#pragma once

#include "host/pictures/picture.h"

#include <cstddef>
#include <cstdint>

namespace zorun::host {

/// Decodes an encoded picture (JPEG, or any other format the platform's imaging knows) held in memory.
/// An empty picture when the bytes cannot be decoded (on Windows also above 2^26 pixels).
Picture DecodePicture(const std::uint8_t* bytes, std::size_t size);

/// Windows only: decodes the RCDATA resource with this id of the running program; false when it is
/// missing or broken.
bool LoadPictureResource(int resourceId, Picture& picture);

}  // namespace zorun::host
