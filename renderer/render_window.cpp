// The renderer frame: the run with its restart loop, window creation and teardown, the message loop.
#include "renderer/render_window.h"

#include "renderer/window_system.h"

namespace zorun::renderer {

std::int32_t keepRunning = 0;
std::int32_t wantFullScreen = 1;

namespace {

// Colour index plus one of COLOR_INACTIVEBORDER; shows only until the first frame is drawn.
constexpr std::int32_t inactiveBorderBrush = 12;
constexpr std::int32_t depthBits = 32;

// Handles one message per pass and draws a frame only when the queue is empty, until WM_QUIT.
void runMessageLoop(RenderWindow& window)
{
    WindowSystem& system = *window.system;
    WindowMessage message;
    for (;;) {
        if (system.peekMessage(message, window.window)) {
            if (message.message == msg::quit)
                return;
            system.dispatchMessage(message);
            continue;
        }
        if (!window.visible) {
            system.waitMessage();
            continue;
        }
        const std::uint32_t now = system.tickCount();
        // Unsigned subtraction stays right across the 49.7-day wrap of the millisecond counter.
        const auto elapsedMs = static_cast<std::int32_t>(now - window.lastTick);
        window.scene->advanceScene(elapsedMs);
        window.lastTick = now;
        window.scene->drawScene();
        system.swapBuffers(window.deviceContext);
    }
}

// Takes down, newest first, whatever a failed creation had built, including the display mode switch.
void undoCreation(RenderWindow& window, bool switchedMode)
{
    WindowSystem& system = *window.system;
    if (window.renderingContext != nullptr)
        system.deleteGlContext(window.renderingContext);
    if (window.deviceContext != nullptr)
        system.releaseDeviceContext(window.window, window.deviceContext);
    if (window.window != nullptr)
        system.destroyWindow(window.window);
    window.renderingContext = nullptr;
    window.deviceContext = nullptr;
    window.window = nullptr;
    if (switchedMode) {
        // A changed display mode would otherwise outlive the program (on X11 even its process).
        system.changeDisplayMode(nullptr);
        system.showCursor(true);
        window.request.fullScreen = 0;
    }
}

}  // namespace

bool registerRendererClass(WindowSystem& system, const ClassInfo& classInfo)
{
    WindowClassRequest request;
    request.classInfo = &classInfo;
    request.style = classStyle::hRedraw | classStyle::vRedraw | classStyle::ownDc;
    request.procedure = rendererWindowProc;
    request.backgroundBrush = inactiveBorderBrush;
    request.arrowCursor = true;
    return system.registerClass(request);
}

bool switchDisplayMode(WindowSystem& system, std::int32_t width, std::int32_t height, std::int32_t colourBits)
{
    const DisplayMode mode{width, height, colourBits};
    return system.changeDisplayMode(&mode);
}

bool createRenderWindow(RenderWindow& window)
{
    WindowSystem& system = *window.system;
    WindowRequest& request = window.request;
    const PixelFormatRequest pixelFormat{request.colourBits, depthBits};
    WindowRect rect{0, 0, request.width, request.height};

    bool switchedMode = false;
    std::uint32_t style = windowStyle::overlappedWindow;
    std::uint32_t exStyle = windowStyle::exAppWindow;
    if (request.fullScreen != 0 && switchDisplayMode(system, request.width, request.height, request.colourBits)) {
        switchedMode = true;
        system.showCursor(false);
        style = windowStyle::popup;
        exStyle = windowStyle::exAppWindow | windowStyle::exTopmost;
    } else if (request.fullScreen != 0) {
        // Refused full screen falls back to a window whose outer size is the requested one.
        request.fullScreen = 0;
    } else {
        system.adjustWindowRect(rect, style, exStyle);
    }

    WindowCreation creation;
    creation.exStyle = exStyle;
    creation.classInfo = request.classInfo;
    creation.title = request.title;
    creation.style = style;
    creation.width = rect.right - rect.left;
    creation.height = rect.bottom - rect.top;
    creation.parameter = &window;
    window.window = system.createWindow(creation);

    bool built = window.window != nullptr;
    if (built) {
        window.deviceContext = system.getDeviceContext(window.window);
        built = window.deviceContext != nullptr;
    }
    if (built) {
        const std::int32_t format = system.choosePixelFormat(window.deviceContext, pixelFormat);
        built = format != 0 && system.setPixelFormat(window.deviceContext, format, pixelFormat);
    }
    if (built) {
        window.renderingContext = system.createGlContext(window.deviceContext);
        built = window.renderingContext != nullptr;
    }
    if (built)
        built = system.makeCurrent(window.deviceContext, window.renderingContext);
    if (!built) {
        undoCreation(window, switchedMode);
        return false;
    }

    system.showWindow(window.window, showNormal);
    window.visible = 1;
    // The view fits the drawable area: after a refused full screen the window's outer size is the
    // requested one and its client area smaller, and a larger viewport would cut the top of the picture.
    WindowRect client{0, 0, request.width, request.height};
    system.clientRect(window.window, client);
    window.scene->reshapeView(client.right - client.left, client.bottom - client.top);
    window.keys->clear();
    window.lastTick = system.tickCount();
    return true;
}

bool destroyRenderWindow(RenderWindow& window)
{
    WindowSystem& system = *window.system;
    if (window.window != nullptr) {
        if (window.deviceContext != nullptr) {
            if (window.renderingContext != nullptr)
                window.scene->endScene();
            system.makeCurrent(window.deviceContext, nullptr);
            if (window.renderingContext != nullptr)
                system.deleteGlContext(window.renderingContext);
            system.releaseDeviceContext(window.window, window.deviceContext);
        }
        system.destroyWindow(window.window);
    }
    window.window = nullptr;
    window.deviceContext = nullptr;
    window.renderingContext = nullptr;
    if (window.request.fullScreen != 0) {
        system.changeDisplayMode(nullptr);
        system.showCursor(true);
    }
    return true;
}

void requestQuit(RenderWindow& window)
{
    if (window.system != nullptr && window.window != nullptr)
        window.system->postMessage(window.window, msg::quit, 0, 0);
    keepRunning = 0;
}

int runRenderer(WindowSystem& system, NativeInstance instance, SceneCalls& scene)
{
    ClassInfo classInfo;
    classInfo.instance = instance;
    KeyTable keys;
    keys.clear();
    RenderWindow window;
    window.keys = &keys;
    window.system = &system;
    window.scene = &scene;
    window.request.classInfo = &classInfo;

    if (!registerRendererClass(system, classInfo))
        return -1;

    keepRunning = 1;
    wantFullScreen = window.request.fullScreen;
    do {
        window.request.fullScreen = wantFullScreen;
        if (!createRenderWindow(window)) {
            keepRunning = 0;
            break;
        }
        if (scene.initScene(window, keys))
            runMessageLoop(window);
        else
            requestQuit(window);
        destroyRenderWindow(window);
    } while (keepRunning != 0);

    system.unregisterClass(classInfo);
    return 0;
}

}  // namespace zorun::renderer
