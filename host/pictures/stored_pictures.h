// The pictures stored with the host's windows (built into the program), decoded on request.
#pragma once

#include "host/pictures/picture.h"

namespace zorun::host {

enum class StoredPicture {
    Cloud,    ///< the saver window's `Display`, 271 x 167
    Preview,  ///< the preview window's `Img_Prev`, 152 x 112
    // The Command button's state frames, 64 x 25 each.
    ButtonNormal,
    ButtonHighLight,
    ButtonHighLightSelect,
    ButtonSelected,
    ButtonPressed,
    ButtonDisable,
    // The settings dialog's option pictures, 12 x 12: not selected and selected.
    Option,
    OptionSelected,
};

class StoredPictures {
public:
    virtual ~StoredPictures() = default;
    /// The stored picture, decoded; an empty picture (0 x 0) when it cannot be decoded.
    virtual Picture LoadStoredPicture(StoredPicture which) = 0;
};

}  // namespace zorun::host
