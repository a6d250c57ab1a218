// Pixels that the loader produces for every supported depth, from bitmaps whose pixels are known.
#include "renderer/bitmap_format.h"
#include "bitmap_test_util.h"

#include <gtest/gtest.h>

namespace zorun::renderer {

namespace {

struct ConvertCase {
    const char* name;
    testbmp::BitmapLayout layout;
    std::vector<Rgba> expected;  // file order: bottom row first
};

// Entry i is (i, 9, 255 - i), wrapping past 255.
testbmp::BitmapLayout withRamp(testbmp::BitmapLayout s, int entries, std::optional<std::uint32_t> clrUsed)
{
    for (int i = 0; i < entries; ++i)
        s.palette.push_back(paletteEntry(static_cast<std::uint8_t>(i), 9, static_cast<std::uint8_t>(255 - i)));
    s.clrUsed = clrUsed;
    return s;
}

const Rgba black = opaque(0, 0, 0);
const Rgba white = opaque(255, 255, 255);

std::vector<ConvertCase> convertCases()
{
    std::vector<std::uint32_t> stripes;
    std::vector<Rgba> striped;
    for (int i = 0; i < 18; ++i) {
        stripes.push_back(i % 2 == 0 ? 0 : 15);
        striped.push_back(i % 2 == 0 ? opaque(0, 9, 255) : opaque(15, 9, 240));
    }
    return {
        {"32-bit swaps red and blue and drops the fourth byte",
         layout(2, 2, 32, {0x00112233, 0x7F445566, 0xFF778899, 0x01AABBCC}),
         {opaque(0x11, 0x22, 0x33), opaque(0x44, 0x55, 0x66), opaque(0x77, 0x88, 0x99), opaque(0xAA, 0xBB, 0xCC)}},
        {"24-bit of width 3 skips three alignment bytes per row",
         layout(3, 2, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0x010203, 0x040506, 0x070809}),
         {opaque(255, 0, 0), opaque(0, 255, 0), opaque(0, 0, 255), opaque(1, 2, 3), opaque(4, 5, 6), opaque(7, 8, 9)}},
        {"16-bit 5-6-5 bit fields widen each channel to 8 bits",
         withMasks(layout(6, 1, 16, {0xFFFF, 0x0000, 0xF800, 0x07E0, 0x001F, 0x8410}), 0xF800, 0x07E0, 0x001F),
         {white, black, opaque(255, 0, 0), opaque(0, 255, 0), opaque(0, 0, 255), opaque(132, 130, 132)}},
        {"16-bit without bit fields reads as 5-5-5 and ignores the top bit",
         layout(5, 1, 16, {0x7FFF, 0x8000, 0x7C00, 0x03E0, 0x001F}),
         {white, black, opaque(255, 0, 0), opaque(0, 255, 0), opaque(0, 0, 255)}},
        {"16-bit 4-4-4 masks repeat the nibble",
         withMasks(layout(2, 1, 16, {0x0F00, 0x0A5F}), 0x0F00, 0x00F0, 0x000F),
         {opaque(255, 0, 0), opaque(0xAA, 0x55, 0xFF)}},
        {"8-bit indexes the palette; entries beyond the colours used are black",
         layout(4, 1, 8, {0, 1, 2, 200},
                {paletteEntry(10, 20, 30), paletteEntry(40, 50, 60), paletteEntry(255, 255, 255)}),
         {opaque(10, 20, 30), opaque(40, 50, 60), white, black}},
        {"8-bit with no colour count reads all 256 entries",
         withRamp(layout(2, 1, 8, {255, 1}), 256, 0),
         {opaque(255, 9, 0), opaque(1, 9, 254)}},
        {"8-bit with more than 256 colours reads 256 and finds the pixels",
         withRamp(layout(2, 1, 8, {255, 7}), 300, std::nullopt),
         {opaque(255, 9, 0), opaque(7, 9, 248)}},
        {"4-bit takes the high half first and aligns odd rows",
         layout(3, 2, 4, {1, 2, 3, 3, 2, 1},
                {paletteEntry(0, 0, 0), paletteEntry(255, 0, 0), paletteEntry(0, 255, 0), paletteEntry(0, 0, 255)}),
         {opaque(255, 0, 0), opaque(0, 255, 0), opaque(0, 0, 255), opaque(0, 0, 255), opaque(0, 255, 0),
          opaque(255, 0, 0)}},
        {"4-bit of width 9 with no colour count reads 16 entries", withRamp(layout(9, 2, 4, stripes), 16, 0), striped}};
}

void PrintTo(const ConvertCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConvertTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, ProducesKnownPixelsWithOpaqueAlpha)
{
    const ConvertCase& c = GetParam();
    testfs::TempDir dir;
    const std::string path = dir.write("picture.bmp", testbmp::encode(c.layout));
    BitmapTexture texture;
    ASSERT_TRUE(texture.readBitmap(path.c_str()));
    EXPECT_EQ(texture.width(), c.layout.width);
    EXPECT_EQ(texture.height(), c.layout.height);
    EXPECT_EQ(texture.bitsPerPixel(), 32);
    EXPECT_EQ(pixelsOf(texture), c.expected);
    EXPECT_TRUE(testfs::isClosedByThisProcess(path));
}

INSTANTIATE_TEST_SUITE_P(Depths, ConvertTest, ::testing::ValuesIn(convertCases()));

TEST(WidenChannel, RepeatsTheBitsOfEveryMaskWidth)
{
    struct Row {
        int maskBits;
        std::uint32_t value;
        std::uint8_t expected;
    };
    // Widths 4 to 6 are pinned by the 16-bit cases of the loader above.
    const Row rows[] = {{1, 0, 0},    {1, 1, 255},      {2, 2, 170}, {3, 5, 182},
                        {7, 64, 129}, {8, 0x1AB, 0xAB}, {0, 7, 7},   {12, 0xFFF, 0xFF}};
    for (const Row& row : rows)
        EXPECT_EQ(bmp::widenChannel(row.value, row.maskBits), row.expected)
            << row.maskBits << " bits, value " << row.value;
}

TEST(LoadImage, LooksOnlyAtTheLastThreeCharactersIgnoringCase)
{
    testfs::TempDir dir;
    const auto bytes = testbmp::encode(layout(1, 1, 24, {0x123456}));
    struct Row {
        const char* name;
        bool accepted;
    };
    const Row rows[] = {{"a.bmp", true},  {"A.BMP", true},   {"a.bMp", true}, {"nodotbmp", true},
                        {"a.bmq", false}, {"a.bmp~", false}, {"a.dib", false}};
    for (const Row& row : rows) {
        const std::string path = dir.write(row.name, bytes);
        BitmapTexture texture;
        EXPECT_EQ(texture.loadImage(path.c_str()), row.accepted) << row.name;
        EXPECT_EQ(texture.pixels() != nullptr, row.accepted) << row.name;
    }
    BitmapTexture texture;
    EXPECT_FALSE(texture.loadImage("mp"));
    EXPECT_FALSE(texture.loadImage(""));
}

}  // namespace

}  // namespace zorun::renderer
