// Files the loader must refuse: each ends quietly, without pixels, with the file closed.
#include "renderer/bitmap_format.h"
#include "bitmap_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>

// The largest array the program asked for since the last reset: a refusal must come before the loader
// allocates what a hostile header claims.
namespace {
std::size_t largestArray = 0;
}

void* operator new[](std::size_t bytes)
{
    largestArray = bytes > largestArray ? bytes : largestArray;
    if (void* p = std::malloc(bytes != 0 ? bytes : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept
{
    largestArray = bytes > largestArray ? bytes : largestArray;
    return std::malloc(bytes != 0 ? bytes : 1);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace zorun::renderer {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Offsets of header fields in the file.
constexpr std::size_t offBitsAt = 10, infoSizeAt = 14, widthAt = 18, heightAt = 22, bitCountAt = 28, sizeImageAt = 34;

struct RefusalCase {
    const char* name;
    Bytes file;
};

// A 5 x 3 24-bit picture, changed before it is encoded.
Bytes withLayout(const std::function<void(testbmp::BitmapLayout&)>& change)
{
    auto s = layout(5, 3, 24, std::vector<std::uint32_t>(15, 0x336699));
    change(s);
    return testbmp::encode(s);
}

Bytes valid()
{
    return withLayout([](auto&) {});
}

// Little-endian 32-bit header fields overwritten in the encoded file.
Bytes patched(Bytes bytes, std::initializer_list<std::pair<std::size_t, std::uint32_t>> fields)
{
    for (const auto& [at, value] : fields)
        for (std::size_t i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

Bytes cut(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

std::vector<RefusalCase> refusalCases()
{
    const Bytes palette8 = withLayout([](auto& s) { s.bits = 8, s.clrUsed = 256, s.palette.assign(2, {}); });
    const Bytes masks16 = withLayout([](auto& s) { s.bits = 16, s.compression = 3; });
    return {
        {"empty file", {}},
        {"file shorter than the headers", cut(valid(), 30)},
        {"signature not BM", patched(valid(), {{0, 0x424D}})},
        {"12-byte core header", patched(valid(), {{infoSizeAt, 12}})},
        {"run-length compression", withLayout([](auto& s) { s.bits = 8, s.palette.assign(2, {}), s.compression = 1; })},
        {"1 bit per pixel", withLayout([](auto& s) { s.bits = 1, s.palette.assign(2, {}); })},
        {"pixel data cut short", cut(valid(), valid().size() - 1)},
        {"image size larger than the file holds", patched(valid(), {{sizeImageAt, 10000}})},
        {"image size smaller than the rows need", patched(valid(), {{sizeImageAt, 16}})},
        {"image size negative", patched(valid(), {{sizeImageAt, 0x80000000u}})},
        {"top-first bitmap (negative height)", withLayout([](auto& s) { s.height = -3; })},
        {"width 0", withLayout([](auto& s) { s.width = 0; })},
        {"height 0", withLayout([](auto& s) { s.height = 0; })},
        {"negative width", patched(valid(), {{widthAt, static_cast<std::uint32_t>(-5)}})},
        {"header claiming gigabytes", patched(valid(), {{widthAt, 100000}, {heightAt, 100000}})},
        {"width times bits overflowing 32 bits",
         patched(withLayout([](auto& s) { s.bits = 32; }), {{widthAt, 0x7FFFFFFF}, {heightAt, 1}})},
        {"bit count and width whose row length overflows",
         patched(valid(), {{widthAt, 0x76000000}, {heightAt, 0x00280000}, {bitCountAt, 0xFFFF}})},
        {"most negative height", patched(valid(), {{heightAt, 0x80000000u}})},
        {"pixel offset beyond the end", patched(valid(), {{offBitsAt, 0xFFFFFFF0u}})},
        {"pixel offset past the end with a header claiming 64 Mi pixels",
         patched(valid(), {{offBitsAt, 0x100000}, {widthAt, 8192}, {heightAt, 8192}})},
        {"palette cut short", cut(palette8, 54 + 100)},
        {"bit-field masks cut short", cut(masks16, 54 + 6)},
    };
}

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, EndsWithoutPixelsAndClosesTheFile)
{
    testfs::TempDir dir;
    const std::string path = dir.write("hostile.bmp", GetParam().file);
    BitmapTexture texture;
    // A picture from an earlier load must not survive a refused one.
    const std::string good = dir.write("good.bmp", valid());
    ASSERT_TRUE(texture.loadImage(good.c_str()));

    largestArray = 0;
    EXPECT_FALSE(texture.loadImage(path.c_str()));
    EXPECT_LT(largestArray, std::size_t{1} << 20);
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
    Bytes b = patched(valid(), {{sizeImageAt, static_cast<std::uint32_t>(bmp::alignedRowBytes(5, 24) * 3 + 64)}});
    b.resize(b.size() + 64, 0xAB);
    testfs::TempDir dir;
    BitmapTexture texture;
    ASSERT_TRUE(texture.loadImage(dir.write("padded.bmp", b).c_str()));
    EXPECT_EQ(pixelsOf(texture).front(), opaque(0x33, 0x66, 0x99));
    EXPECT_EQ(pixelsOf(texture).back(), opaque(0x33, 0x66, 0x99));
}

TEST(Refusal, LargerInfoHeadersAreReadFromTheirFirst40Bytes)
{
    // A version-5 header (124 bytes) with bit fields: the masks follow the first 40 bytes.
    auto s = withMasks(layout(2, 1, 16, {0xF800, 0x001F}), 0xF800, 0x07E0, 0x001F);
    s.infoSize = 124;
    s.offBits = 14 + 124;
    testfs::TempDir dir;
    BitmapTexture texture;
    ASSERT_TRUE(texture.loadImage(dir.write("v5.bmp", testbmp::encode(s)).c_str()));
    EXPECT_EQ(pixelsOf(texture), (std::vector<Rgba>{opaque(255, 0, 0), opaque(0, 0, 255)}));
}

}  // namespace

}  // namespace zorun::renderer
