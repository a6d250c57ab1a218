// Device-independent bitmaps in the layouts the host's Win32 drawing code uses.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>

namespace zorun::host {

/// The header of an uncompressed picture; a negative height puts the top row first.
BITMAPINFO dibInfo(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel);

/// A 32-bit bitmap whose pixels (0x00RRGGBB, top row first) the caller writes and reads directly through
/// bits. Null, with bits null, when it cannot be made.
HBITMAP createTopDownDib(HDC dc, std::int32_t width, std::int32_t height, std::uint32_t*& bits);

}  // namespace zorun::host
