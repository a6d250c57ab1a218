// The Command button on Win32: a window class of its own around the face and the caption, its messages
// turned into the control's events, and a SetTimer hover timer.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <windowsx.h>

#include "host/button/command_window_win32.h"

#include "host/button/caption_label_win32.h"
#include "host/button/face_canvas_win32.h"

#include <algorithm>

namespace zorun::host {

namespace {

constexpr const wchar_t* kButtonClass = L"ZorunCommand";
constexpr UINT_PTR kHoverTimer = 1;

class Win32HoverProbe final : public HoverProbe {
public:
    void attach(HWND window) { window_ = window; }

    bool GetCursorPos(std::int32_t& x, std::int32_t& y) override
    {
        POINT point{};
        if (!::GetCursorPos(&point))
            return false;
        x = point.x;
        y = point.y;
        return true;
    }
    ToolkitWindow WindowFromPoint(std::int32_t x, std::int32_t y) override
    {
        return reinterpret_cast<ToolkitWindow>(::WindowFromPoint(POINT{x, y}));
    }
    ToolkitWindow OwnWindow() override { return reinterpret_cast<ToolkitWindow>(window_); }
    ToolkitWindow ContainerWindow() override { return reinterpret_cast<ToolkitWindow>(GetParent(window_)); }
    void SetHoverTimer(bool on, std::uint32_t intervalMs) override
    {
        if (window_ == nullptr)
            return;
        if (on)
            SetTimer(window_, kHoverTimer, intervalMs, nullptr);
        else
            KillTimer(window_, kHoverTimer);
    }

private:
    HWND window_ = nullptr;
};

int buttonsHeld(WPARAM keys)
{
    return ((keys & MK_LBUTTON) != 0 ? kLeftButton : 0) | ((keys & MK_RBUTTON) != 0 ? kRightButton : 0) |
           ((keys & MK_MBUTTON) != 0 ? kMiddleButton : 0);
}

// The button a press or release message is about; 0 for none of the three.
int messageButton(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return kRightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return kMiddleButton;
    default:
        return 0;
    }
}

class Win32CommandWindow final : public CommandWindow {
public:
    Win32CommandWindow(HWND container, const FramePictures& pictures, CommandEvents& events)
        : canvas_(pictures), control_(canvas_, caption_, probe_, events)
    {
        registerClass();
        window_ = CreateWindowExW(0, kButtonClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, container, nullptr,
                                  GetModuleHandleW(nullptr), this);
        canvas_.attach(window_);
        probe_.attach(window_);
        caption_.create(window_);
        caption_.SetText(control_.Caption());
        caption_.SetFont(control_.Font());
    }

    ~Win32CommandWindow() override
    {
        if (window_ != nullptr) {
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            DestroyWindow(window_);
        }
    }

    Win32CommandWindow(const Win32CommandWindow&) = delete;
    Win32CommandWindow& operator=(const Win32CommandWindow&) = delete;

    Command& Control() override { return control_; }

    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override
    {
        if (window_ == nullptr)
            return;
        MoveWindow(window_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
        ShowWindow(window_, SW_SHOWNA);
    }

    PixelRect ScreenRect() override
    {
        RECT rect{};
        GetWindowRect(window_, &rect);
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    std::intptr_t NativeWindow() override { return reinterpret_cast<std::intptr_t>(window_); }

private:
    static void registerClass()
    {
        static const bool registered = [] {
            WNDCLASSW button{};
            button.lpfnWndProc = &Win32CommandWindow::buttonProcedure;
            button.hInstance = GetModuleHandleW(nullptr);
            button.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            button.lpszClassName = kButtonClass;
            return RegisterClassW(&button) != 0;
        }();
        (void)registered;
    }

    static LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32CommandWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return self != nullptr ? self->handle(window, message, wParam, lParam)
                               : DefWindowProcW(window, message, wParam, lParam);
    }

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            if (dc != nullptr)
                canvas_.paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            canvas_.resize(LOWORD(lParam), HIWORD(lParam));
            control_.OnResize();
            return 0;
        case WM_SETFOCUS:
            control_.OnGotFocus();
            return 0;
        case WM_KILLFOCUS:
            control_.OnLostFocus();
            return 0;
        case WM_TIMER:
            if (wParam == kHoverTimer)
                control_.OnHoverTick();
            return 0;
        case WM_MOUSEMOVE: {
            // While a press holds the mouse its moves come here from anywhere; only a move over the button
            // is one of the button's, or a press dragged off would hover it again.
            RECT client{};
            GetClientRect(window, &client);
            if (PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
                control_.OnMouseMove(buttonsHeld(wParam));
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // A left click focuses the button before its press. Every press holds the mouse, so its release
            // comes back here wherever it happens and no other control takes it for a click.
            if (message == WM_LBUTTONDOWN && GetFocus() != window)
                SetFocus(window);
            SetCapture(window);
            control_.OnMouseDown(messageButton(message));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            // Let go only when the last held button comes up; before the Click, which may close the window.
            if (buttonsHeld(wParam) == 0 && GetCapture() == window)
                ReleaseCapture();
            control_.OnMouseUp(messageButton(message));
            return 0;
        case WM_GETDLGCODE:
            // The arrow keys do nothing here, instead of moving the focus as between a dialog's push buttons.
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            control_.OnKeyDown(static_cast<int>(wParam));
            return 0;
        case WM_KEYUP:
            control_.OnKeyUp(static_cast<int>(wParam));
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }

    HWND window_ = nullptr;
    Win32FaceCanvas canvas_;
    Win32CaptionLabel caption_;
    Win32HoverProbe probe_;
    Command control_;
};

}  // namespace

std::unique_ptr<CommandWindow> createWin32CommandWindow(std::intptr_t container, const FramePictures& pictures,
                                                        CommandEvents& events)
{
    return std::make_unique<Win32CommandWindow>(reinterpret_cast<HWND>(container), pictures, events);
}

}  // namespace zorun::host
