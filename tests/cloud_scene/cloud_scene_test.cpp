// The cloud scene drawn offscreen and read back: fade, letterbox, texture, restarts, the quit key.
#include "bitmap_builder.h"
#include "cloud_scene.h"
#include "gl_headers.h"
#include "offscreen_gl.h"
#include "render_window.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <cstdlib>
#include <filesystem>
#include <set>

// The frame is not linked: this double records the scene's quit requests.
namespace {
int quitRequests = 0;
RenderWindow* quitWindow = nullptr;
}  // namespace
void requestQuit(RenderWindow& window)
{
    ++quitRequests;
    quitWindow = &window;
}

namespace {

using testgl::OffscreenGl;
using testgl::Picture;

// Share of the height each bar covers: the bar starts at y = 0.25 at z = -1, the view reaches
// tan(17.5 degrees) there.
const double barShare = (1.0 - 0.25 / std::tan(17.5 * std::numbers::pi / 180.0)) / 2.0;

int brightness(const std::uint8_t* rgb) { return (rgb[0] + rgb[1] + rgb[2]) / 3; }

bool isBlack(const std::uint8_t* rgb) { return rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0; }

// Black rows counted inwards from the top edge (fromTop) or the bottom edge, in the middle column.
int blackRows(const Picture& picture, bool fromTop)
{
    int rows = 0;
    for (int i = 0; i < picture.height; ++i) {
        const int y = fromTop ? picture.height - 1 - i : i;
        if (!isBlack(picture.at(picture.width / 2, y)))
            break;
        ++rows;
    }
    return rows;
}

// Every pixel of the rows between the bars, well clear of their edges.
template <typename Visit>
void forEachMiddlePixel(const Picture& picture, Visit visit)
{
    const int margin = static_cast<int>(picture.height * barShare) + 2;
    for (int y = margin; y < picture.height - margin; ++y)
        for (int x = 0; x < picture.width; ++x)
            visit(picture.at(x, y));
}

class CloudScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The picture is looked for in the cache folder; point it at an empty folder of the test's own,
        // so a picture of the person running the tests never shows.
        ASSERT_EQ(setenv("XDG_CACHE_HOME", cache.path().c_str(), 1), 0);
        sceneState() = SceneState{};
        quitRequests = 0;
        quitWindow = nullptr;
    }

    void TearDown() override { unsetenv("XDG_CACHE_HOME"); }

    std::unique_ptr<OffscreenGl> start(int width, int height)
    {
        auto gl = std::make_unique<OffscreenGl>(width, height);
        if (gl->error().empty()) {
            EXPECT_TRUE(initScene(window, keys));
            reshapeView(width, height);
        }
        return gl;
    }

    Picture frame(const OffscreenGl& gl, std::int32_t elapsedMs)
    {
        advanceScene(elapsedMs);
        drawScene();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return gl.read();
    }

    void writeTexture(const testbmp::BitmapLayout& layout)
    {
        std::filesystem::create_directories(cache.path() / "k_vorn");
        cache.write("k_vorn/Zorun.bmp", testbmp::encode(layout));
    }

    testfs::TempDir cache;
    KeyTable keys;
    RenderWindow window;
};

#define START_OR_FAIL(gl, width, height)       \
    auto gl = start(width, height);            \
    ASSERT_EQ(gl->error(), std::string{})

testbmp::BitmapLayout solid(std::uint32_t rgb)
{
    testbmp::BitmapLayout layout;
    layout.width = 8;
    layout.height = 8;
    layout.pixels.assign(64, rgb);
    return layout;
}

TEST_F(CloudScene, FirstFrameIsBlackAndTheFadeRisesToFullAndStops)
{
    START_OR_FAIL(gl, 320, 240);
    // Each frame shows the level from before its own increase of elapsed x 0.0005; a frame of 0 ms
    // holds the level where it is.
    const struct {
        std::int32_t elapsedMs;
        int shown;
    } frames[] = {{500, 0}, {500, 64}, {0, 128}, {0, 128}, {500, 128}, {500, 191}, {500, 255}, {500, 255}};
    for (const auto& f : frames) {
        const Picture picture = frame(*gl, f.elapsedMs);
        SCOPED_TRACE("shown " + std::to_string(f.shown));
        forEachMiddlePixel(picture, [&](const std::uint8_t* rgb) {
            ASSERT_NEAR(rgb[0], f.shown, 1);
            ASSERT_TRUE(rgb[0] == rgb[1] && rgb[1] == rgb[2]);
        });
    }
    EXPECT_FLOAT_EQ(sceneState().fadeLevel, 1.0f);
}

TEST_F(CloudScene, OneLongFrameFinishesTheFadeAndTheLevelStaysWhereItLanded)
{
    START_OR_FAIL(gl, 320, 240);
    frame(*gl, 3000);
    EXPECT_FLOAT_EQ(sceneState().fadeLevel, 1.5f);
    const Picture picture = frame(*gl, 16);
    EXPECT_FLOAT_EQ(sceneState().fadeLevel, 1.5f);
    EXPECT_EQ(brightness(picture.at(160, 120)), 255);
}

TEST_F(CloudScene, BarsCoverTheOuterTenPercentAtEveryAspect)
{
    const struct {
        int width;
        int height;
    } sizes[] = {{1024, 768}, {1600, 600}, {600, 800}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        sceneState() = SceneState{};
        START_OR_FAIL(gl, size.width, size.height);
        frame(*gl, 2000);
        const Picture picture = frame(*gl, 10);
        const double expected = barShare * size.height;
        EXPECT_NEAR(blackRows(picture, true), expected, 1.0);
        EXPECT_NEAR(blackRows(picture, false), expected, 1.0);
        // The bars span the whole width; the clouds start right below them.
        const int inside = static_cast<int>(expected) - 1;
        const int outside = static_cast<int>(expected) + 2;
        for (int x = 0; x < size.width; ++x) {
            ASSERT_TRUE(isBlack(picture.at(x, inside))) << "x " << x;
            ASSERT_TRUE(isBlack(picture.at(x, size.height - 1 - inside))) << "x " << x;
            ASSERT_EQ(brightness(picture.at(x, outside)), 255) << "x " << x;
            ASSERT_EQ(brightness(picture.at(x, size.height - 1 - outside)), 255) << "x " << x;
        }
    }
}

TEST_F(CloudScene, WithoutAPictureTheMiddleIsAFlatField)
{
    START_OR_FAIL(gl, 400, 300);
    frame(*gl, 1000);
    const Picture picture = frame(*gl, 0);
    std::set<int> values;
    forEachMiddlePixel(picture, [&](const std::uint8_t* rgb) { values.insert(rgb[0] << 16 | rgb[1] << 8 | rgb[2]); });
    ASSERT_EQ(values.size(), 1u);
    EXPECT_NEAR(*values.begin() & 0xFF, 128, 1);
}

TEST_F(CloudScene, ThePictureIsReadFromTheCacheFolderAndScaledByTheFade)
{
    writeTexture(solid(0x40C080));
    START_OR_FAIL(gl, 400, 300);
    frame(*gl, 1000);
    const Picture half = frame(*gl, 1000);
    const Picture full = frame(*gl, 10);
    forEachMiddlePixel(half, [](const std::uint8_t* rgb) {
        ASSERT_NEAR(rgb[0], 0x20, 1);
        ASSERT_NEAR(rgb[1], 0x60, 1);
        ASSERT_NEAR(rgb[2], 0x40, 1);
    });
    forEachMiddlePixel(full, [](const std::uint8_t* rgb) {
        ASSERT_NEAR(rgb[0], 0x40, 1);
        ASSERT_NEAR(rgb[1], 0xC0, 1);
        ASSERT_NEAR(rgb[2], 0x80, 1);
    });
}

TEST_F(CloudScene, CloudsShowAndHoldStillForZeroElapsedTime)
{
    writeTexture(testbmp::gradient(64, 64, 24));
    START_OR_FAIL(gl, 400, 300);
    frame(*gl, 2500);
    const Picture before = frame(*gl, 40);
    std::set<int> values;
    forEachMiddlePixel(before, [&](const std::uint8_t* rgb) { values.insert(rgb[0] << 16 | rgb[1] << 8 | rgb[2]); });
    EXPECT_GT(values.size(), 100u) << "the middle should show the picture, not a flat field";

    EXPECT_EQ(frame(*gl, 0), before);
    EXPECT_NE(frame(*gl, 40), before) << "time passing should move the clouds";
}

TEST_F(CloudScene, ARestartPastTheFadeShowsTheRereadPictureAtFullBrightnessAtOnce)
{
    writeTexture(solid(0x40C080));
    {
        START_OR_FAIL(gl, 320, 240);
        frame(*gl, 2100);
        frame(*gl, 1234);
    }
    const SceneState kept = sceneState();
    writeTexture(solid(0x102030));
    // The restarted window gets a new context; the scene is set up again and rereads the picture, but
    // keeps the fade and the drift.
    START_OR_FAIL(gl, 320, 240);
    EXPECT_EQ(sceneState().cloudShift, kept.cloudShift);
    EXPECT_EQ(sceneState().cloudAngle, kept.cloudAngle);
    const Picture picture = frame(*gl, 16);
    forEachMiddlePixel(picture, [](const std::uint8_t* rgb) {
        ASSERT_NEAR(rgb[0], 0x10, 1);
        ASSERT_NEAR(rgb[1], 0x20, 1);
        ASSERT_NEAR(rgb[2], 0x30, 1);
    });
}

TEST_F(CloudScene, DriftAndTurnFollowTheElapsedTime)
{
    START_OR_FAIL(gl, 64, 48);
    frame(*gl, 900);
    frame(*gl, 1800);
    EXPECT_NEAR(sceneState().cloudShift, 3.0f, 1e-5f);
    EXPECT_NEAR(sceneState().cloudAngle, 2.7f, 1e-5f);
    EXPECT_EQ(sceneState().frameDeltaMs, 1800);
}

TEST_F(CloudScene, EscapeDownAsksTheFrameToQuitOnce)
{
    START_OR_FAIL(gl, 64, 48);
    advanceScene(16);
    EXPECT_EQ(quitRequests, 0);
    keys.down[27] = 1;
    advanceScene(16);
    EXPECT_EQ(quitRequests, 1);
    EXPECT_EQ(quitWindow, &window);
    keys.down[27] = 0;
    keys.down['Q'] = 1;
    advanceScene(16);
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(CloudScene, AClientAreaWithoutHeightLeavesAUsableProjection)
{
    START_OR_FAIL(gl, 320, 240);
    const struct {
        int width;
        int height;
    } sizes[] = {{320, 0}, {0, 0}, {0, 240}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        reshapeView(size.width, size.height);
        GLfloat projection[16];
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        for (const GLfloat value : projection)
            ASSERT_TRUE(std::isfinite(value));
        frame(*gl, 16);
    }
    // Back to a real size, the picture is whole again.
    reshapeView(320, 240);
    frame(*gl, 3000);
    const Picture picture = frame(*gl, 16);
    EXPECT_EQ(brightness(picture.at(160, 120)), 255);
    EXPECT_NEAR(blackRows(picture, true), barShare * 240, 1.0);
}

}  // namespace
