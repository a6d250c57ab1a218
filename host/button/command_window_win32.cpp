// The Command button on Win32: a window class of its own with a memory bitmap as its persistent image,
// GradientFill and StretchBlt for the face, a SetTimer hover timer and a caption label mouse-transparent.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <windowsx.h>

#include "host/button/command_window.h"
#include "common/utf16_win32.h"
#include "host/drawing/drawing_kit_win32.h"

#include <string>

namespace zorun::host {

namespace {

constexpr const wchar_t* kButtonClass = L"ZorunCommand";
constexpr const wchar_t* kCaptionClass = L"ZorunCommandCaption";
constexpr UINT_PTR kHoverTimer = 1;

static_assert(sizeof(GradientVertex) == sizeof(TRIVERTEX), "GradientVertex mirrors TRIVERTEX");
static_assert(sizeof(GradientRect) == sizeof(GRADIENT_RECT), "GradientRect mirrors GRADIENT_RECT");

class Win32FaceCanvas final : public FaceCanvas {
public:
    explicit Win32FaceCanvas(const FramePictures& pictures)
    {
        for (std::size_t i = 0; i < pictures.size(); ++i)
            pictures_[i].assign(pictures[i]);
    }

    // The tab stop asked for before the window was made is applied to it now.
    void attach(HWND window)
    {
        window_ = window;
        SetTabStop(tabStop_);
    }
    void resize(std::int32_t width, std::int32_t height)
    {
        width_ = width;
        height_ = height;
        image_.resize(width, height);
        Clear();
    }

    void paint(HDC dc)
    {
        if (opaque_ && !image_.empty()) {
            BitBlt(dc, 0, 0, width_, height_, image_.dc(), 0, 0, SRCCOPY);
            return;
        }
        // Transparent: the container's own background shows.
        HWND parent = GetParent(window_);
        auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(parent, GCLP_HBRBACKGROUND));
        RECT rect{0, 0, width_, height_};
        FillRect(dc, &rect, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
    }

    void ClientSize(std::int32_t& width, std::int32_t& height) override
    {
        RECT rect{};
        if (window_ != nullptr && GetClientRect(window_, &rect)) {
            width = rect.right;
            height = rect.bottom;
        }
    }
    double TwipsPerPixel() override
    {
        const int dpi = screenDpi();
        return dpi > 0 ? 1440.0 / dpi : 15.0;
    }
    void Clear() override
    {
        RECT rect{0, 0, width_, height_};
        FillRect(image_.dc(), &rect, GetSysColorBrush(COLOR_BTNFACE));
    }
    void PaintPiece(FramePicture picture, const PixelRect& destination, const PixelRect& source) override
    {
        const MemoryImage& from = pictures_[static_cast<std::size_t>(picture)];
        if (from.empty())
            return;
        SetStretchBltMode(image_.dc(), COLORONCOLOR);
        StretchBlt(image_.dc(), destination.x, destination.y, destination.width, destination.height, from.dc(),
                   source.x, source.y, source.width, source.height, SRCCOPY);
    }
    void GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect) override
    {
        GRADIENT_RECT mesh{rect.upperLeft, rect.lowerRight};
        ::GradientFill(image_.dc(), reinterpret_cast<TRIVERTEX*>(const_cast<GradientVertex*>(vertices)), count, &mesh,
                       1, GRADIENT_FILL_RECT_V);
    }
    void Refresh() override
    {
        if (window_ != nullptr)
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void SetOpaque(bool opaque) override
    {
        opaque_ = opaque;
        Refresh();
    }
    // IsDialogMessage's Tab goes to the next child with WS_TABSTOP that is visible and enabled.
    void SetTabStop(bool stop) override
    {
        tabStop_ = stop;
        if (window_ == nullptr)
            return;
        const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
        SetWindowLongPtrW(window_, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    }

private:
    HWND window_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    MemoryImage image_;
    std::array<MemoryImage, kFramePictureCount> pictures_;
    bool opaque_ = true;
    bool tabStop_ = false;
};

// The caption: a child window that lets the mouse through to the button and draws only its text.
class Win32CaptionLabel final : public CaptionLabel {
public:
    ~Win32CaptionLabel() override
    {
        if (font_ != nullptr)
            DeleteObject(font_);
    }

    void attach(HWND window)
    {
        window_ = window;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    void paint(HDC dc)
    {
        RECT rect{};
        GetClientRect(window_, &rect);
        SetBkMode(dc, TRANSPARENT);
        const HGDIOBJ original = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
        const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
        if (enabled_) {
            SetTextColor(dc, colour_);
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &rect, format);
        } else {
            // The disabled style of a label: an etched text, light below and right, grey above.
            RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
            SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &shifted, format);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &rect, format);
        }
        if (original != nullptr)
            SelectObject(dc, original);
    }

    void Place(const PixelRect& rect) override
    {
        if (window_ != nullptr)
            MoveWindow(window_, rect.x, rect.y, rect.width, rect.height, TRUE);
    }
    void SetText(const std::string& utf8) override
    {
        text_ = toUtf16(utf8);
        redraw();
    }
    void SetColour(std::uint32_t colour) override
    {
        colour_ = colour;  // 0x00BBGGRR is a COLORREF
        redraw();
    }
    void SetFont(const CaptionFont& font) override
    {
        if (font_ != nullptr)
            DeleteObject(font_);
        font_ = createScreenFont(font);
        redraw();
    }
    void SetEnabled(bool enabled) override
    {
        enabled_ = enabled;
        if (window_ != nullptr)
            EnableWindow(window_, enabled ? TRUE : FALSE);
        redraw();
    }

private:
    // The label has no background: its part of the button is painted again under it.
    void redraw()
    {
        HWND parent = window_ != nullptr ? GetParent(window_) : nullptr;
        if (parent == nullptr)
            return;
        RECT rect{};
        GetWindowRect(window_, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }

    HWND window_ = nullptr;
    std::wstring text_;
    COLORREF colour_ = 0;
    HFONT font_ = nullptr;
    bool enabled_ = true;
};

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
        registerClasses();
        HINSTANCE instance = GetModuleHandleW(nullptr);
        window_ = CreateWindowExW(0, kButtonClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, container, nullptr,
                                  instance, this);
        canvas_.attach(window_);
        probe_.attach(window_);
        // As designed: left 0, top 90, width 1635, height 195 twips; every face drawing places it again.
        HWND label = CreateWindowExW(0, kCaptionClass, L"", WS_CHILD | WS_VISIBLE, 0, 6, 109, 13, window_, nullptr,
                                     instance, nullptr);
        caption_.attach(label);
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
    static void registerClasses()
    {
        static const bool registered = [] {
            WNDCLASSW button{};
            button.lpfnWndProc = &Win32CommandWindow::buttonProcedure;
            button.hInstance = GetModuleHandleW(nullptr);
            button.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            button.lpszClassName = kButtonClass;
            WNDCLASSW caption{};
            caption.lpfnWndProc = &Win32CommandWindow::captionProcedure;
            caption.hInstance = button.hInstance;
            caption.lpszClassName = kCaptionClass;
            return RegisterClassW(&button) != 0 && RegisterClassW(&caption) != 0;
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

    static LRESULT CALLBACK captionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* label = reinterpret_cast<Win32CaptionLabel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the mouse over the caption is over the button
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            if (dc != nullptr && label != nullptr)
                label->paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
        }
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

std::unique_ptr<CommandWindow> createCommandWindow(std::intptr_t container, const FramePictures& pictures,
                                                   CommandEvents& events)
{
    return std::make_unique<Win32CommandWindow>(reinterpret_cast<HWND>(container), pictures, events);
}

}  // namespace zorun::host
