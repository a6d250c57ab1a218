// Writes a picture as an uncompressed 24-bit Windows bitmap, the form the renderer's loader reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorun {

/// The file's bytes for width x height pixels given as red, green, blue triples, top row first.
/// Empty when the size is not positive, the pixels are too few, or the file would pass 2 GiB.
std::vector<std::uint8_t> encodeBitmap24(std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& rgb);

/// Writes those bytes to path; false when the picture is refused or the file cannot be written whole.
bool writeBitmap24(const std::string& path, std::int32_t width, std::int32_t height,
                   const std::vector<std::uint8_t>& rgb);

}  // namespace zorun
