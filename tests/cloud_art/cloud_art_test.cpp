// The committed cloud pictures: size, colour and, for the tiled cloud picture, no seam where copies meet.
#include <stb_image.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    int components = 0;
    std::unique_ptr<unsigned char, decltype(&stbi_image_free)> pixels{nullptr, &stbi_image_free};

    int at(int x, int y, int c) const { return pixels.get()[(static_cast<std::size_t>(y) * width + x) * 3 + c]; }
};

// The picture as RGB, with the size and colour components it is committed with.
Decoded decode(const char* name, int width, int height)
{
    Decoded picture;
    const std::string path = std::string(ZORUN_ASSETS_DIR) + "/" + name;
    picture.pixels.reset(stbi_load(path.c_str(), &picture.width, &picture.height, &picture.components, 3));
    EXPECT_TRUE(picture.pixels) << name << ": " << stbi_failure_reason();
    EXPECT_EQ(std::tuple(picture.width, picture.height, picture.components), std::tuple(width, height, 3)) << name;
    return picture;
}

// Mean absolute difference over all channels between column a and column b (or rows, when !columns).
double lineDifference(const Decoded& p, bool columns, int a, int b)
{
    const int length = columns ? p.height : p.width;
    double sum = 0.0;
    for (int i = 0; i < length; ++i)
        for (int c = 0; c < 3; ++c)
            sum += columns ? std::abs(p.at(a, i, c) - p.at(b, i, c)) : std::abs(p.at(i, a, c) - p.at(i, b, c));
    return sum / (length * 3);
}

TEST(CloudArt, CloudPictureAveragesToLightGreyBlueAndTilesWithoutASeam)
{
    const Decoded picture = decode("cloud.jpg", 271, 167);
    ASSERT_TRUE(picture.pixels);
    const double target[3] = {204, 212, 212};
    for (int c = 0; c < 3; ++c) {
        double sum = 0.0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                sum += picture.at(x, y, c);
        EXPECT_NEAR(sum / (picture.width * picture.height), target[c], 3.0) << "channel " << c;
    }
    for (const bool columns : {true, false}) {
        SCOPED_TRACE(columns ? "columns" : "rows");
        const int count = columns ? picture.width : picture.height;
        std::vector<double> inside;
        for (int i = 0; i + 1 < count; ++i)
            inside.push_back(lineDifference(picture, columns, i, i + 1));
        std::sort(inside.begin(), inside.end());
        // Where copies meet, the step must look like any step between neighbours inside: no larger than
        // most of them. Lines far apart differ several times more, so a real seam cannot hide here.
        EXPECT_LE(lineDifference(picture, columns, count - 1, 0), inside[inside.size() * 9 / 10]);
        EXPECT_GT(lineDifference(picture, columns, 0, count / 2), 3.0 * inside[inside.size() / 2]);
    }
}

TEST(CloudArt, PreviewShowsCloudsBetweenBlackBars)
{
    const Decoded picture = decode("preview.jpg", 152, 112);
    ASSERT_TRUE(picture.pixels);
    const int bar = static_cast<int>(picture.height * 0.1035);
    for (int x = 0; x < picture.width; ++x) {
        ASSERT_LT(picture.at(x, bar / 2, 1), 24) << "x " << x;
        ASSERT_LT(picture.at(x, picture.height - 1 - bar / 2, 1), 24) << "x " << x;
        ASSERT_GT(picture.at(x, picture.height / 2, 1), 150) << "x " << x;
    }
}

}  // namespace
