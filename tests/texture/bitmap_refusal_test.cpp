// Files the loader must refuse: each ends quietly, without pixels, with the file closed.
#include "bitmap_format.h"
#include "bitmap_test_util.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Bytes = std::vector<std::uint8_t>;

testbmp::BitmapLayout valid24()
{
    testbmp::BitmapLayout s;
    s.width = 5;
    s.height = 3;
    s.bits = 24;
    s.pixels.assign(15, 0x336699);
    return s;
}

void put32At(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Offsets of header fields in the file.
constexpr std::size_t offBitsAt = 10, infoSizeAt = 14, widthAt = 18, heightAt = 22, compressionAt = 30,
                      sizeImageAt = 34;

struct RefusalCase {
    const char* name;
    std::function<Bytes()> file;
};

Bytes withLayout(const std::function<void(testbmp::BitmapLayout&)>& change)
{
    auto s = valid24();
    change(s);
    return testbmp::encode(s);
}

Bytes patched(std::size_t at, std::uint32_t value)
{
    Bytes bytes = testbmp::encode(valid24());
    put32At(bytes, at, value);
    return bytes;
}

std::vector<RefusalCase> refusalCases()
{
    return {
        {"empty file", [] { return Bytes{}; }},
        {"file shorter than the headers", [] {
             Bytes b = testbmp::encode(valid24());
             b.resize(30);
             return b;
         }},
        {"signature not BM", [] {
             Bytes b = testbmp::encode(valid24());
             b[0] = 'M';
             b[1] = 'B';
             return b;
         }},
        {"12-byte core header", [] { return patched(infoSizeAt, 12); }},
        {"run-length compression", [] { return withLayout([](auto& s) { s.bits = 8; s.palette.assign(2, {}); s.compression = 1; }); }},
        {"png compression", [] { return patched(compressionAt, 5); }},
        {"1 bit per pixel", [] { return withLayout([](auto& s) { s.bits = 1; s.palette.assign(2, {}); }); }},
        {"2 bits per pixel", [] { return withLayout([](auto& s) { s.bits = 2; s.palette.assign(4, {}); }); }},
        {"pixel data cut short", [] {
             Bytes b = testbmp::encode(valid24());
             b.pop_back();
             return b;
         }},
        {"image size larger than the file holds", [] { return patched(sizeImageAt, 10000); }},
        {"image size smaller than the rows need", [] { return patched(sizeImageAt, 16); }},
        {"image size negative", [] { return patched(sizeImageAt, 0x80000000u); }},
        {"top-first bitmap (negative height)", [] { return withLayout([](auto& s) { s.height = -3; }); }},
        {"width 0", [] { return withLayout([](auto& s) { s.width = 0; }); }},
        {"height 0", [] { return withLayout([](auto& s) { s.height = 0; }); }},
        {"negative width", [] { return patched(widthAt, static_cast<std::uint32_t>(-5)); }},
        {"header claiming gigabytes", [] {
             Bytes b = testbmp::encode(valid24());
             put32At(b, widthAt, 100000);
             put32At(b, heightAt, 100000);
             return b;
         }},
        {"width times bits overflowing 32 bits", [] {
             Bytes b = withLayout([](auto& s) { s.bits = 32; });
             put32At(b, widthAt, 0x7FFFFFFF);
             put32At(b, heightAt, 1);
             return b;
         }},
        {"bit count and width whose row length overflows", [] {
             Bytes b = testbmp::encode(valid24());
             put32At(b, widthAt, 0x76000000);
             put32At(b, heightAt, 0x00280000);
             b[28] = 0xFF;
             b[29] = 0xFF;
             return b;
         }},
        {"most negative height", [] { return patched(heightAt, 0x80000000u); }},
        {"pixel offset beyond the end", [] { return patched(offBitsAt, 0xFFFFFFF0u); }},
        {"palette cut short", [] {
             auto s = valid24();
             s.bits = 8;
             s.clrUsed = 256;
             s.palette.assign(2, {});
             s.pixels.clear();
             Bytes b = testbmp::encode(s);
             b.resize(54 + 100);
             return b;
         }},
        {"bit-field masks cut short", [] {
             auto s = valid24();
             s.bits = 16;
             s.compression = 3;
             Bytes b = testbmp::encode(s);
             b.resize(54 + 6);
             return b;
         }},
    };
}

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, EndsWithoutPixelsAndClosesTheFile)
{
    SCOPED_TRACE(GetParam().name);
    testfs::TempDir dir;
    const std::string path = dir.write("hostile.bmp", GetParam().file());
    BitmapTexture texture;
    // A picture from an earlier load must not survive a refused one.
    const std::string good = dir.write("good.bmp", testbmp::encode(valid24()));
    ASSERT_TRUE(texture.loadImage(good.c_str()));

    EXPECT_FALSE(texture.loadImage(path.c_str()));
    EXPECT_EQ(texture.pixels(), nullptr);
    EXPECT_EQ(texture.pixelBytes(), 0u);
    EXPECT_FALSE(texture.flipRows());
    EXPECT_TRUE(testfs::isClosedByThisProcess(path));
}

INSTANTIATE_TEST_SUITE_P(HostileFiles, RefusalTest, ::testing::ValuesIn(refusalCases()));

TEST(Refusal, MissingFileAndMissingFolder)
{
    testfs::TempDir dir;
    BitmapTexture texture;
    EXPECT_FALSE(texture.loadImage((dir.path() / "absent.bmp").string().c_str()));
    EXPECT_FALSE(texture.loadImage((dir.path() / "no" / "such" / "folder.bmp").string().c_str()));
    EXPECT_FALSE(texture.loadImage(nullptr));
}

TEST(Refusal, ImageSizeLargerThanTheRowsIsReadWhenTheFileHoldsIt)
{
    // Writers that round the image size up (or add trailing bytes) are common; only the rows are used.
    auto s = valid24();
    Bytes b = testbmp::encode(s);
    b.resize(b.size() + 64, 0xAB);
    put32At(b, sizeImageAt, static_cast<std::uint32_t>(bmp::alignedRowBytes(5, 24) * 3 + 64));
    testfs::TempDir dir;
    const std::string path = dir.write("padded.bmp", b);
    BitmapTexture texture;
    ASSERT_TRUE(texture.loadImage(path.c_str()));
    EXPECT_EQ(pixelsOf(texture).front(), opaque(0x33, 0x66, 0x99));
    EXPECT_EQ(pixelsOf(texture).back(), opaque(0x33, 0x66, 0x99));
}

TEST(Refusal, LargerInfoHeadersAreReadFromTheirFirst40Bytes)
{
    // A version-5 header (124 bytes) with bit fields: the masks follow the first 40 bytes.
    auto s = valid24();
    s.bits = 16;
    s.width = 2;
    s.height = 1;
    s.pixels = {0xF800, 0x001F};
    s.compression = 3;
    s.masks = std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F};
    s.infoSize = 124;
    s.offBits = 14 + 124;
    testfs::TempDir dir;
    const std::string path = dir.write("v5.bmp", testbmp::encode(s));
    BitmapTexture texture;
    ASSERT_TRUE(texture.loadImage(path.c_str()));
    EXPECT_EQ(pixelsOf(texture), (std::vector<Rgba>{opaque(255, 0, 0), opaque(0, 0, 255)}));
}

}  // namespace
