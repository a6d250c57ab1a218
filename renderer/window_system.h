// The port through which the renderer frame reaches windows, display modes, GL contexts and messages.
#pragma once

#include <cstdint>
#include <memory>

#include "common/rect.h"
#include "common/win32_numbers.h"
#include "renderer/render_window.h"

namespace zorun::renderer {

/// Called for every message sent or dispatched to a window of the registered class. For WM_CREATE the
/// adapter passes the creation parameter itself (not the platform's creation record) as lParam.
using WindowProcedure = std::intptr_t (*)(WindowSystem& system, NativeWindow window, std::uint32_t message,
                                          std::uintptr_t wParam, std::intptr_t lParam);

/// One message taken from a queue.
struct WindowMessage {
    NativeWindow window = nullptr;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

/// The window class as the frame registers it.
struct WindowClassRequest {
    const ClassInfo* classInfo = nullptr;
    std::uint32_t style = 0;
    WindowProcedure procedure = nullptr;
    std::int32_t backgroundBrush = 0;  // system colour index plus one
    bool arrowCursor = true;
};

/// A display mode: pixels across, down and colour bits per pixel.
struct DisplayMode {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t colourBits = 0;
};

/// Left, top, right, bottom in pixels.
using WindowRect = Rect;

/// The pixel format the frame asks for (RGBA, double-buffered, drawable to a window, OpenGL).
struct PixelFormatRequest {
    std::int32_t colourBits = 32;
    std::int32_t depthBits = 32;
};

/// Window creation arguments, in the order the platform's window creation takes them.
struct WindowCreation {
    std::uint32_t exStyle = 0;
    const ClassInfo* classInfo = nullptr;
    const char* title = "";
    std::uint32_t style = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    void* parameter = nullptr;  // handed to the window procedure with WM_CREATE
};

/// The window system the renderer frame runs on: abstract so the frame's logic can be driven by a fake.
/// Calls and results mirror the Win32 and WGL calls of the same name.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    /// RegisterClassExA: true when the class exists afterwards.
    virtual bool registerClass(const WindowClassRequest& request) = 0;
    /// UnregisterClassA.
    virtual void unregisterClass(const ClassInfo& classInfo) = 0;
    /// ChangeDisplaySettingsA(mode, CDS_FULLSCREEN), or with no mode (nullptr) back to the stored mode.
    /// True for DISP_CHANGE_SUCCESSFUL.
    virtual bool changeDisplayMode(const DisplayMode* mode) = 0;
    /// AdjustWindowRectEx without a menu: grows a client rectangle to the outer one.
    virtual bool adjustWindowRect(WindowRect& rect, std::uint32_t style, std::uint32_t exStyle) = 0;
    /// GetClientRect: the drawable area of the window, left and top 0. False when the window is unknown.
    virtual bool clientRect(NativeWindow window, WindowRect& rect) = 0;
    /// CreateWindowExA; WM_CREATE reaches the procedure before this returns. None (nullptr) on failure.
    virtual NativeWindow createWindow(const WindowCreation& creation) = 0;
    /// ShowWindow; messages it causes are sent to the procedure before it returns.
    virtual void showWindow(NativeWindow window, std::int32_t command) = 0;
    /// DestroyWindow; messages it causes are sent to the procedure before it returns.
    virtual bool destroyWindow(NativeWindow window) = 0;
    /// SetWindowLongPtrA(GWLP_USERDATA).
    virtual void setUserData(NativeWindow window, void* data) = 0;
    /// GetWindowLongPtrA(GWLP_USERDATA): what setUserData stored, or nullptr.
    virtual void* userData(NativeWindow window) = 0;
    /// DefWindowProcA.
    virtual std::intptr_t defaultProcedure(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                                           std::intptr_t lParam) = 0;
    /// GetDC: the window's device context, or nullptr.
    virtual NativeDeviceContext getDeviceContext(NativeWindow window) = 0;
    /// ReleaseDC.
    virtual void releaseDeviceContext(NativeWindow window, NativeDeviceContext dc) = 0;
    /// ChoosePixelFormat: the best matching format's number, 0 when none.
    virtual std::int32_t choosePixelFormat(NativeDeviceContext dc, const PixelFormatRequest& request) = 0;
    /// SetPixelFormat.
    virtual bool setPixelFormat(NativeDeviceContext dc, std::int32_t format, const PixelFormatRequest& request) = 0;
    /// wglCreateContext: nullptr on failure.
    virtual NativeGlContext createGlContext(NativeDeviceContext dc) = 0;
    /// wglMakeCurrent; a null context makes none current.
    virtual bool makeCurrent(NativeDeviceContext dc, NativeGlContext context) = 0;
    /// wglDeleteContext.
    virtual void deleteGlContext(NativeGlContext context) = 0;
    /// SwapBuffers.
    virtual void swapBuffers(NativeDeviceContext dc) = 0;
    /// PeekMessageA(PM_REMOVE) for messages of one window: true when one was taken.
    virtual bool peekMessage(WindowMessage& message, NativeWindow window) = 0;
    /// DispatchMessageA: runs the window procedure on the message and returns its result.
    virtual std::intptr_t dispatchMessage(const WindowMessage& message) = 0;
    /// WaitMessage: blocks until a new message may be waiting.
    virtual void waitMessage() = 0;
    /// PostMessageA: queues a message for the window.
    virtual bool postMessage(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
    /// ShowCursor: moves the display counter up (show) or down; the cursor shows while it is 0 or more.
    virtual std::int32_t showCursor(bool show) = 0;
    /// GetTickCount: milliseconds since an arbitrary start, wrapping at 2^32.
    virtual std::uint32_t tickCount() = 0;
};

}  // namespace zorun::renderer
