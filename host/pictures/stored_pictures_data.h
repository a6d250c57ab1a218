// The JPEG files of assets/, built into the Linux host as byte arrays (generated at configure time).
#pragma once

#include <cstddef>

namespace zorun::host {

extern const unsigned char kCloudJpeg[];
extern const std::size_t kCloudJpegSize;
extern const unsigned char kPreviewJpeg[];
extern const std::size_t kPreviewJpegSize;

}  // namespace zorun::host
