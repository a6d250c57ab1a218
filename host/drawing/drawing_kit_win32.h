// The host's drawing kit on Win32, for the settings dialog and the Command button: fonts at the screen's
// dpi and native images from decoded pictures. Texts go through common/utf16_win32.h.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/drawing/text_font.h"
#include "host/pictures/picture.h"

#include <cstdint>

namespace zorun::host {

/// The screen's vertical dots per inch; 0 when the screen cannot say.
int screenDpi();

/// The font at the screen's dpi (96 when the screen cannot say); the caller deletes it.
HFONT createScreenFont(const CaptionFont& font);

/// A 32-bit top-down DIB section selected into a memory DC of its own: a persistent image to draw into
/// and to copy from.
class MemoryImage {
public:
    MemoryImage();
    ~MemoryImage();
    MemoryImage(const MemoryImage&) = delete;
    MemoryImage& operator=(const MemoryImage&) = delete;

    /// A new size, the contents undefined; nothing for an empty size.
    void resize(std::int32_t width, std::int32_t height);
    /// The picture's size and pixels; nothing for a picture that is not whole.
    void assign(const Picture& picture);

    HDC dc() const { return dc_; }
    bool empty() const { return bitmap_ == nullptr; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    /// The pixels, 0x00RRGGBB, top row first; null when empty.
    std::uint32_t* bits() const { return bits_; }

private:
    void release();

    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace zorun::host
