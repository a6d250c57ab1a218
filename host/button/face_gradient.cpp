// The face gradient's colours.
#include "host/button/face_gradient.h"

#include <algorithm>
#include <string>

namespace zorun::host {

namespace {

std::optional<std::uint32_t> hexValue(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        std::uint32_t digit = 0;
        if (upper >= '0' && upper <= '9')
            digit = static_cast<std::uint32_t>(upper - '0');
        else if (upper >= 'A' && upper <= 'F')
            digit = static_cast<std::uint32_t>(upper - 'A' + 10);
        else
            return std::nullopt;
        value = value << 4 | digit;
    }
    return value;
}

std::string hexForm(std::uint32_t value)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[value & 15]);
        value >>= 4;
    } while (value != 0);
    return digits;
}

// One group of two digits at a 0-based position, as "&H" + digits + "00" in 16 bits.
std::uint16_t component(const std::string& form, std::size_t position)
{
    const std::string group = position < form.size() ? form.substr(position, 2) : std::string();
    return static_cast<std::uint16_t>(hexValue(group + "00").value_or(0));
}

}  // namespace

std::optional<Colour16> colourFromText(std::string_view text)
{
    if (text.size() < 3 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h'))
        return std::nullopt;
    const std::optional<std::uint32_t> value = hexValue(text.substr(2));
    if (!value)
        return std::nullopt;
    const std::string form = hexForm(*value);
    return Colour16{component(form, 0), component(form, 2), component(form, 4)};
}

GradientSpan gradientSpan(const GradientVertex& a, const GradientVertex& b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Colour8 gradientRowColour(const GradientVertex& a, const GradientVertex& b, std::int32_t y)
{
    const GradientVertex& upper = a.y <= b.y ? a : b;
    const GradientVertex& lower = a.y <= b.y ? b : a;
    const std::int64_t length = static_cast<std::int64_t>(lower.y) - upper.y;
    const std::int64_t position = std::clamp<std::int64_t>(static_cast<std::int64_t>(y) - upper.y, 0, length);
    auto blend = [&](std::uint16_t top, std::uint16_t bottom) {
        if (length == 0)
            return static_cast<std::uint8_t>(top >> 8);
        const std::int64_t value = (top * (length - position) + bottom * position) / length;
        return static_cast<std::uint8_t>(value >> 8);
    };
    return {blend(upper.red, lower.red), blend(upper.green, lower.green), blend(upper.blue, lower.blue)};
}

}  // namespace zorun::host
