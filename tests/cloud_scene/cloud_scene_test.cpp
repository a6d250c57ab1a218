// The cloud scene drawn offscreen and read back (fade, letterbox, picture, restarts, the quit key, the
// texture's name), and the drift's texture matrix.
#include "tools/bitmap_builder.h"
#include "renderer/bitmap_texture.h"
#include "renderer/cloud_scene.h"
#include "renderer/gl_headers.h"
#include "offscreen_gl.h"
#include "renderer/render_window.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <set>
#include <vector>

namespace zorun::renderer {

// The frame is not linked: this double records the scene's quit requests.
namespace {
std::vector<RenderWindow*> quitRequests;
}  // namespace
void requestQuit(RenderWindow& window)
{
    quitRequests.push_back(&window);
}

namespace {

using testgl::OffscreenGl;
using testgl::Picture;

// Share of the height each bar covers: the bar starts at y = 0.25 at z = -1, the view reaches
// tan(17.5 degrees) there.
const double barShare = (1.0 - 0.25 / std::tan(17.5 * std::numbers::pi / 180.0)) / 2.0;

bool isBlack(const std::uint8_t* rgb)
{
    return rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0;
}

// Black rows counted inwards from the top edge (fromTop) or the bottom edge, in the middle column.
int blackRows(const Picture& picture, bool fromTop)
{
    int rows = 0;
    while (rows < picture.height && isBlack(picture.at(picture.width / 2, fromTop ? picture.height - 1 - rows : rows)))
        ++rows;
    return rows;
}

// The distinct 0xRRGGBB colours of the rows between the bars, well clear of their edges.
std::set<std::uint32_t> middleColours(const Picture& picture)
{
    std::set<std::uint32_t> colours;
    const int margin = static_cast<int>(picture.height * barShare) + 2;
    for (int y = margin; y < picture.height - margin; ++y)
        for (int x = 0; x < picture.width; ++x)
            colours.insert(picture.at(x, y)[0] << 16 | picture.at(x, y)[1] << 8 | picture.at(x, y)[2]);
    return colours;
}

// The middle is one colour, each channel within 1 of rgb.
void expectFlat(const Picture& picture, std::uint32_t rgb)
{
    const auto colours = middleColours(picture);
    ASSERT_EQ(colours.size(), 1u);
    for (const int shift : {16, 8, 0})
        EXPECT_NEAR(*colours.begin() >> shift & 0xFF, rgb >> shift & 0xFF, 1) << std::hex << *colours.begin();
}

testbmp::BitmapLayout solid(std::uint32_t rgb)
{
    testbmp::BitmapLayout layout;
    layout.width = 8;
    layout.height = 8;
    layout.pixels.assign(64, rgb);
    return layout;
}

class CloudScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        // An empty cache folder of the test's own, so a picture of the person running the tests never shows.
        ASSERT_EQ(setenv("XDG_CACHE_HOME", cache.path().c_str(), 1), 0);
        sceneState() = SceneState{};
        quitRequests.clear();
    }

    void TearDown() override { unsetenv("XDG_CACHE_HOME"); }

    // A new context for a new window; the old one goes first, as its window's does.
    void start(int width, int height)
    {
        gl.reset();
        gl = std::make_unique<OffscreenGl>(width, height);
        ASSERT_EQ(gl->error(), std::string{});
        EXPECT_TRUE(initScene(window, keys));
        reshapeView(width, height);
    }

    Picture frame(std::int32_t elapsedMs)
    {
        advanceScene(elapsedMs);
        drawScene();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return gl->read();
    }

    void writeTexture(const testbmp::BitmapLayout& layout)
    {
        std::filesystem::create_directories(cache.path() / "k_vorn");
        cache.write("k_vorn/Zorun.bmp", testbmp::encode(layout));
    }

    testfs::TempDir cache;
    KeyTable keys;
    RenderWindow window;
    std::unique_ptr<OffscreenGl> gl;
};

TEST_F(CloudScene, WithoutAPictureAFlatFieldFadesInFromBlackToFullAndStops)
{
    ASSERT_NO_FATAL_FAILURE(start(320, 240));
    // Each frame shows the level from before its own increase of elapsed x 0.0005; a frame of 0 ms
    // holds the level where it is.
    const struct {
        std::int32_t elapsedMs;
        std::uint32_t shown;
    } frames[] = {{500, 0}, {500, 64}, {0, 128}, {0, 128}, {500, 128}, {500, 191}, {500, 255}, {500, 255}};
    for (const auto& f : frames) {
        SCOPED_TRACE("shown " + std::to_string(f.shown));
        expectFlat(frame(f.elapsedMs), f.shown * 0x010101u);
    }
}

TEST_F(CloudScene, BarsCoverTheOuterTenPercentAtFourToThreeAndWide)
{
    for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{1600, 600}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        sceneState() = SceneState{};
        ASSERT_NO_FATAL_FAILURE(start(width, height));
        frame(2000);
        const Picture picture = frame(10);
        const double expected = barShare * height;
        EXPECT_NEAR(blackRows(picture, true), expected, 1.0);
        EXPECT_NEAR(blackRows(picture, false), expected, 1.0);
        // The bars span the whole width; the clouds start right below them.
        const int inside = static_cast<int>(expected) - 1;
        const int outside = static_cast<int>(expected) + 2;
        for (int x = 0; x < width; ++x) {
            ASSERT_TRUE(isBlack(picture.at(x, inside)) && isBlack(picture.at(x, height - 1 - inside))) << "x " << x;
            ASSERT_EQ(picture.at(x, outside)[0], 255) << "x " << x;
            ASSERT_EQ(picture.at(x, height - 1 - outside)[0], 255) << "x " << x;
        }
    }
}

TEST_F(CloudScene, ThePictureIsScaledByTheFadeAndARestartPastItShowsTheRereadPictureAtOnce)
{
    writeTexture(solid(0x40C080));
    ASSERT_NO_FATAL_FAILURE(start(320, 240));
    frame(1000);
    expectFlat(frame(1234), 0x206040);
    frame(16);
    const SceneState kept = sceneState();
    writeTexture(solid(0x102030));
    // The restarted window gets a new context; the scene is set up again and rereads the picture, but
    // keeps the fade and the drift.
    ASSERT_NO_FATAL_FAILURE(start(320, 240));
    EXPECT_EQ(sceneState().cloudShift, kept.cloudShift);
    EXPECT_EQ(sceneState().cloudAngle, kept.cloudAngle);
    expectFlat(frame(16), 0x102030);
}

TEST_F(CloudScene, TheCloudsShowAndMoveOnlyAsTimePasses)
{
    writeTexture(testbmp::gradient(271, 167, 24));  // the size of the real picture, no power of two
    ASSERT_NO_FATAL_FAILURE(start(400, 300));
    frame(2500);
    const Picture before = frame(40);
    EXPECT_GT(middleColours(before).size(), 100u) << "the middle should show the picture, not a flat field";
    EXPECT_EQ(frame(0), before);
    EXPECT_NE(frame(40), before);
    // One unit of drift every 900 ms, one degree of turn every second.
    EXPECT_NEAR(sceneState().cloudShift, 2580 / 900.0, 1e-4);
    EXPECT_NEAR(sceneState().cloudAngle, 2.58, 1e-4);
}

TEST_F(CloudScene, OnlyEscapeAsksTheFrameToQuit)
{
    ASSERT_NO_FATAL_FAILURE(start(64, 48));
    keys.down['Q'] = 1;
    advanceScene(16);
    EXPECT_TRUE(quitRequests.empty());
    keys.down[27] = 1;
    advanceScene(16);
    EXPECT_EQ(quitRequests, std::vector<RenderWindow*>{&window});
}

TEST_F(CloudScene, AnUploadReplacesTheTextureNameAndEndingTheSceneFreesItInItsOwnContext)
{
    writeTexture(solid(0x40C080));
    ASSERT_NO_FATAL_FAILURE(start(64, 48));
    const GLuint first = cloudTexture().textureName();
    cloudTexture().uploadTexture();
    EXPECT_FALSE(glIsTexture(first)) << "the old name should be deleted before a new one is made";
    const GLuint name = cloudTexture().textureName();
    ASSERT_TRUE(glIsTexture(name));
    endScene();
    EXPECT_FALSE(glIsTexture(name));
    // Nothing is left for the next context's upload or for the end of the program to delete.
    EXPECT_EQ(cloudTexture().textureName(), 0u);
}

TEST(CloudDrift, AfterTwoDaysOfFramesEachStepIsTheFirstFramesStep)
{
    SceneState state;
    driftClouds(state, 16);
    const SceneState first = state;
    for (long tick = 1; tick < 48L * 3600 * 1000 / 16; ++tick)
        driftClouds(state, 16);
    const SceneState before = state;
    driftClouds(state, 16);
    EXPECT_NEAR(state.cloudShift - before.cloudShift, first.cloudShift, 1e-9);
    EXPECT_NEAR(std::remainder(state.cloudAngle - before.cloudAngle, 360.0), first.cloudAngle, 1e-9);
    double matrix[16];
    cloudTextureMatrix(state, matrix);
    for (int row = 0; row < 3; ++row) {
        EXPECT_GE(matrix[12 + row], 0.0);
        EXPECT_LT(matrix[12 + row], 1.0);
    }
}

TEST(CloudDrift, TheMatrixIsOpenGlsTurnAfterTheDriftUpToWholeRepeats)
{
    testgl::OffscreenGl gl{16, 16};
    ASSERT_EQ(gl.error(), std::string{});
    SceneState state;
    state.cloudShift = 7.3;
    state.cloudAngle = 41.0;
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glRotated(state.cloudAngle, 1.0, 1.0, 1.0);
    glTranslated(state.cloudShift, 0.0, 0.0);
    double expected[16];
    glGetDoublev(GL_TEXTURE_MATRIX, expected);
    glLoadIdentity();
    double matrix[16];
    cloudTextureMatrix(state, matrix);
    for (int i = 0; i < 16; ++i) {
        const double difference = i >= 12 ? std::remainder(matrix[i] - expected[i], 1.0) : matrix[i] - expected[i];
        EXPECT_NEAR(difference, 0.0, 1e-6) << "element " << i;
    }
}

}  // namespace

}  // namespace zorun::renderer
