// The ring colours of the six button state pictures: what the picture tool draws and the face checks expect.
#pragma once

#include <array>
#include <cstdint>

namespace zorun::tools {

/// Colours 0xRRGGBB of the 4-pixel ring at the middle of each edge, from the outside inwards.
struct FrameRing {
    const char* file;  // in assets/
    std::array<std::uint32_t, 4> top, bottom, left, right;
};

/// In the order of FramePicture: Normal, HighLight, HighLightSelect, Selected, Pressed, Disable.
inline constexpr std::array<FrameRing, 6> kFrameRings = {{
    {"button_normal.bmp",
     {0xDCD6C2, 0x003C74, 0xF3F3EE, 0xF3F3EE},
     {0xFAFAF6, 0x003C74, 0xD6D0C5, 0xE2DFD6},
     {0xE2DECB, 0x003C74, 0xF4F4F0, 0xF4F4F0},
     {0xF0EEE0, 0x003C74, 0xE8E5DF, 0xEEEDE7}},
    {"button_highlight.bmp",
     {0xDCD6C2, 0x003C74, 0xFFF0CF, 0xFDD889},
     {0xFAFAF6, 0x003C74, 0xE59700, 0xF8B330},
     {0xE2DECB, 0x003C74, 0xFCCA69, 0xFBCA6A},
     {0xF0EEE0, 0x003C74, 0xFCCA69, 0xFBCA6A}},
    // Focused and hovered looks exactly as hovered.
    {"button_highlight_select.bmp",
     {0xDCD6C2, 0x003C74, 0xFFF0CF, 0xFDD889},
     {0xFAFAF6, 0x003C74, 0xE59700, 0xF8B330},
     {0xE2DECB, 0x003C74, 0xFCCA69, 0xFBCA6A},
     {0xF0EEE0, 0x003C74, 0xFCCA69, 0xFBCA6A}},
    {"button_selected.bmp",
     {0xDCD6C2, 0x003C74, 0xCEE7FF, 0xCEE7FF},
     {0xFAFAF6, 0x003C74, 0x6982EE, 0x6982EE},
     {0xE2DECB, 0x003C74, 0xA9C5EF, 0xA8C6F0},
     {0xF0EEE0, 0x003C74, 0xA9C5EF, 0xA9C5EF}},
    {"button_pressed.bmp",
     {0xECE9D8, 0xDCD6C2, 0x003C74, 0xD1CCC1},
     {0xECE9D8, 0xFAFAF6, 0x003C74, 0xF2F1EE},
     {0xECE9D8, 0xE2DECB, 0x003C74, 0xD7D4CB},
     {0xECE9D8, 0xF0EEE0, 0x003C74, 0xE4E3DC}},
    {"button_disable.bmp",
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}},
}};

}  // namespace zorun::tools
