// The screen's resolution on X11.
#pragma once

#include "host/platform/screen_metrics.h"

#include <memory>

namespace zorun::host {

struct X11Connection;

/// The desktop's logical resolution (Xft.dpi) on the host's connection, else 96 dots per inch.
std::unique_ptr<ScreenMetrics> createX11ScreenMetrics(std::shared_ptr<X11Connection> connection);

}  // namespace zorun::host
