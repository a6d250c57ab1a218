// The stored pictures on Linux.
#pragma once

#include "host/pictures/stored_pictures.h"

#include <memory>

namespace zorun::host {

/// The pictures built into the program from assets/, decoded by gdk-pixbuf.
std::unique_ptr<StoredPictures> createGdkStoredPictures();

}  // namespace zorun::host
