// The cloud scene: a tiled cloud box that drifts and turns, fades in from black, between letterbox bars.
#pragma once

#include <cstdint>

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
void drawCloudBox(float halfX, float halfY, float halfZ, float repeat);
void drawLetterbox();

/// Process-wide scene state: starts at zero and survives window restarts.
struct SceneState {
    float fadeLevel = 0.0f;
    float cloudShift = 0.0f;
    float cloudAngle = 0.0f;
    std::int32_t frameDeltaMs = 0;
};
SceneState& sceneState();
/// The one texture object the scene draws with.
BitmapTexture& cloudTexture();
