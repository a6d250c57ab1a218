// Device-independent bitmaps for the host's windows, the button and the dialog.
#include "host/forms/dib_section_win32.h"

namespace zorun::host {

BITMAPINFO dibInfo(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP createTopDownDib(HDC dc, std::int32_t width, std::int32_t height, std::uint32_t*& bits)
{
    const BITMAPINFO info = dibInfo(width, -height, 32);
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = bitmap != nullptr ? static_cast<std::uint32_t*>(memory) : nullptr;
    return bitmap;
}

}  // namespace zorun::host
