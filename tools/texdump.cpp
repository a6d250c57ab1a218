// texdump IN.bmp OUT.pam: loads IN exactly as the renderer does and writes the pixels as a PAM file.
// Exit codes: 0 written, 1 the loader refused IN (nothing written), 2 usage or write error.
#include "renderer/bitmap_texture.h"

#include <cstdio>
#include <memory>

namespace {

bool writePam(const char* path, const zorun::renderer::BitmapTexture& texture)
{
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr)
        return false;
    const int headerOk = std::fprintf(out, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
                                      static_cast<int>(texture.width()), static_cast<int>(texture.height()));
    const bool written =
        headerOk > 0 && std::fwrite(texture.pixels(), 1, texture.pixelBytes(), out) == texture.pixelBytes();
    const bool closed = std::fclose(out) == 0;
    if (!(written && closed)) {
        std::remove(path);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: texdump IN.bmp OUT.pam\n");
        return 2;
    }
    auto texture = std::make_unique<zorun::renderer::BitmapTexture>();
    if (!texture->loadImage(argv[1]) || !texture->flipRows()) {
        std::fprintf(stderr, "texdump: %s: not a bitmap the renderer accepts\n", argv[1]);
        return 1;
    }
    if (!writePam(argv[2], *texture)) {
        std::fprintf(stderr, "texdump: %s: cannot write\n", argv[2]);
        return 2;
    }
    return 0;
}
