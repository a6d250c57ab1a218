// Feeds arbitrary bytes to the bitmap loader as the renderer would read them from the texture path.
#include "renderer/bitmap_texture.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& scratchPath()
{
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder != nullptr ? folder : "/tmp") + "/zorun-fuzz-" + std::to_string(getpid()) + ".bmp";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = scratchPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    zorun::renderer::BitmapTexture texture;
    if (texture.loadImage(path.c_str())) {
        // What the loader promises whenever it says yes.
        const std::size_t expected =
            static_cast<std::size_t>(texture.width()) * static_cast<std::size_t>(texture.height()) * 4;
        if (texture.pixelBytes() != expected || texture.bitsPerPixel() != 32 || !texture.flipRows())
            std::abort();
        for (std::size_t i = 3; i < texture.pixelBytes(); i += 4) {
            if (texture.pixels()[i] != 255)
                std::abort();
        }
    }
    return 0;
}
