// The Command button's caption on Win32: a window class of its own, transparent to the mouse.
#include "host/button/caption_label_win32.h"

#include "common/utf16_win32.h"
#include "host/drawing/drawing_kit_win32.h"

namespace zorun::host {

namespace {

constexpr const wchar_t* kCaptionClass = L"ZorunCommandCaption";

}  // namespace

Win32CaptionLabel::~Win32CaptionLabel()
{
    if (font_ != nullptr)
        DeleteObject(font_);
}

void Win32CaptionLabel::create(HWND button)
{
    static const bool registered = [] {
        WNDCLASSW caption{};
        caption.lpfnWndProc = &Win32CaptionLabel::procedure;
        caption.hInstance = GetModuleHandleW(nullptr);
        caption.lpszClassName = kCaptionClass;
        return RegisterClassW(&caption) != 0;
    }();
    (void)registered;
    // As designed: left 0, top 90, width 1635, height 195 twips; every face drawing places it again.
    window_ = CreateWindowExW(0, kCaptionClass, L"", WS_CHILD | WS_VISIBLE, 0, 6, 109, 13, button, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK Win32CaptionLabel::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
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

void Win32CaptionLabel::paint(HDC dc)
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

void Win32CaptionLabel::Place(const PixelRect& rect)
{
    if (window_ != nullptr)
        MoveWindow(window_, rect.x, rect.y, rect.width, rect.height, TRUE);
}

void Win32CaptionLabel::SetText(const std::string& utf8)
{
    text_ = toUtf16(utf8);
    redraw();
}

void Win32CaptionLabel::SetColour(std::uint32_t colour)
{
    colour_ = colour;  // 0x00BBGGRR is a COLORREF
    redraw();
}

void Win32CaptionLabel::SetFont(const CaptionFont& font)
{
    if (font_ != nullptr)
        DeleteObject(font_);
    font_ = createScreenFont(font);
    redraw();
}

void Win32CaptionLabel::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (window_ != nullptr)
        EnableWindow(window_, enabled ? TRUE : FALSE);
    redraw();
}

// The label has no background: its part of the button is painted again under it.
void Win32CaptionLabel::redraw()
{
    HWND parent = window_ != nullptr ? GetParent(window_) : nullptr;
    if (parent == nullptr)
        return;
    RECT rect{};
    GetWindowRect(window_, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace zorun::host
