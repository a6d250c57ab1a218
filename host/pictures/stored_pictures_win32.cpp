// The stored pictures on Windows: this program's resources, decoded by WIC on each request.
#include "host/pictures/stored_pictures_win32.h"

#include "host/pictures/host_resources.h"
#include "host/pictures/picture_decoder.h"

namespace zorun::host {

namespace {

class Win32StoredPictures final : public StoredPictures {
public:
    Picture LoadStoredPicture(StoredPicture which) override
    {
        Picture picture;
        // In the order of StoredPicture.
        static constexpr int kResources[] = {
            ZORUN_PICTURE_CLOUD,
            ZORUN_PICTURE_PREVIEW,
            ZORUN_PICTURE_BUTTON_NORMAL,
            ZORUN_PICTURE_BUTTON_HIGHLIGHT,
            ZORUN_PICTURE_BUTTON_HIGHLIGHT_SELECT,
            ZORUN_PICTURE_BUTTON_SELECTED,
            ZORUN_PICTURE_BUTTON_PRESSED,
            ZORUN_PICTURE_BUTTON_DISABLE,
            ZORUN_PICTURE_OPTION,
            ZORUN_PICTURE_OPTION_SELECTED,
        };
        LoadPictureResource(kResources[static_cast<int>(which)], picture);
        return picture;
    }
};

}  // namespace

std::unique_ptr<StoredPictures> createWin32StoredPictures()
{
    return std::make_unique<Win32StoredPictures>();
}

}  // namespace zorun::host
