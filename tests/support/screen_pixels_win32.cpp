// Reads the screen back through the screen's device context.
#include "screen_pixels.h"

#include "host/forms/dib_section_win32.h"

std::vector<std::uint32_t> readScreen(int x, int y, int width, int height)
{
    std::vector<std::uint32_t> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    std::uint32_t* bits = nullptr;
    if (HBITMAP bitmap = zorun::host::createTopDownDib(memory, width, height, bits)) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY)) {
            pixels.assign(bits, bits + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
            for (std::uint32_t& pixel : pixels)
                pixel &= 0xFFFFFF;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}
