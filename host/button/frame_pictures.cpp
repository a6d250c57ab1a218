// The six state pictures, as the host stores them.
#include "host/button/command_window.h"

namespace zorun::host {

FramePictures loadFramePictures(StoredPictures& pictures)
{
    return {pictures.LoadStoredPicture(StoredPicture::ButtonNormal),
            pictures.LoadStoredPicture(StoredPicture::ButtonHighLight),
            pictures.LoadStoredPicture(StoredPicture::ButtonHighLightSelect),
            pictures.LoadStoredPicture(StoredPicture::ButtonSelected),
            pictures.LoadStoredPicture(StoredPicture::ButtonPressed),
            pictures.LoadStoredPicture(StoredPicture::ButtonDisable)};
}

}  // namespace zorun::host
