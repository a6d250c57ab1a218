// The host's own windows on Win32: the hidden saver window, the borderless preview window, timers, loop.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/forms/host_window_win32.h"
#include "host/forms/dib_section_win32.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zorun::host {

namespace {

constexpr const char* kSaverClass = "ZorunSaverWindow";
constexpr const char* kPreviewClass = "ZorunPreviewWindow";

class Win32HostWindow;

// The host's windows still alive on this thread; the message loop ends when the last one is gone.
std::vector<Win32HostWindow*> liveWindows;

Win32HostWindow* windowOf(HWND window)
{
    return reinterpret_cast<Win32HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

class Win32HostWindow final : public HostWindow {
public:
    explicit Win32HostWindow(FormEvents& events) : events_(events) {}

    ~Win32HostWindow() override
    {
        if (window_ != nullptr) {
            // Destroyed with its owner object: no more events to an object that is going, so the window
            // is counted gone here rather than on its WM_NCDESTROY.
            HWND window = window_;
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            destroyed();
            DestroyWindow(window);
        }
    }

    Win32HostWindow(const Win32HostWindow&) = delete;
    Win32HostWindow& operator=(const Win32HostWindow&) = delete;

    bool create(const char* windowClass, const std::string& caption, DWORD style)
    {
        window_ = CreateWindowExA(0, windowClass, caption.c_str(), style, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), this);
        return window_ != nullptr;
    }

    WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(window_); }

    void SetTimer(int timerId, std::uint32_t intervalMs, bool on) override
    {
        if (window_ == nullptr)
            return;
        // SetTimer on a running id replaces it, which restarts its interval.
        if (on)
            ::SetTimer(window_, static_cast<UINT_PTR>(timerId), intervalMs, nullptr);
        else
            KillTimer(window_, static_cast<UINT_PTR>(timerId));
    }

    void SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height) override
    {
        pictureWidth_ = picture.width;
        pictureHeight_ = picture.height;
        placement_ = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
        // Kept as the device-independent bitmap GDI draws: bottom row first, blue-green-red, rows
        // padded to four bytes.
        bits_.clear();
        if (picture.width > 0 && picture.height > 0 &&
            picture.rgb.size() >= static_cast<std::size_t>(picture.width) * picture.height * 3) {
            const std::size_t width3 = static_cast<std::size_t>(picture.width) * 3;
            const std::size_t stride = (width3 + 3) & ~std::size_t{3};
            bits_.assign(stride * picture.height, 0);
            for (std::int32_t y = 0; y < picture.height; ++y) {
                const std::uint8_t* from = &picture.rgb[static_cast<std::size_t>(y) * width3];
                std::uint8_t* to = &bits_[static_cast<std::size_t>(picture.height - 1 - y) * stride];
                for (std::size_t x = 0; x < width3; x += 3) {
                    to[x] = from[x + 2];
                    to[x + 1] = from[x + 1];
                    to[x + 2] = from[x];
                }
            }
        }
        if (window_ != nullptr)
            InvalidateRect(window_, nullptr, TRUE);
    }

    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override
    {
        if (window_ != nullptr)
            MoveWindow(window_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
    }

    void Show() override
    {
        if (window_ != nullptr)
            ShowWindow(window_, SW_SHOW);
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_TIMER:
            // A tick that comes while a handler of this window is still running (a platform call that
            // pumps messages) is dropped: the next one comes a whole interval later.
            if (!busy_) {
                busy_ = true;
                events_.OnTimer(static_cast<int>(wParam));
                busy_ = false;
            }
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_ENDSESSION:
            if (wParam != FALSE)
                close();
            return 0;
        case WM_PAINT:
            paint();
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
        }
    }

    void programEnded()
    {
        busy_ = true;
        events_.OnProgramEnded();
        busy_ = false;
    }

    // The window is going: forget the handle; the last window of the host ends the message loop.
    void destroyed()
    {
        window_ = nullptr;
        std::erase(liveWindows, this);
        // Wakes the loop, which may be waiting for messages: a window that goes with a parent of another
        // process is destroyed by a sent message, which the wait handles without returning.
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    }

    void attach(HWND window)
    {
        window_ = window;
        liveWindows.push_back(this);
    }

private:
    void close()
    {
        HWND window = window_;
        busy_ = true;
        events_.OnClose();
        busy_ = false;
        if (IsWindow(window))
            DestroyWindow(window);
    }

    void paint()
    {
        PAINTSTRUCT paintInfo{};
        HDC dc = BeginPaint(window_, &paintInfo);
        if (dc != nullptr)
            drawPicture(dc);
        EndPaint(window_, &paintInfo);
    }

    // Unscaled from the placement's top-left, cut to the placement; the background brush paints the
    // rest black.
    void drawPicture(HDC dc)
    {
        if (bits_.empty())
            return;
        const BITMAPINFO info = dibInfo(pictureWidth_, pictureHeight_, 24);
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, placement_.left, placement_.top, placement_.right, placement_.bottom);
        SetDIBitsToDevice(dc, placement_.left, placement_.top, static_cast<DWORD>(pictureWidth_),
                          static_cast<DWORD>(pictureHeight_), 0, 0, 0, static_cast<UINT>(pictureHeight_), bits_.data(),
                          &info, DIB_RGB_COLORS);
        RestoreDC(dc, saved);
    }

    FormEvents& events_;
    HWND window_ = nullptr;
    bool busy_ = false;
    std::vector<std::uint8_t> bits_;
    std::int32_t pictureWidth_ = 0;
    std::int32_t pictureHeight_ = 0;
    RECT placement_{};
};

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Win32HostWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->attach(window);
    }
    Win32HostWindow* form = windowOf(window);
    if (form == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        form->destroyed();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return form->handle(message, wParam, lParam);
}

class Win32Forms final : public Forms {
public:
    explicit Win32Forms(std::shared_ptr<StartedProgram> started) : started_(std::move(started))
    {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = formProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        windowClass.lpszClassName = kSaverClass;
        RegisterClassExA(&windowClass);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = kPreviewClass;
        RegisterClassExA(&windowClass);
    }

    std::unique_ptr<HostWindow> CreateSaverWindow(const std::string& caption, FormEvents& events) override
    {
        // An ordinary top-level window that is never shown: another start of the host must find it by its
        // caption, which a message-only window would not allow.
        return create(kSaverClass, caption, WS_OVERLAPPEDWINDOW, events);
    }

    std::unique_ptr<HostWindow> CreatePreviewWindow(const std::string& caption, FormEvents& events) override
    {
        return create(kPreviewClass, caption, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, events);
    }

    void RunMessageLoop() override
    {
        bool endTold = false;
        while (!liveWindows.empty()) {
            // The started program's handle stays signalled once it has ended: it is waited on until told.
            HANDLE program = started_ != nullptr && !endTold ? started_->process : nullptr;
            const DWORD woke = MsgWaitForMultipleObjectsEx(program != nullptr ? 1 : 0, &program, INFINITE, QS_ALLINPUT,
                                                           MWMO_INPUTAVAILABLE);
            if (program != nullptr && woke == WAIT_OBJECT_0) {
                endTold = true;
                const std::vector<Win32HostWindow*> windows = liveWindows;
                for (Win32HostWindow* window : windows)
                    if (std::find(liveWindows.begin(), liveWindows.end(), window) != liveWindows.end())
                        window->programEnded();
                continue;
            }
            MSG message;
            while (!liveWindows.empty() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT)
                    return;
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }

private:
    static std::unique_ptr<HostWindow> create(const char* windowClass, const std::string& caption, DWORD style,
                                              FormEvents& events)
    {
        auto window = std::make_unique<Win32HostWindow>(events);
        window->create(windowClass, caption, style);  // a window that cannot be made has handle 0
        return window;
    }

    std::shared_ptr<StartedProgram> started_;
};

}  // namespace

std::unique_ptr<Forms> createWin32Forms(std::shared_ptr<StartedProgram> started)
{
    return std::make_unique<Win32Forms>(std::move(started));
}

}  // namespace zorun::host
