// Reads a rectangle of the screen back, for the checks of what the host, button and dialog drew.
#pragma once

#include <cstdint>
#include <vector>

/// Pixels 0xRRGGBB of the screen rectangle, top row first; empty when the screen cannot be read.
std::vector<std::uint32_t> readScreen(int x, int y, int width, int height);
