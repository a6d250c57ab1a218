// The cloud scene: a wide flat box tiled with the cloud picture, drifting and turning, faded in from black.
#include "renderer/cloud_scene.h"

#include "renderer/bitmap_texture.h"
#include "renderer/gl_headers.h"
#include "renderer/render_window.h"
#include "common/texture_path.h"

#include <cmath>
#include <numbers>
#include <string>

namespace zorun::renderer {

namespace {

constexpr double fieldOfViewDegrees = 35.0;
constexpr double nearPlane = 0.01;
constexpr double farPlane = 6000.0;
constexpr float fadeRatePerMs = 0.0005f;
constexpr float driftRatePerMs = 0.0011111111f;
constexpr float turnRatePerMs = 0.001f;
constexpr float boxHalfX = 200.0f;
constexpr float boxHalfY = 1.0f;
constexpr float boxHalfZ = 200.0f;
constexpr float textureRepeat = 100.0f;
constexpr int escapeKey = 27;

SceneState state;
BitmapTexture texture;
RenderWindow* sceneWindow = nullptr;
KeyTable* sceneKeys = nullptr;

}  // namespace

SceneState& sceneState()
{
    return state;
}

BitmapTexture& cloudTexture()
{
    return texture;
}

bool initScene(RenderWindow& window, KeyTable& keys)
{
    sceneWindow = &window;
    sceneKeys = &keys;

    // Lighting and fog stay off, and the texture environment and wrap modes stay at their defaults
    // (modulate, repeat): the fade multiplies the texels and the picture tiles across the faces.
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // A missing or unreadable picture is not an error: the scene then draws the plain fade colour.
    const std::string path = texturePath();
    texture.loadImage(path.c_str());
    texture.flipRows();
    texture.uploadTexture();
    return true;
}

void endScene()
{
    texture.releaseTextureName();
}

void driftClouds(SceneState& scene, float elapsedMs)
{
    // Each step is the single-precision product it always was; only the sums are kept exact.
    scene.cloudShift += static_cast<double>(elapsedMs * driftRatePerMs);
    scene.cloudAngle = std::fmod(scene.cloudAngle + static_cast<double>(elapsedMs * turnRatePerMs), 360.0);
}

void cloudTextureMatrix(const SceneState& scene, double matrix[16])
{
    // The rotation glRotate makes about the unit axis (1, 1, 1) / sqrt(3).
    const double radians = scene.cloudAngle * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double a = 1.0 / std::sqrt(3.0);
    const double k = a * a * (1.0 - c);
    const double rotation[3][3] = {
        {k + c, k - a * s, k + a * s}, {k + a * s, k + c, k - a * s}, {k - a * s, k + a * s, k + c}};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row)
            matrix[column * 4 + row] = column < 3 && row < 3 ? rotation[row][column] : (row == column ? 1.0 : 0.0);
    }
    // Rotating the drift gives the offset; whole repeats of it change no texel.
    for (int row = 0; row < 3; ++row) {
        const double offset = rotation[row][0] * scene.cloudShift;
        matrix[12 + row] = offset - std::floor(offset);
    }
}

void reshapeView(std::int32_t width, std::int32_t height)
{
    // A window can be shrunk to no client height; the aspect then uses a height of 1 instead of dividing
    // by zero, and the empty viewport shows nothing until the next resize.
    const std::int32_t viewWidth = width > 0 ? width : 0;
    const std::int32_t viewHeight = height > 0 ? height : 0;
    glViewport(0, 0, viewWidth, viewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = static_cast<double>(viewWidth) / static_cast<double>(viewHeight > 0 ? viewHeight : 1);
    gluPerspective(fieldOfViewDegrees, aspect, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void advanceScene(std::int32_t elapsedMs)
{
    if (sceneKeys != nullptr && sceneWindow != nullptr && sceneKeys->down[escapeKey] == 1)
        requestQuit(*sceneWindow);
    state.frameDeltaMs = elapsedMs;
}

void drawScene()
{
    const float dt = static_cast<float>(state.frameDeltaMs);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // This frame shows the level from before its own increase, so the very first frame is black.
    glColor4f(state.fadeLevel, state.fadeLevel, state.fadeLevel, state.fadeLevel);
    if (state.fadeLevel < 1.0f)
        state.fadeLevel += dt * fadeRatePerMs;

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);

    driftClouds(state, dt);

    // Texture coordinates are moved along s first, then turned about (1, 1, 1).
    double textureMatrix[16];
    cloudTextureMatrix(state, textureMatrix);
    glMatrixMode(GL_TEXTURE);
    glLoadMatrixd(textureMatrix);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    texture.bindTexture();
    drawCloudBox(boxHalfX, boxHalfY, boxHalfZ, textureRepeat);

    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    drawLetterbox();
    glFlush();
}

void drawCloudBox(float a, float b, float c, float d)
{
    glBegin(GL_QUADS);
    // front, z = +c
    glTexCoord2f(0, 0);
    glVertex3f(-a, -b, c);
    glTexCoord2f(d, 0);
    glVertex3f(a, -b, c);
    glTexCoord2f(d, d);
    glVertex3f(a, b, c);
    glTexCoord2f(0, d);
    glVertex3f(-a, b, c);
    // back, z = -c
    glTexCoord2f(d, 0);
    glVertex3f(-a, -b, -c);
    glTexCoord2f(d, d);
    glVertex3f(-a, b, -c);
    glTexCoord2f(0, d);
    glVertex3f(a, b, -c);
    glTexCoord2f(0, 0);
    glVertex3f(a, -b, -c);
    // top, y = +b: the cloud ceiling
    glTexCoord2f(0, d);
    glVertex3f(-a, b, -c);
    glTexCoord2f(0, 0);
    glVertex3f(-a, b, c);
    glTexCoord2f(d, 0);
    glVertex3f(a, b, c);
    glTexCoord2f(d, d);
    glVertex3f(a, b, -c);
    // bottom, y = -b: the cloud floor
    glTexCoord2f(d, d);
    glVertex3f(-a, -b, -c);
    glTexCoord2f(0, d);
    glVertex3f(a, -b, -c);
    glTexCoord2f(0, 0);
    glVertex3f(a, -b, c);
    glTexCoord2f(d, 0);
    glVertex3f(-a, -b, c);
    // right, x = +a
    glTexCoord2f(d, 0);
    glVertex3f(a, -b, -c);
    glTexCoord2f(d, d);
    glVertex3f(a, b, -c);
    glTexCoord2f(0, d);
    glVertex3f(a, b, c);
    glTexCoord2f(0, 0);
    glVertex3f(a, -b, c);
    // left, x = -a
    glTexCoord2f(0, 0);
    glVertex3f(-a, -b, -c);
    glTexCoord2f(d, 0);
    glVertex3f(-a, -b, c);
    glTexCoord2f(d, d);
    glVertex3f(-a, b, c);
    glTexCoord2f(0, d);
    glVertex3f(-a, b, -c);
    glEnd();
}

void drawLetterbox()
{
    // Texturing stays on; the black colour makes the bars black whatever texel is sampled. The depth test
    // stays off until the next frame turns it on again.
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glBegin(GL_QUADS);
    glVertex3f(-2.0f, 0.25f, -1.0f);
    glVertex3f(2.0f, 0.25f, -1.0f);
    glVertex3f(2.0f, 0.45f, -1.0f);
    glVertex3f(-2.0f, 0.45f, -1.0f);
    glVertex3f(-2.0f, -0.25f, -1.0f);
    glVertex3f(2.0f, -0.25f, -1.0f);
    glVertex3f(2.0f, -0.45f, -1.0f);
    glVertex3f(-2.0f, -0.45f, -1.0f);
    glEnd();
}

}  // namespace zorun::renderer
