// The screen's resolution on Windows.
#pragma once

#include "host/platform/screen_metrics.h"

#include <memory>

namespace zorun::host {

/// 1440 / the screen's dots per inch (GetDeviceCaps).
std::unique_ptr<ScreenMetrics> createWin32ScreenMetrics();

}  // namespace zorun::host
