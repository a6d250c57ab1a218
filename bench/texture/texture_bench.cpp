// Decodes large bitmaps of every supported depth with our loader (as the renderer does: loadImage, then
// flipRows) and with stb_image, and prints MB/s of file data for both and their ratio.
#include "tools/bitmap_builder.h"
#include "renderer/bitmap_texture.h"
#include "temp_dir.h"

#include <stb_image.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Best of several runs: the figure least disturbed by the rest of the machine.
double bestSeconds(int runs, const std::function<bool()>& decode)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!decode()) {
            std::fprintf(stderr, "decode failed\n");
            std::exit(1);
        }
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::int32_t side = argc > 1 ? std::atoi(argv[1]) : 4096;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    testfs::TempDir dir;
    std::printf("bitmap decoding, %d x %d, best of %d runs\n", side, side, runs);
    std::printf("%-6s %10s %12s %12s %8s\n", "depth", "file MB", "ours MB/s", "stb MB/s", "ratio");
    for (int bits : {4, 8, 16, 24, 32}) {
        auto layout = testbmp::gradient(side, side, static_cast<std::uint16_t>(bits));
        if (bits == 16) {
            layout.compression = 3;
            layout.masks = std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F};
        }
        const std::string path = dir.write("bench-" + std::to_string(bits) + ".bmp", testbmp::encode(layout));
        layout = {};
        const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

        zorun::renderer::BitmapTexture texture;
        const double ours = bestSeconds(runs, [&] { return texture.loadImage(path.c_str()) && texture.flipRows(); });
        const double theirs = bestSeconds(runs, [&] {
            int width = 0, height = 0, channels = 0;
            stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
            stbi_image_free(pixels);
            return pixels != nullptr;
        });
        std::printf("%-6d %10.1f %12.1f %12.1f %8.2f\n", bits, megabytes, megabytes / ours, megabytes / theirs,
                    theirs / ours);
    }
    return 0;
}
