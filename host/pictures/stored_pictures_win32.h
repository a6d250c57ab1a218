// The stored pictures on Windows.
#pragma once

#include "host/pictures/stored_pictures.h"

#include <memory>

namespace zorun::host {

/// The pictures stored as this program's RCDATA resources, decoded by WIC.
std::unique_ptr<StoredPictures> createWin32StoredPictures();

}  // namespace zorun::host
