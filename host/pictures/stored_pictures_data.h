// The picture files of assets/, built into the Linux host as byte arrays (generated at configure time).
#pragma once

#include <cstddef>

namespace zorun::host {

extern const unsigned char kCloudJpeg[];
extern const std::size_t kCloudJpegSize;
extern const unsigned char kPreviewJpeg[];
extern const std::size_t kPreviewJpegSize;
extern const unsigned char kButtonNormalBmp[];
extern const std::size_t kButtonNormalBmpSize;
extern const unsigned char kButtonHighLightBmp[];
extern const std::size_t kButtonHighLightBmpSize;
extern const unsigned char kButtonHighLightSelectBmp[];
extern const std::size_t kButtonHighLightSelectBmpSize;
extern const unsigned char kButtonSelectedBmp[];
extern const std::size_t kButtonSelectedBmpSize;
extern const unsigned char kButtonPressedBmp[];
extern const std::size_t kButtonPressedBmpSize;
extern const unsigned char kButtonDisableBmp[];
extern const std::size_t kButtonDisableBmpSize;
extern const unsigned char kOptionJpeg[];
extern const std::size_t kOptionJpegSize;
extern const unsigned char kOptionSelectedJpeg[];
extern const std::size_t kOptionSelectedJpegSize;
extern const unsigned char kDialogIconIco[];
extern const std::size_t kDialogIconIcoSize;
extern const unsigned char kHandCur[];
extern const std::size_t kHandCurSize;

}  // namespace zorun::host
