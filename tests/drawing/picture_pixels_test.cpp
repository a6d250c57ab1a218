// A decoded picture's pixels as the drawing surfaces take them.
#include "host/drawing/picture_pixels.h"

#include <gtest/gtest.h>

namespace zorun::host {
namespace {

TEST(PicturePixels, RowsTopFirstEachPixelRedGreenBlueFromTheTop)
{
    const Picture picture{2, 2, {0x11, 0x12, 0x13, 0x21, 0x22, 0x23, 0x31, 0x32, 0x33, 0x41, 0x42, 0x43}};
    EXPECT_EQ(xrgbPixels(picture), (std::vector<std::uint32_t>{0x111213, 0x212223, 0x313233, 0x414243}));
}

TEST(PicturePixels, APictureWithoutAllItsPixelsGivesNone)
{
    const Picture pictures[] = {{2, 2, std::vector<std::uint8_t>(11)}, {0, 2, {}}, {2, -1, {}}};
    for (const Picture& picture : pictures) {
        EXPECT_FALSE(isWholePicture(picture)) << picture.width << " x " << picture.height;
        EXPECT_TRUE(xrgbPixels(picture).empty()) << picture.width << " x " << picture.height;
    }
}

TEST(PicturePixels, AFormsColourBecomesAPixel)
{
    EXPECT_EQ(xrgbFromColour(0x00332211), 0x112233u);  // 0x00BBGGRR: red is the low byte
}

}  // namespace
}  // namespace zorun::host
