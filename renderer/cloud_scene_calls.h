// The cloud scene behind the frame's SceneCalls, as both renderer programs run it.
#pragma once

#include "renderer/cloud_scene.h"
#include "renderer/render_window.h"

/// Forwards the frame's five scene calls to the cloud scene.
class CloudSceneCalls final : public SceneCalls {
public:
    bool initScene(RenderWindow& window, KeyTable& keys) override { return ::initScene(window, keys); }
    void reshapeView(std::int32_t width, std::int32_t height) override { ::reshapeView(width, height); }
    void advanceScene(std::int32_t elapsedMs) override { ::advanceScene(elapsedMs); }
    void drawScene() override { ::drawScene(); }
    void endScene() override { ::endScene(); }
};
