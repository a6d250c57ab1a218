// The renderer frame's records: the window class, the window request, the render window and its keys.
#pragma once

#include "common/renderer_contract.h"

#include <cstdint>

namespace zorun::renderer {

class WindowSystem;
struct RenderWindow;

/// 256 key-down flags indexed by virtual-key code; 1 down, 0 up.
struct KeyTable {
    std::int32_t down[256] = {};
    void clear()
    {
        for (auto& key : down)
            key = 0;
    }
};

/// Opaque platform handles; only the window-system adapters know what they point at.
using NativeInstance = void*;
using NativeWindow = void*;
using NativeDeviceContext = void*;
using NativeGlContext = void*;

struct ClassInfo {
    NativeInstance instance = nullptr;
    const char* className = "OpenGL";
};

/// What the next window is to be.
struct WindowRequest {
    ClassInfo* classInfo = nullptr;
    const char* title = kRendererTitle;
    std::int32_t width = 1024;
    std::int32_t height = 768;
    std::int32_t colourBits = 32;
    std::int32_t fullScreen = 1;
};

/// The five scene operations the frame drives, in this order of use: the cloud scene in the program,
/// recorders in tests.
class SceneCalls {
public:
    virtual ~SceneCalls() = default;
    /// After every successful window creation, with the new GL context current.
    virtual bool initScene(RenderWindow& window, KeyTable& keys) = 0;
    /// After creation and on every restore or maximise.
    virtual void reshapeView(std::int32_t width, std::int32_t height) = 0;
    /// Once per frame before drawing; may call requestQuit.
    virtual void advanceScene(std::int32_t elapsedMs) = 0;
    /// Once per frame; the frame swaps buffers afterwards.
    virtual void drawScene() = 0;
    /// Before the window's GL context is deleted, with it still current: what lives in that context
    /// goes with it, and nothing may later be freed in another context or in none.
    virtual void endScene() = 0;
};

struct RenderWindow {
    KeyTable* keys = nullptr;
    WindowSystem* system = nullptr;  // the platform the window lives on
    SceneCalls* scene = nullptr;     // what the window shows
    NativeWindow window = nullptr;
    NativeDeviceContext deviceContext = nullptr;
    NativeGlContext renderingContext = nullptr;
    WindowRequest request;
    std::int32_t visible = 0;
    std::uint32_t lastTick = 0;
};

/// The outer loop repeats while set; cleared by requestQuit and by a failed window creation.
extern std::int32_t keepRunning;
/// The display mode wanted for the next window: 1 full screen, 0 windowed; message 1025 toggles it.
extern std::int32_t wantFullScreen;

/// The whole renderer run: registers the class, creates, runs and restarts the window. Exit code 0,
/// or -1 when the window class cannot be registered.
int runRenderer(WindowSystem& system, NativeInstance instance, SceneCalls& scene);
/// Registers the window class "OpenGL" with rendererWindowProc.
bool registerRendererClass(WindowSystem& system, const ClassInfo& classInfo);
/// Asks for a full-screen display mode; true when the display accepted it.
bool switchDisplayMode(WindowSystem& system, std::int32_t width, std::int32_t height, std::int32_t colourBits);
/// Builds window, device context, pixel format and current GL context as the request says; on failure
/// takes down what exists and returns false.
bool createRenderWindow(RenderWindow& window);
/// Takes the window and its contexts down and leaves full screen. Always true.
bool destroyRenderWindow(RenderWindow& window);
/// Posts WM_QUIT to the window and clears keepRunning.
void requestQuit(RenderWindow& window);
/// The window procedure of the class "OpenGL".
std::intptr_t rendererWindowProc(WindowSystem& system, NativeWindow window, std::uint32_t message,
                                 std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace zorun::renderer
