// Reading side of the cloud texture: path test, headers, palette, masks and pixel data.
// The file is hostile input (anyone can put a file at the texture path), so every header field is
// checked against the buffers and the file's real length before anything is allocated or read.
#include "renderer/bitmap_texture.h"

#include "renderer/bitmap_format.h"
#include "common/ascii.h"

#include <cstring>
#include <new>

namespace zorun::renderer {

namespace {

// Closes the file on every way out of the reader, exactly once.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool readExactly(std::FILE* file, void* buffer, std::size_t bytes)
{
    return std::fread(buffer, 1, bytes, file) == bytes;
}

// Bytes from the current position to the end, or -1 where the C runtime cannot tell (beyond 2 GiB on
// Windows, where long is 32 bits). A position past the end (a seek there succeeds) has none left.
std::int64_t bytesLeft(std::FILE* file)
{
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(file);
    if (end < 0 || std::fseek(file, here, SEEK_SET) != 0)
        return -1;
    return end > here ? static_cast<std::int64_t>(end) - here : 0;
}

std::unique_ptr<std::uint8_t[]> allocate(std::int64_t bytes)
{
    return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]);
}

bool endsWithBmp(const char* path)
{
    return ascii::endsWithIgnoringCase(path, "bmp");
}

bool isSupportedDepth(std::int32_t bits)
{
    return bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

BitmapTexture::BitmapTexture() = default;

BitmapTexture::~BitmapTexture()
{
    pixels_.reset();
    releaseTextureName();
}

bool BitmapTexture::loadImage(const char* path)
{
    pixels_.reset();
    if (path == nullptr || !endsWithBmp(path))
        return false;
    return readBitmap(path);
}

bool BitmapTexture::readBitmap(const char* path)
{
    pixels_.reset();
    FileHandle file(std::fopen(path, "rb"));
    if (!file)
        return false;

    std::uint8_t headerBytes[bmp::fileHeaderSize + bmp::infoHeaderSize];
    if (!readExactly(file.get(), headerBytes, sizeof headerBytes))
        return false;
    const bmp::Headers header = bmp::parseHeaders(headerBytes);
    if (header.type != bmp::signatureBM || header.infoSize == bmp::coreHeaderSize)
        return false;

    width_ = header.width;
    height_ = header.height;
    bitsPerPixel_ = header.bitCount;
    if (header.compression != bmp::compressionNone && header.compression != bmp::compressionBitFields)
        return false;
    if (!readMasks(file.get(), header.compression))
        return false;
    if (bitsPerPixel_ < 16 && !readPalette(file.get(), header.clrUsed))
        return false;

    if (header.offBits > 0x7FFFFFFFu || std::fseek(file.get(), static_cast<long>(header.offBits), SEEK_SET) != 0)
        return false;

    return convertPixels(file.get(), header.sizeImage);
}

bool BitmapTexture::readMasks(std::FILE* file, std::uint32_t compression)
{
    redMask_ = greenMask_ = blueMask_ = 0;
    if (bitsPerPixel_ != 16)
        return true;
    if (compression != bmp::compressionBitFields) {
        redMask_ = bmp::masks555.red;
        greenMask_ = bmp::masks555.green;
        blueMask_ = bmp::masks555.blue;
        return true;
    }
    std::uint8_t bytes[12];
    if (!readExactly(file, bytes, sizeof bytes))
        return false;
    redMask_ = bmp::readU32(bytes);
    greenMask_ = bmp::readU32(bytes + 4);
    blueMask_ = bmp::readU32(bytes + 8);
    return true;
}

bool BitmapTexture::readPalette(std::FILE* file, std::uint32_t colourCount)
{
    std::memset(palette_, 0, sizeof palette_);
    if (colourCount == 0 && (bitsPerPixel_ == 4 || bitsPerPixel_ == 8))
        colourCount = 1u << bitsPerPixel_;
    // Entries beyond 256 cannot be indexed by a 4- or 8-bit pixel; the seek to the pixel data skips them.
    if (colourCount > 256)
        colourCount = 256;
    return readExactly(file, palette_, colourCount * 4);
}

bool BitmapTexture::convertPixels(std::FILE* file, std::uint32_t sizeImage)
{
    // A top-first bitmap (negative height) or an empty one produces no pixels.
    if (!isSupportedDepth(bitsPerPixel_) || width_ <= 0 || height_ <= 0)
        return false;
    const std::int64_t pixelCount = std::int64_t{width_} * height_;
    if (pixelCount > maxPixelCount)
        return false;
    // Only now, with depth and size bounded, can the row arithmetic not overflow.
    const std::int64_t stride = bmp::alignedRowBytes(width_, bitsPerPixel_);
    const std::int64_t needed = stride * height_;
    const std::int64_t imageSize = sizeImage != 0 ? static_cast<std::int32_t>(sizeImage) : needed;
    imageSize_ = static_cast<std::int32_t>(imageSize);
    // An image size smaller than the rows it must hold would send the converters past the data;
    // one larger than what the file holds would fail the read anyway: refuse both before allocating.
    if (imageSize < needed)
        return false;
    const std::int64_t available = bytesLeft(file);
    if (available >= 0 && available < imageSize)
        return false;

    auto rgba = allocate(pixelCount * 4);
    if (!rgba)
        return false;
    const auto count = static_cast<std::size_t>(pixelCount);
    if (bitsPerPixel_ == 32) {
        if (!readExactly(file, rgba.get(), count * 4))
            return false;
        bmp::convert32InPlace(rgba.get(), count);
    } else {
        auto source = allocate(needed);
        if (!source || !readExactly(file, source.get(), static_cast<std::size_t>(needed)))
            return false;
        const auto rowStride = static_cast<std::size_t>(stride);
        switch (bitsPerPixel_) {
        case 24:
            bmp::convert24(source.get(), rowStride, width_, height_, rgba.get());
            break;
        case 16:
            bmp::convert16(source.get(), rowStride, width_, height_, {redMask_, greenMask_, blueMask_}, rgba.get());
            break;
        case 8:
            bmp::convert8(source.get(), rowStride, width_, height_, palette_, rgba.get());
            break;
        default:
            bmp::convert4(source.get(), rowStride, width_, height_, palette_, rgba.get());
            break;
        }
    }
    pixels_ = std::move(rgba);
    bitsPerPixel_ = 32;
    return true;
}

bool BitmapTexture::flipRows()
{
    if (!pixels_)
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    auto spare = allocate(static_cast<std::int64_t>(rowBytes));
    if (!spare)
        return false;
    for (std::int32_t top = 0, bottom = height_ - 1; top < height_ / 2; ++top, --bottom) {
        std::uint8_t* upper = pixels_.get() + static_cast<std::size_t>(top) * rowBytes;
        std::uint8_t* lower = pixels_.get() + static_cast<std::size_t>(bottom) * rowBytes;
        std::memcpy(spare.get(), upper, rowBytes);
        std::memcpy(upper, lower, rowBytes);
        std::memcpy(lower, spare.get(), rowBytes);
    }
    return true;
}

std::size_t BitmapTexture::rgbaSize() const
{
    return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4;
}

}  // namespace zorun::renderer
