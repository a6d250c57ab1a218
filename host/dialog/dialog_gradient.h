// The settings dialog's painted backgrounds: a sine-shaped grey band down the dialog and down its panel.
#pragma once

#include <cstdint>

namespace zorun::host::dialog {

/// The shade of row y of a surface `height` pixels high: |sin(y / K)| x 220 with K = height / 3.142,
/// rounded half to even. Rows run from 0 to the height inclusive.
std::int32_t gradientShade(std::int32_t y, double height);

/// Row colours (0x00BBGGRR) for a shade: the dialog is RGB(c, c, c + 30), the panel RGB(c + 30, ...).
constexpr std::uint32_t dialogRowColour(std::int32_t c)
{
    const auto v = static_cast<std::uint32_t>(c);
    return v | v << 8 | (v + 30) << 16;
}
constexpr std::uint32_t panelRowColour(std::int32_t c)
{
    const auto v = static_cast<std::uint32_t>(c + 30);
    return v | v << 8 | v << 16;
}

}  // namespace zorun::host::dialog
