// The host's bitmap writer against the renderer's loader: what one writes, the other reads back.
#include "renderer/bitmap_texture.h"
#include "common/bitmap_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> pattern(std::int32_t width, std::int32_t height)
{
    std::vector<std::uint8_t> rgb;
    for (std::int32_t i = 0; i < width * height * 3; ++i)
        rgb.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    return rgb;
}

// Odd widths need row padding; the loader refuses a file whose rows are short, and misreads one padded wrongly.
TEST(BitmapWriter, WhatItWritesTheLoaderReadsBackTopRowFirst)
{
    testfs::TempDir dir;
    for (auto [width, height] : {std::pair{1, 1}, {3, 2}, {4, 3}, {271, 167}}) {
        const auto rgb = pattern(width, height);
        const std::string path = (dir.path() / "Zorun.bmp").string();
        ASSERT_TRUE(zorun::writeBitmap24(path, width, height, rgb));
        zorun::renderer::BitmapTexture texture;
        ASSERT_TRUE(texture.loadImage(path.c_str()));
        ASSERT_TRUE(texture.flipRows());
        ASSERT_EQ(texture.pixelBytes(), static_cast<std::size_t>(width * height * 4));
        for (std::size_t i = 0; i < static_cast<std::size_t>(width * height); ++i) {
            EXPECT_EQ(texture.pixels()[i * 4 + 0], rgb[i * 3 + 0]) << width << "x" << height << " pixel " << i;
            EXPECT_EQ(texture.pixels()[i * 4 + 1], rgb[i * 3 + 1]);
            EXPECT_EQ(texture.pixels()[i * 4 + 2], rgb[i * 3 + 2]);
        }
    }
}

TEST(BitmapWriter, RefusesWhatCannotBeAPicture)
{
    EXPECT_TRUE(zorun::encodeBitmap24(0, 5, {}).empty());
    EXPECT_TRUE(zorun::encodeBitmap24(5, -1, pattern(5, 1)).empty());
    EXPECT_TRUE(zorun::encodeBitmap24(2, 2, pattern(2, 1)).empty());
    EXPECT_TRUE(zorun::encodeBitmap24(0x7FFFFFFF, 0x7FFFFFFF, {}).empty());
    testfs::TempDir dir;
    EXPECT_FALSE(zorun::writeBitmap24((dir.path() / "missing" / "x.bmp").string(), 1, 1, pattern(1, 1)));
}

}  // namespace
