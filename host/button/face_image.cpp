// The face drawn in software.
#include "host/button/face_image.h"

#include "host/button/face_gradient.h"
#include "host/drawing/picture_pixels.h"

#include <algorithm>

namespace zorun::host {

void FaceImage::Resize(std::int32_t width, std::int32_t height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

std::uint32_t FaceImage::At(std::int32_t x, std::int32_t y) const
{
    return pixels_.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x));
}

void FaceImage::Fill(std::uint32_t rgb)
{
    std::fill(pixels_.begin(), pixels_.end(), rgb);
}

void FaceImage::PaintPiece(const Picture& picture, const PixelRect& destination, const PixelRect& source)
{
    if (destination.width <= 0 || destination.height <= 0 || source.width <= 0 || source.height <= 0 ||
        !isWholePicture(picture))
        return;
    for (std::int32_t j = 0; j < destination.height; ++j) {
        const std::int32_t y = destination.y + j;
        const std::int64_t sy =
            source.y + (2 * static_cast<std::int64_t>(j) + 1) * source.height / (2 * destination.height);
        if (y < 0 || y >= height_ || sy < 0 || sy >= picture.height)
            continue;
        for (std::int32_t i = 0; i < destination.width; ++i) {
            const std::int32_t x = destination.x + i;
            const std::int64_t sx =
                source.x + (2 * static_cast<std::int64_t>(i) + 1) * source.width / (2 * destination.width);
            if (x < 0 || x >= width_ || sx < 0 || sx >= picture.width)
                continue;
            pixels_[static_cast<std::size_t>(y) * width_ + x] =
                pixelAt(picture, static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy));
        }
    }
}

void FaceImage::GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect)
{
    if (rect.upperLeft >= count || rect.lowerRight >= count)
        return;
    const GradientVertex& a = vertices[rect.upperLeft];
    const GradientVertex& b = vertices[rect.lowerRight];
    const GradientSpan span = gradientSpan(a, b);
    const std::int32_t left = std::max(span.left, 0);
    const std::int32_t right = std::min(span.right, width_);
    for (std::int32_t y = std::max(span.top, 0); y < std::min(span.bottom, height_); ++y) {
        const Colour8 c = gradientRowColour(a, b, y);
        const std::uint32_t rgb = std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
        std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left,
                  pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + std::max(left, right), rgb);
    }
}

}  // namespace zorun::host
