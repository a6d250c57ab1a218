// The face geometry of the Command button.
#include "host/button/face_geometry.h"

#include <cmath>
#include <limits>

namespace zorun::host {

namespace {

// The 16-bit conversion of one step: false (target untouched) when the value does not fit.
bool assign16(std::int16_t& target, double value)
{
    if (!(value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max()))
        return false;
    target = static_cast<std::int16_t>(std::lround(value));
    return true;
}

std::int32_t toPixels(std::int32_t twips, double twipsPerPixel)
{
    return static_cast<std::int32_t>(std::lround(twips / twipsPerPixel));
}

}  // namespace

void FaceGeometry::update(double widthTwips, double heightTwips)
{
    assign16(width, widthTwips);
    assign16(height, heightTwips);
    assign16(middleAcross, width - 2.0 * kCornerTwips);
    assign16(middleDown, height - 2.0 * kCornerTwips);
    assign16(rightColumn, width - static_cast<double>(kCornerTwips));
    assign16(bottomRow, height - static_cast<double>(kCornerTwips));
}

std::array<RingPiece, 8> ringPieces(const FaceGeometry& face)
{
    constexpr std::int32_t c = kCornerTwips;
    constexpr std::int32_t pictureMiddleAcross = kPictureWidthTwips - 2 * c;  // 840
    constexpr std::int32_t pictureMiddleDown = kPictureHeightTwips - 2 * c;   // 255
    constexpr std::int32_t pictureRight = kPictureWidthTwips - c;             // 900
    constexpr std::int32_t pictureBottom = kPictureHeightTwips - c;           // 315
    // The face starts at 1 twip, not 0, and so do some of the source rows and columns: below one pixel.
    return {{
        {{1, 1, c, c}, {0, 0, c, c}},
        {{c, 1, face.middleAcross, c}, {c, 1, pictureMiddleAcross, c}},
        {{face.rightColumn, 1, c, c}, {pictureRight, 1, c, c}},
        {{face.rightColumn, c, c, face.middleDown}, {pictureRight, c, c, pictureMiddleDown}},
        {{face.rightColumn, face.bottomRow, c, c}, {pictureRight, pictureBottom, c, c}},
        {{c, face.bottomRow, face.middleAcross, c}, {c, pictureBottom, pictureMiddleAcross, c}},
        {{1, face.bottomRow, c, c}, {0, pictureBottom, c, c}},
        {{1, c, c, face.middleDown}, {1, c, c, pictureMiddleDown}},
    }};
}

PixelRect toPixels(const TwipsRect& rect, double twipsPerPixel)
{
    return {toPixels(rect.x, twipsPerPixel), toPixels(rect.y, twipsPerPixel), toPixels(rect.width, twipsPerPixel),
            toPixels(rect.height, twipsPerPixel)};
}

}  // namespace zorun::host
