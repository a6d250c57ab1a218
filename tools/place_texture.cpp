// place_texture PICTURE.jpg: writes the picture as the 24-bit bitmap at the texture path, so the
// renderer can be tried without the host. Prints the path written.
#include "common/bitmap_writer.h"
#include "common/texture_path.h"

#include <stb_image.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: place_texture PICTURE.jpg\n");
        return 2;
    }
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load(argv[1], &width, &height, &channels, 3);
    if (pixels == nullptr) {
        std::fprintf(stderr, "place_texture: %s: cannot decode\n", argv[1]);
        return 1;
    }
    const std::vector<std::uint8_t> rgb(
        pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    stbi_image_free(pixels);

    const std::string path = zorun::texturePath();
    std::error_code error;
    std::filesystem::create_directories(zorun::textureFolder(), error);
    if (path.empty() || !zorun::writeBitmap24(path, width, height, rgb)) {
        std::fprintf(stderr, "place_texture: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
