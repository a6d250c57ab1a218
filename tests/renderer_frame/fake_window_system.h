// A window system that answers as Win32 would, records every call and lets a test script the messages.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "render_window.h"
#include "window_system.h"

/// Thrown when the frame would block or loop forever: the test has scripted no way out.
struct StuckFrame : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class FakeWindowSystem : public WindowSystem {
public:
    // Calls, in order, as short texts: "createWindow popup 1024x768", "destroyWindow 1", ...
    std::vector<std::string> calls;
    // The call that fails ("registerClass", "createWindow", "getDeviceContext", "choosePixelFormat",
    // "setPixelFormat", "createGlContext", "makeCurrent"), or empty.
    std::string failing;
    bool refuseMode = false;
    std::uint32_t tick = 1000;
    std::uint32_t tickStep = 0;  // added after every tickCount
    std::int32_t cursorCount = 0;
    bool modeChanged = false;
    // Called when the frame waits for a message; it should post one.
    std::function<void()> onWait;
    int waitsLeft = 100;

    struct Window {
        void* userData = nullptr;
        bool alive = true;
        std::uint32_t style = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    std::map<std::uintptr_t, Window> windows;
    NativeWindow current = nullptr;  // the newest live window

    static std::uintptr_t id(NativeWindow window) { return reinterpret_cast<std::uintptr_t>(window); }
    /// Calls made whose text starts with the prefix.
    int count(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& call : calls)
            n += call.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
    /// Posts to the newest live window, as another program or the keyboard would.
    void post(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0)
    {
        queue_.push_back({current, message, wParam, lParam});
    }

    bool registerClass(const WindowClassRequest& request) override
    {
        calls.push_back("registerClass " + std::string(request.classInfo->className));
        if (failing == "registerClass")
            return false;
        procedure_ = request.procedure;
        classStyle_ = request.style;
        return true;
    }
    void unregisterClass(const ClassInfo& classInfo) override
    {
        calls.push_back("unregisterClass " + std::string(classInfo.className));
    }
    bool changeDisplayMode(const DisplayMode* mode) override
    {
        if (mode == nullptr) {
            calls.push_back("changeDisplayMode none");
            modeChanged = false;
            return true;
        }
        calls.push_back("changeDisplayMode " + std::to_string(mode->width) + "x" + std::to_string(mode->height) +
                        "x" + std::to_string(mode->colourBits));
        if (refuseMode)
            return false;
        modeChanged = true;
        return true;
    }
    bool adjustWindowRect(WindowRect& rect, std::uint32_t, std::uint32_t) override
    {
        calls.push_back("adjustWindowRect");
        // Borders of a sizeable captioned window at 96 dpi.
        rect.left -= 8;
        rect.right += 8;
        rect.top -= 31;
        rect.bottom += 8;
        return true;
    }
    NativeWindow createWindow(const WindowCreation& creation) override
    {
        const bool popup = creation.style == windowStyle::popup;
        calls.push_back(std::string("createWindow ") + (popup ? "popup " : "overlapped ") +
                        std::to_string(creation.width) + "x" + std::to_string(creation.height) + " " + creation.title);
        if (failing == "createWindow")
            return nullptr;
        NativeWindow window = reinterpret_cast<NativeWindow>(++lastId_);
        windows[lastId_] = Window{nullptr, true, creation.style, creation.width, creation.height};
        current = window;
        // Win32 sends WM_CREATE with the creation parameter, then WM_SIZE with the client area.
        send(window, msg::create, 0, reinterpret_cast<std::intptr_t>(creation.parameter));
        const std::int32_t clientWidth = popup ? creation.width : creation.width - 16;
        const std::int32_t clientHeight = popup ? creation.height : creation.height - 39;
        send(window, msg::size, sizeKind::restored, (clientHeight << 16) | clientWidth);
        return window;
    }
    void showWindow(NativeWindow window, std::int32_t command) override
    {
        calls.push_back("showWindow " + std::to_string(id(window)) + " " + std::to_string(command));
        send(window, msg::showWindow, 1, 0);
    }
    bool destroyWindow(NativeWindow window) override
    {
        calls.push_back("destroyWindow " + std::to_string(id(window)));
        send(window, msg::destroy, 0, 0);
        windows[id(window)].alive = false;
        return true;
    }
    void setUserData(NativeWindow window, void* data) override { windows[id(window)].userData = data; }
    void* userData(NativeWindow window) override { return windows[id(window)].userData; }
    std::intptr_t defaultProcedure(NativeWindow, std::uint32_t message, std::uintptr_t, std::intptr_t) override
    {
        defaultMessages.push_back(message);
        return 0;
    }
    std::vector<std::uint32_t> defaultMessages;

    NativeDeviceContext getDeviceContext(NativeWindow window) override
    {
        calls.push_back("getDeviceContext " + std::to_string(id(window)));
        return failing == "getDeviceContext" ? nullptr : reinterpret_cast<void*>(id(window) + 100);
    }
    void releaseDeviceContext(NativeWindow window, NativeDeviceContext) override
    {
        calls.push_back("releaseDeviceContext " + std::to_string(id(window)));
    }
    std::int32_t choosePixelFormat(NativeDeviceContext, const PixelFormatRequest& request) override
    {
        calls.push_back("choosePixelFormat " + std::to_string(request.colourBits) + "/" +
                        std::to_string(request.depthBits));
        return failing == "choosePixelFormat" ? 0 : 7;
    }
    bool setPixelFormat(NativeDeviceContext, std::int32_t format, const PixelFormatRequest&) override
    {
        calls.push_back("setPixelFormat " + std::to_string(format));
        return failing != "setPixelFormat";
    }
    NativeGlContext createGlContext(NativeDeviceContext dc) override
    {
        calls.push_back("createGlContext");
        return failing == "createGlContext" ? nullptr : reinterpret_cast<void*>(id(dc) + 100);
    }
    bool makeCurrent(NativeDeviceContext, NativeGlContext context) override
    {
        calls.push_back(context == nullptr ? "makeCurrent none" : "makeCurrent");
        return context == nullptr || failing != "makeCurrent";
    }
    void deleteGlContext(NativeGlContext) override { calls.push_back("deleteGlContext"); }
    void swapBuffers(NativeDeviceContext) override
    {
        calls.push_back("swapBuffers");
        if (++swaps_ > 10000)
            throw StuckFrame("no end after 10000 frames");
    }
    bool peekMessage(WindowMessage& message, NativeWindow window) override
    {
        for (auto it = queue_.begin(); it != queue_.end(); ++it) {
            if (window == nullptr || it->window == window) {
                message = *it;
                queue_.erase(it);
                return true;
            }
        }
        return false;
    }
    std::intptr_t dispatchMessage(const WindowMessage& message) override
    {
        if (message.message != msg::quit)
            dispatched.push_back(message.message);
        return send(message.window, message.message, message.wParam, message.lParam);
    }
    std::vector<std::uint32_t> dispatched;
    void waitMessage() override
    {
        calls.push_back("waitMessage");
        if (!queue_.empty())
            return;
        if (!onWait || --waitsLeft < 0)
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
        calls.push_back(show ? "showCursor 1" : "showCursor 0");
        cursorCount += show ? 1 : -1;
        return cursorCount;
    }
    std::uint32_t tickCount() override
    {
        const std::uint32_t now = tick;
        tick += tickStep;
        return now;
    }

    std::uint32_t classStyle() const { return classStyle_; }

private:
    std::intptr_t send(NativeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
    {
        if (!windows[id(window)].alive)
            return 0;
        return procedure_(*this, window, message, wParam, lParam);
    }

    WindowProcedure procedure_ = nullptr;
    std::uint32_t classStyle_ = 0;
    std::deque<WindowMessage> queue_;
    std::uintptr_t lastId_ = 0;
    int swaps_ = 0;
};

/// A scene that records what the frame asks of it and acts on Escape as the cloud scene does.
class RecordingScene : public SceneCalls {
public:
    std::vector<std::string> events;
    std::vector<std::int32_t> elapsed;
    int frames = 0;
    RenderWindow* window = nullptr;
    KeyTable* keys = nullptr;
    // Escape as the scene saw it at each frame.
    std::vector<std::int32_t> escapeAtFrame;
    std::function<void(int frame)> afterDraw;
    std::function<void()> afterInit;

    bool initScene(RenderWindow& w, KeyTable& k) override
    {
        events.push_back("init");
        window = &w;
        keys = &k;
        if (afterInit)
            afterInit();
        return true;
    }
    void reshapeView(std::int32_t width, std::int32_t height) override
    {
        events.push_back("reshape " + std::to_string(width) + "x" + std::to_string(height));
    }
    void advanceScene(std::int32_t elapsedMs) override
    {
        events.push_back("advance");
        elapsed.push_back(elapsedMs);
        escapeAtFrame.push_back(keys->down[27]);
        if (keys->down[27] == 1)
            requestQuit(*window);
    }
    void drawScene() override
    {
        events.push_back("draw");
        ++frames;
        if (afterDraw)
            afterDraw(frames);
    }
};
