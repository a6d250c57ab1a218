// The texture's folder and file, as the saver run writes them before the renderer starts.
#pragma once

#include "host/pictures/picture.h"

#include <string>

namespace zorun::host {

class Files {
public:
    virtual ~Files() = default;
    /// Creates a folder (on Linux with its missing parents, each 0700); false when it exists already or
    /// cannot be made.
    virtual bool CreateFolder(const std::string& path) = 0;
    /// Writes the picture as an uncompressed 24-bit bitmap at path, replacing any file there, without
    /// following a link planted at that path; false when the file could not be written whole.
    virtual bool SavePictureAsBitmap(const Picture& picture, const std::string& path) = 0;
};

}  // namespace zorun::host
