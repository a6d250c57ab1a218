// The settings dialog's painted backgrounds.
#include "host/dialog/dialog_gradient.h"

#include <cmath>

namespace zorun::host::dialog {

std::int32_t gradientShade(std::int32_t y, double height)
{
    // 3.142, not pi: the band does not quite come back to black at the bottom edge.
    const double k = height / 3.142;
    if (!(k > 0))
        return 0;
    return static_cast<std::int32_t>(std::nearbyint(std::fabs(std::sin(y / k)) * 220));
}

}  // namespace zorun::host::dialog
