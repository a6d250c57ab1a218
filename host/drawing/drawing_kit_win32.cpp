// The host's drawing kit on Win32: fonts at the screen's dpi and native images from decoded pictures.
#include "host/drawing/drawing_kit_win32.h"

#include "common/utf16_win32.h"
#include "host/drawing/picture_pixels.h"
#include "host/forms/dib_section_win32.h"

#include <algorithm>
#include <cmath>

namespace zorun::host {

int screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT createScreenFont(const CaptionFont& font)
{
    const int dpi = screenDpi();
    return CreateFontW(-static_cast<int>(std::lround(font.points * (dpi > 0 ? dpi : 96) / 72.0)), 0, 0, 0, font.weight,
                       font.italic, font.underline, font.strikethrough, static_cast<DWORD>(font.charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       toUtf16(font.face).c_str());
}

MemoryImage::MemoryImage() : dc_(CreateCompatibleDC(nullptr)) {}

MemoryImage::~MemoryImage()
{
    release();
    DeleteDC(dc_);
}

void MemoryImage::resize(std::int32_t width, std::int32_t height)
{
    release();
    if (dc_ == nullptr || width <= 0 || height <= 0)
        return;
    bitmap_ = createTopDownDib(dc_, width, height, bits_);
    if (bitmap_ == nullptr)
        return;
    original_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
}

void MemoryImage::assign(const Picture& picture)
{
    const std::vector<std::uint32_t> pixels = xrgbPixels(picture);
    if (pixels.empty())
        return;
    resize(picture.width, picture.height);
    if (bits_ != nullptr)
        std::copy(pixels.begin(), pixels.end(), bits_);
}

void MemoryImage::release()
{
    if (bitmap_ != nullptr) {
        SelectObject(dc_, original_);
        DeleteObject(bitmap_);
    }
    bitmap_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

}  // namespace zorun::host
