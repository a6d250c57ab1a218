// Opening the host's shared X connection.
#include "host/platform/connection_x11.h"

namespace zorun::host {

std::shared_ptr<X11Connection> openX11Connection()
{
    auto connection = std::make_shared<X11Connection>();
    return connection->open() ? connection : nullptr;
}

}  // namespace zorun::host
