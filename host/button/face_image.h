// The face drawn in software: where a platform has no GradientFill and StretchBlt of its own (GTK).
#pragma once

#include "host/button/command_ports.h"
#include "host/pictures/picture.h"

#include <cstdint>
#include <vector>

namespace zorun::host {

/// A true-colour image, pixels 0x00RRGGBB in 32 bits, top row first, no padding: the layout of a cairo
/// RGB24 surface on a little-endian machine.
class FaceImage {
public:
    /// A new size; the contents are black.
    void Resize(std::int32_t width, std::int32_t height);
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::uint32_t* Pixels() { return pixels_.data(); }
    const std::uint32_t* Pixels() const { return pixels_.data(); }
    std::uint32_t At(std::int32_t x, std::int32_t y) const;

    void Fill(std::uint32_t rgb);
    /// StretchBlt, nearest neighbour (each destination pixel takes the source pixel under its centre),
    /// cut to the image and to the picture.
    void PaintPiece(const Picture& picture, const PixelRect& destination, const PixelRect& source);
    /// GradientFill, GRADIENT_FILL_RECT_V, row by row with the colours GradientFill gives.
    void GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect);

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace zorun::host
