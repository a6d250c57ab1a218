// The cloud scene: a tiled cloud box that drifts and turns, fades in from black, between letterbox bars.
#pragma once

#include <cstdint>

namespace zorun::renderer {

struct RenderWindow;
struct KeyTable;
class BitmapTexture;

/// Keeps the window and keys for the quit key, sets up OpenGL and loads the texture. Always true.
bool initScene(RenderWindow& window, KeyTable& keys);
/// Viewport and 35-degree perspective for a client area of width x height pixels.
void reshapeView(std::int32_t width, std::int32_t height);
/// Takes the elapsed milliseconds for the next frame and acts on the Escape key.
void advanceScene(std::int32_t elapsedMs);
/// Draws one frame; the caller swaps buffers.
void drawScene();
/// With the scene's GL context still current, before it is deleted: frees the texture name in it.
void endScene();
void drawCloudBox(float halfX, float halfY, float halfZ, float repeat);
void drawLetterbox();

/// Process-wide scene state: starts at zero and survives window restarts. The drift and the turn are
/// kept in double precision (the turn within one revolution), so that their per-frame steps stay as
/// even after days of running as in the first minute.
struct SceneState {
    float fadeLevel = 0.0f;
    double cloudShift = 0.0;  // texture repeats moved along s before the turn
    double cloudAngle = 0.0;  // degrees about (1, 1, 1), in [0, 360)
    std::int32_t frameDeltaMs = 0;
};
SceneState& sceneState();
/// Moves the drift and the turn on by the given milliseconds.
void driftClouds(SceneState& state, float elapsedMs);
/// The texture matrix (column-major, as glLoadMatrixd takes it): the drift along s, then the turn about
/// (1, 1, 1). The texture repeats, so the offset is given within one repeat; the picture is the same.
void cloudTextureMatrix(const SceneState& state, double matrix[16]);
/// The one texture object the scene draws with.
BitmapTexture& cloudTexture();

}  // namespace zorun::renderer
