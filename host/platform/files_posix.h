// The texture's folder and file on POSIX.
#pragma once

#include "host/platform/files.h"

#include <memory>

namespace zorun::host {

/// mkdir and a file replaced whole behind Files.
std::unique_ptr<Files> createPosixFiles();

}  // namespace zorun::host
