// The cloud scene behind the frame's SceneCalls, as both renderer programs run it.
#pragma once

#include "renderer/cloud_scene.h"
#include "renderer/render_window.h"

namespace zorun::renderer {

/// Forwards the frame's five scene calls to the cloud scene.
class CloudSceneCalls final : public SceneCalls {
public:
    bool initScene(RenderWindow& window, KeyTable& keys) override { return renderer::initScene(window, keys); }
    void reshapeView(std::int32_t width, std::int32_t height) override { renderer::reshapeView(width, height); }
    void advanceScene(std::int32_t elapsedMs) override { renderer::advanceScene(elapsedMs); }
    void drawScene() override { renderer::drawScene(); }
    void endScene() override { renderer::endScene(); }
};

}  // namespace zorun::renderer
