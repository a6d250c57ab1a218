// The cloud texture: reads a Windows bitmap file into top-first RGBA pixels and hands them to OpenGL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace zorun::renderer {

class BitmapTexture {
public:
    BitmapTexture();
    virtual ~BitmapTexture();
    BitmapTexture(const BitmapTexture&) = delete;
    BitmapTexture& operator=(const BitmapTexture&) = delete;

    /// Releases the pixels, then reads the file when its path ends in "bmp" (any case).
    bool loadImage(const char* path);
    /// Reads a bitmap file into 32-bit RGBA pixels, rows in file order.
    bool readBitmap(const char* path);
    /// Puts the rows in reverse order, so that a bottom-up bitmap becomes top row first.
    bool flipRows();
    /// Needs a current OpenGL context: a new texture name, its filters and, with pixels, every mipmap level.
    void uploadTexture();
    /// Needs a current OpenGL context: binds the texture name when one exists.
    void bindTexture();
    /// Needs the context the name was made in: deletes the name, so that neither the next upload (in
    /// another context) nor the destructor (with no context at all) makes a GL call for it.
    void releaseTextureName();

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::int32_t bitsPerPixel() const { return bitsPerPixel_; }
    std::uint32_t textureName() const { return textureName_; }
    /// width x height x 4 bytes of red, green, blue, alpha, or null when there are none.
    const std::uint8_t* pixels() const { return pixels_.get(); }
    std::size_t pixelBytes() const { return pixels_ ? rgbaSize() : 0; }

    /// The largest picture accepted, in pixels: keeps a hostile header from asking for gigabytes.
    static constexpr std::int64_t maxPixelCount = std::int64_t{1} << 26;

private:
    bool readPalette(std::FILE* file, std::uint32_t colourCount);
    bool readMasks(std::FILE* file, std::uint32_t compression);
    bool convertPixels(std::FILE* file, std::uint32_t sizeImage);
    std::size_t rgbaSize() const;

    std::uint32_t textureName_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t bitsPerPixel_ = 0;
    std::unique_ptr<std::uint8_t[]> pixels_;
    std::uint8_t palette_[256][4] = {};
    std::uint32_t redMask_ = 0;
    std::uint32_t greenMask_ = 0;
    std::uint32_t blueMask_ = 0;
    std::int32_t imageSize_ = 0;
};

}  // namespace zorun::renderer
