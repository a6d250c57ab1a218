// A window system that answers as Win32 would, and the scene on it, recording every call in one list.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "renderer/render_window.h"
#include "renderer/window_system.h"

namespace zorun::renderer {

/// Thrown when the frame would block or loop forever: the test has scripted no way out.
struct StuckFrame : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class FakeWindowSystem : public WindowSystem, public SceneCalls {
public:
    // Calls, in order, as short texts: "createWindow popup 1024x768 Zorun_VC", "draw", "destroyWindow 1", ...
    std::vector<std::string> calls;
    std::string failing;  // the first word of the call that fails, or empty
    bool refuseMode = false;
    std::uint32_t tick = 1000;
    std::function<void()> onWait;  // should post a message
    std::function<void()> afterInit;
    std::function<void(int frame)> afterDraw;
    std::vector<std::uint32_t> defaultMessages;
    std::vector<std::int32_t> elapsed;  // per frame
    int frames = 0;
    KeyTable* keys = nullptr;
    NativeWindow current = nullptr;  // the newest window

    /// Posts to the newest window, as another program or the keyboard would.
    void post(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0)
    {
        postMessage(current, message, wParam, lParam);
    }

    bool registerClass(const WindowClassRequest& request) override
    {
        procedure_ = request.procedure;
        return step("registerClass " + std::string(request.classInfo->className) + " " + text(request.style));
    }
    void unregisterClass(const ClassInfo& info) override { step("unregisterClass " + std::string(info.className)); }
    bool changeDisplayMode(const DisplayMode* mode) override
    {
        if (mode == nullptr)
            return step("changeDisplayMode none");
        const std::string size = text(mode->width) + "x" + text(mode->height) + "x" + text(mode->colourBits);
        return step("changeDisplayMode " + size) && !refuseMode;
    }
    bool adjustWindowRect(WindowRect& rect, std::uint32_t, std::uint32_t) override
    {
        rect = {rect.left - 8, rect.top - 31, rect.right + 8, rect.bottom + 8};  // sizeable, captioned, 96 dpi
        return true;
    }
    bool clientRect(NativeWindow window, WindowRect& rect) override
    {
        if (!clientSizes_.contains(window))
            return false;
        rect = {0, 0, clientSizes_[window].first, clientSizes_[window].second};
        return true;
    }
    NativeWindow createWindow(const WindowCreation& creation) override
    {
        const bool popup = creation.style == windowStyle::popup;
        if (!step(std::string("createWindow ") + (popup ? "popup " : "overlapped ") + text(creation.width) + "x" +
                  text(creation.height) + " " + creation.title))
            return nullptr;
        current = reinterpret_cast<NativeWindow>(++lastId_);
        // Win32 sends WM_CREATE with the creation parameter, then WM_SIZE with the client area.
        send(current, msg::create, 0, reinterpret_cast<std::intptr_t>(creation.parameter));
        const std::int32_t clientWidth = creation.width - (popup ? 0 : 16);
        const std::int32_t clientHeight = creation.height - (popup ? 0 : 39);
        clientSizes_[current] = {clientWidth, clientHeight};
        send(current, msg::size, sizeKind::restored, clientHeight << 16 | clientWidth);
        return current;
    }
    void showWindow(NativeWindow w, std::int32_t show) override { step("showWindow " + id(w) + " " + text(show)); }
    bool destroyWindow(NativeWindow window) override
    {
        send(window, msg::destroy, 0, 0);
        userData_.erase(window);
        clientSizes_.erase(window);
        return step("destroyWindow " + id(window));
    }
    void setUserData(NativeWindow window, void* data) override { userData_[window] = data; }
    void* userData(NativeWindow window) override { return userData_[window]; }
    std::intptr_t defaultProcedure(NativeWindow, std::uint32_t message, std::uintptr_t, std::intptr_t) override
    {
        defaultMessages.push_back(message);
        return 0;
    }
    NativeDeviceContext getDeviceContext(NativeWindow w) override
    {
        return step("getDeviceContext " + id(w)) ? w : nullptr;
    }
    void releaseDeviceContext(NativeWindow w, NativeDeviceContext) override { step("releaseDeviceContext " + id(w)); }
    std::int32_t choosePixelFormat(NativeDeviceContext, const PixelFormatRequest& request) override
    {
        return step("choosePixelFormat " + text(request.colourBits) + "/" + text(request.depthBits)) ? 7 : 0;
    }
    bool setPixelFormat(NativeDeviceContext, std::int32_t format, const PixelFormatRequest&) override
    {
        return step("setPixelFormat " + text(format));
    }
    NativeGlContext createGlContext(NativeDeviceContext dc) override { return step("createGlContext") ? dc : nullptr; }
    bool makeCurrent(NativeDeviceContext, NativeGlContext gl) override
    {
        return step(gl ? "makeCurrent" : "noneCurrent");
    }
    void deleteGlContext(NativeGlContext) override { step("deleteGlContext"); }
    void swapBuffers(NativeDeviceContext) override
    {
        if (step("swapBuffers") && frames > 10000)
            throw StuckFrame("no end after 10000 frames");
    }
    bool peekMessage(WindowMessage& message, NativeWindow window) override
    {
        for (auto it = queue_.begin(); it != queue_.end(); ++it) {
            if (it->window == window) {
                message = *it;
                queue_.erase(it);
                return true;
            }
        }
        return false;
    }
    std::intptr_t dispatchMessage(const WindowMessage& m) override
    {
        return send(m.window, m.message, m.wParam, m.lParam);
    }
    void waitMessage() override
    {
        if (!step("waitMessage") || !onWait || ++waits_ > 100)
            throw StuckFrame("waiting for a message that never comes");
        onWait();
    }
    bool postMessage(NativeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        queue_.push_back({window, message, wParam, lParam});
        return true;
    }
    std::int32_t showCursor(bool show) override
    {
        step(show ? "showCursor 1" : "showCursor 0");
        return 0;
    }
    std::uint32_t tickCount() override { return tick; }

    // The scene: acts on Escape as the cloud scene does.
    bool initScene(RenderWindow& window, KeyTable& keyTable) override
    {
        window_ = &window;
        keys = &keyTable;
        if (afterInit)
            afterInit();
        return step("init");
    }
    void reshapeView(std::int32_t width, std::int32_t height) override
    {
        step("reshape " + text(width) + "x" + text(height));
    }
    void advanceScene(std::int32_t elapsedMs) override
    {
        elapsed.push_back(elapsedMs);
        if (keys->down[27] == 1)
            requestQuit(*window_);
    }
    void endScene() override { step("endScene"); }
    void drawScene() override
    {
        step("draw");
        ++frames;
        if (afterDraw)
            afterDraw(frames);
    }

private:
    static std::string text(std::int64_t number) { return std::to_string(number); }
    static std::string id(NativeWindow window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); }
    // Records the call; false when its first word names the failing step.
    bool step(const std::string& call)
    {
        calls.push_back(call);
        return call.substr(0, call.find(' ')) != failing;
    }
    std::intptr_t send(NativeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
    {
        return procedure_(*this, window, message, wParam, lParam);
    }

    WindowProcedure procedure_ = nullptr;
    RenderWindow* window_ = nullptr;
    std::map<NativeWindow, void*> userData_;
    std::map<NativeWindow, std::pair<std::int32_t, std::int32_t>> clientSizes_;
    std::deque<WindowMessage> queue_;
    std::uintptr_t lastId_ = 0;
    int waits_ = 0;
};

}  // namespace zorun::renderer
