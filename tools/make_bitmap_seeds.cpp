// make_bitmap_seeds DIR: writes small bitmaps of every accepted form into DIR, as a fuzzing seed corpus.
#include "tools/bitmap_builder.h"
#include "common/write_file.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

void save(const std::filesystem::path& folder, const std::string& name, const testbmp::BitmapLayout& layout)
{
    zorun::writeWholeFile((folder / name).string(), testbmp::encode(layout));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bitmap_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (int bits : {4, 8, 16, 24, 32}) {
        for (std::int32_t width : {1, 3, 8}) {
            save(folder, "plain-" + std::to_string(bits) + "-" + std::to_string(width) + ".bmp",
                 testbmp::gradient(width, 3, static_cast<std::uint16_t>(bits)));
        }
    }
    auto fields = testbmp::gradient(5, 2, 16);
    fields.compression = 3;
    fields.masks = std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F};
    save(folder, "bitfields-565.bmp", fields);
    auto fewColours = testbmp::gradient(7, 2, 8);
    fewColours.palette.resize(16);
    save(folder, "palette-16-of-256.bmp", fewColours);
    auto sized = testbmp::gradient(6, 4, 24);
    sized.sizeImage = 6 * 3 * 4 + 8;
    save(folder, "explicit-image-size.bmp", sized);
    return 0;
}
