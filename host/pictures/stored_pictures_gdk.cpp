// The stored pictures on Linux: the bytes built into the program, decoded by gdk-pixbuf on each request.
#include "host/pictures/stored_pictures_gdk.h"

#include "host/pictures/picture_decoder.h"
#include "host/pictures/stored_pictures_data.h"

namespace zorun::host {

namespace {

class GdkStoredPictures final : public StoredPictures {
public:
    Picture LoadStoredPicture(StoredPicture which) override
    {
        switch (which) {
        case StoredPicture::Cloud:
            return DecodePicture(kCloudJpeg, kCloudJpegSize);
        case StoredPicture::Preview:
            return DecodePicture(kPreviewJpeg, kPreviewJpegSize);
        case StoredPicture::ButtonNormal:
            return DecodePicture(kButtonNormalBmp, kButtonNormalBmpSize);
        case StoredPicture::ButtonHighLight:
            return DecodePicture(kButtonHighLightBmp, kButtonHighLightBmpSize);
        case StoredPicture::ButtonHighLightSelect:
            return DecodePicture(kButtonHighLightSelectBmp, kButtonHighLightSelectBmpSize);
        case StoredPicture::ButtonSelected:
            return DecodePicture(kButtonSelectedBmp, kButtonSelectedBmpSize);
        case StoredPicture::ButtonPressed:
            return DecodePicture(kButtonPressedBmp, kButtonPressedBmpSize);
        case StoredPicture::ButtonDisable:
            return DecodePicture(kButtonDisableBmp, kButtonDisableBmpSize);
        case StoredPicture::Option:
            return DecodePicture(kOptionJpeg, kOptionJpegSize);
        case StoredPicture::OptionSelected:
            return DecodePicture(kOptionSelectedJpeg, kOptionSelectedJpegSize);
        }
        return {};
    }
};

}  // namespace

std::unique_ptr<StoredPictures> createGdkStoredPictures()
{
    return std::make_unique<GdkStoredPictures>();
}

}  // namespace zorun::host
