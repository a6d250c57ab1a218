// The texture's folder and file on Windows.
#pragma once

#include "host/platform/files.h"

#include <memory>

namespace zorun::host {

/// CreateDirectoryA and a bitmap written under a temporary name and moved over the old file.
std::unique_ptr<Files> createWin32Files();

}  // namespace zorun::host
