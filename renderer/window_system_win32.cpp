// Win32 and WGL behind the renderer's window-system port, passed straight through.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "renderer/window_system_win32.h"

namespace zorun::renderer {

namespace {

// One window system and one procedure per process: the platform calls a plain function.
WindowSystem* activeSystem = nullptr;
WindowProcedure activeProcedure = nullptr;

LRESULT CALLBACK forwardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (activeSystem == nullptr || activeProcedure == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_CREATE)
        lParam = reinterpret_cast<LPARAM>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    return activeProcedure(*activeSystem, window, message, wParam, lParam);
}

PIXELFORMATDESCRIPTOR describe(const PixelFormatRequest& request)
{
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(request.colourBits);
    format.cDepthBits = static_cast<BYTE>(request.depthBits);
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

HWND hwnd(NativeWindow window)
{
    return static_cast<HWND>(window);
}

HDC hdc(NativeDeviceContext dc)
{
    return static_cast<HDC>(dc);
}

class Win32WindowSystem final : public WindowSystem {
public:
    ~Win32WindowSystem() override
    {
        if (activeSystem == this)
            activeSystem = nullptr;
    }

    bool registerClass(const WindowClassRequest& request) override
    {
        activeSystem = this;
        activeProcedure = request.procedure;
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = request.style;
        windowClass.lpfnWndProc = forwardMessage;
        windowClass.hInstance = static_cast<HINSTANCE>(request.classInfo->instance);
        windowClass.hCursor =
            request.arrowCursor ? LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)) : nullptr;  // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(request.backgroundBrush));
        windowClass.lpszClassName = request.classInfo->className;
        return RegisterClassExA(&windowClass) != 0;
    }

    void unregisterClass(const ClassInfo& classInfo) override
    {
        UnregisterClassA(classInfo.className, static_cast<HINSTANCE>(classInfo.instance));
    }

    bool changeDisplayMode(const DisplayMode* mode) override
    {
        if (mode == nullptr)
            return ChangeDisplaySettingsA(nullptr, 0) == DISP_CHANGE_SUCCESSFUL;
        DEVMODEA settings{};
        settings.dmSize = sizeof settings;
        settings.dmPelsWidth = static_cast<DWORD>(mode->width);
        settings.dmPelsHeight = static_cast<DWORD>(mode->height);
        settings.dmBitsPerPel = static_cast<DWORD>(mode->colourBits);
        settings.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        return ChangeDisplaySettingsA(&settings, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    }

    bool adjustWindowRect(WindowRect& rect, std::uint32_t style, std::uint32_t exStyle) override
    {
        RECT adjusted{rect.left, rect.top, rect.right, rect.bottom};
        if (!AdjustWindowRectEx(&adjusted, style, FALSE, exStyle))
            return false;
        rect = {adjusted.left, adjusted.top, adjusted.right, adjusted.bottom};
        return true;
    }

    bool clientRect(NativeWindow window, WindowRect& rect) override
    {
        RECT client{};
        if (!GetClientRect(static_cast<HWND>(window), &client))
            return false;
        rect = {client.left, client.top, client.right, client.bottom};
        return true;
    }

    NativeWindow createWindow(const WindowCreation& creation) override
    {
        return CreateWindowExA(creation.exStyle, creation.classInfo->className, creation.title, creation.style,
                               creation.x, creation.y, creation.width, creation.height, nullptr, nullptr,
                               static_cast<HINSTANCE>(creation.classInfo->instance), creation.parameter);
    }

    void showWindow(NativeWindow window, std::int32_t command) override { ShowWindow(hwnd(window), command); }

    bool destroyWindow(NativeWindow window) override { return DestroyWindow(hwnd(window)) != 0; }

    void setUserData(NativeWindow window, void* data) override
    {
        SetWindowLongPtrA(hwnd(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    }

    void* userData(NativeWindow window) override
    {
        return reinterpret_cast<void*>(GetWindowLongPtrA(hwnd(window), GWLP_USERDATA));
    }

    std::intptr_t defaultProcedure(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) override
    {
        return DefWindowProcA(hwnd(window), message, wParam, lParam);
    }

    NativeDeviceContext getDeviceContext(NativeWindow window) override { return GetDC(hwnd(window)); }

    void releaseDeviceContext(NativeWindow window, NativeDeviceContext dc) override
    {
        ReleaseDC(hwnd(window), hdc(dc));
    }

    std::int32_t choosePixelFormat(NativeDeviceContext dc, const PixelFormatRequest& request) override
    {
        const PIXELFORMATDESCRIPTOR format = describe(request);
        return ChoosePixelFormat(hdc(dc), &format);
    }

    bool setPixelFormat(NativeDeviceContext dc, std::int32_t format, const PixelFormatRequest& request) override
    {
        const PIXELFORMATDESCRIPTOR descriptor = describe(request);
        return SetPixelFormat(hdc(dc), format, &descriptor) != 0;
    }

    NativeGlContext createGlContext(NativeDeviceContext dc) override { return wglCreateContext(hdc(dc)); }

    bool makeCurrent(NativeDeviceContext dc, NativeGlContext context) override
    {
        return wglMakeCurrent(hdc(dc), static_cast<HGLRC>(context)) != 0;
    }

    void deleteGlContext(NativeGlContext context) override { wglDeleteContext(static_cast<HGLRC>(context)); }

    void swapBuffers(NativeDeviceContext dc) override { SwapBuffers(hdc(dc)); }

    bool peekMessage(WindowMessage& message, NativeWindow window) override
    {
        MSG taken{};
        if (!PeekMessageA(&taken, hwnd(window), 0, 0, PM_REMOVE))
            return false;
        message = {taken.hwnd, taken.message, taken.wParam, taken.lParam};
        return true;
    }

    std::intptr_t dispatchMessage(const WindowMessage& message) override
    {
        MSG dispatched{};
        dispatched.hwnd = hwnd(message.window);
        dispatched.message = message.message;
        dispatched.wParam = message.wParam;
        dispatched.lParam = message.lParam;
        dispatched.time = static_cast<DWORD>(GetMessageTime());
        return DispatchMessageA(&dispatched);
    }

    void waitMessage() override { WaitMessage(); }

    bool postMessage(NativeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        return PostMessageA(hwnd(window), message, wParam, lParam) != 0;
    }

    std::int32_t showCursor(bool show) override { return ShowCursor(show ? TRUE : FALSE); }

    std::uint32_t tickCount() override { return GetTickCount(); }
};

}  // namespace

std::unique_ptr<WindowSystem> createWin32WindowSystem()
{
    return std::make_unique<Win32WindowSystem>();
}

}  // namespace zorun::renderer
