// Where the eight ring pieces of a state picture go on a face of a given size, in twips and in pixels.
#pragma once

#include "host/button/command_ports.h"

#include <array>
#include <cstdint>

namespace zorun::host {

/// The state pictures: 64 x 25 pixels, 960 x 375 twips, with a 60-twip (4-pixel) ring.
inline constexpr std::int32_t kPictureTwipsPerPixel = 15;
inline constexpr std::int32_t kPictureWidthTwips = 960;
inline constexpr std::int32_t kPictureHeightTwips = 375;
inline constexpr std::int32_t kCornerTwips = 60;

struct TwipsRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const TwipsRect&) const = default;
};

/// The face's 16-bit quantities. Each step that does not fit 16 signed bits keeps the value of the
/// previous drawing, so a face far too large is drawn with the last size that worked.
struct FaceGeometry {
    std::int16_t width = 0;         // W
    std::int16_t height = 0;        // H
    std::int16_t middleAcross = 0;  // W - 120
    std::int16_t middleDown = 0;    // H - 120
    std::int16_t rightColumn = 0;   // W - 60
    std::int16_t bottomRow = 0;     // H - 60

    void update(double widthTwips, double heightTwips);
};

struct RingPiece {
    TwipsRect destination;  // on the face
    TwipsRect source;       // on the state picture
};

/// The eight ring pieces in drawing order: the corners as they are, the edges stretched; no middle piece.
std::array<RingPiece, 8> ringPieces(const FaceGeometry& face);

/// Twips to whole pixels, rounded to the nearest.
PixelRect toPixels(const TwipsRect& rect, double twipsPerPixel);

}  // namespace zorun::host
