// The six state pictures, as the host stores them.
#include "host/button/command_window.h"

namespace zorun::host {

FramePictures loadFramePictures(HostPlatform& platform)
{
    return {platform.LoadStoredPicture(StoredPicture::ButtonNormal),
            platform.LoadStoredPicture(StoredPicture::ButtonHighLight),
            platform.LoadStoredPicture(StoredPicture::ButtonHighLightSelect),
            platform.LoadStoredPicture(StoredPicture::ButtonSelected),
            platform.LoadStoredPicture(StoredPicture::ButtonPressed),
            platform.LoadStoredPicture(StoredPicture::ButtonDisable)};
}

}  // namespace zorun::host
