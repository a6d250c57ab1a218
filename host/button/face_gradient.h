// The face gradient's colours: read from their stored texts, and row by row as GradientFill draws them.
#pragma once

#include "host/button/command_ports.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace zorun::host {

/// The two stored colour texts: white at the top of a normal face, light lavender grey at the bottom.
inline constexpr std::string_view kFaceLightText = "&HFFFFFF";
inline constexpr std::string_view kFaceShadeText = "&HC6C5D7";

struct Colour16 {
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;
    bool operator==(const Colour16&) const = default;
};

/// Reads "&H" and hexadecimal digits; the value's hexadecimal form (no leading zeros) gives red, green and
/// blue from its two-digit groups at positions 1, 3 and 5, each read as "&H" + digits + "00" in 16 bits.
/// A short form leaves the missing groups 0. Nothing when the text is no such number.
std::optional<Colour16> colourFromText(std::string_view text);

struct Colour8 {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour8&) const = default;
};

/// The pixels a vertical rectangle gradient between two vertices covers: right and bottom exclusive.
struct GradientSpan {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};
GradientSpan gradientSpan(const GradientVertex& a, const GradientVertex& b);

/// The colour of row y inside the span, as GradientFill with GRADIENT_FILL_RECT_V gives it on a true-colour
/// surface: each 16-bit component linear from the upper vertex's to the lower one's, then its high byte.
Colour8 gradientRowColour(const GradientVertex& a, const GradientVertex& b, std::int32_t y);

}  // namespace zorun::host
