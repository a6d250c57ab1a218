// The Command button's face on Win32: straight through to GDI on a memory bitmap.
#include "host/button/face_canvas_win32.h"

namespace zorun::host {

static_assert(sizeof(GradientVertex) == sizeof(TRIVERTEX), "GradientVertex mirrors TRIVERTEX");
static_assert(sizeof(GradientRect) == sizeof(GRADIENT_RECT), "GradientRect mirrors GRADIENT_RECT");

Win32FaceCanvas::Win32FaceCanvas(const FramePictures& pictures)
{
    for (std::size_t i = 0; i < pictures.size(); ++i)
        pictures_[i].assign(pictures[i]);
}

void Win32FaceCanvas::attach(HWND window)
{
    window_ = window;
    SetTabStop(tabStop_);
}

void Win32FaceCanvas::resize(std::int32_t width, std::int32_t height)
{
    width_ = width;
    height_ = height;
    image_.resize(width, height);
    Clear();
}

void Win32FaceCanvas::paint(HDC dc)
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

void Win32FaceCanvas::ClientSize(std::int32_t& width, std::int32_t& height)
{
    RECT rect{};
    if (window_ != nullptr && GetClientRect(window_, &rect)) {
        width = rect.right;
        height = rect.bottom;
    }
}

double Win32FaceCanvas::TwipsPerPixel()
{
    const int dpi = screenDpi();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void Win32FaceCanvas::Clear()
{
    RECT rect{0, 0, width_, height_};
    FillRect(image_.dc(), &rect, GetSysColorBrush(COLOR_BTNFACE));
}

void Win32FaceCanvas::PaintPiece(FramePicture picture, const PixelRect& destination, const PixelRect& source)
{
    const MemoryImage& from = pictures_[static_cast<std::size_t>(picture)];
    if (from.empty())
        return;
    SetStretchBltMode(image_.dc(), COLORONCOLOR);
    StretchBlt(image_.dc(), destination.x, destination.y, destination.width, destination.height, from.dc(), source.x,
               source.y, source.width, source.height, SRCCOPY);
}

void Win32FaceCanvas::GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect)
{
    GRADIENT_RECT mesh{rect.upperLeft, rect.lowerRight};
    ::GradientFill(image_.dc(), reinterpret_cast<TRIVERTEX*>(const_cast<GradientVertex*>(vertices)), count, &mesh, 1,
                   GRADIENT_FILL_RECT_V);
}

void Win32FaceCanvas::Refresh()
{
    if (window_ != nullptr)
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32FaceCanvas::SetOpaque(bool opaque)
{
    opaque_ = opaque;
    Refresh();
}

// IsDialogMessage's Tab goes to the next child with WS_TABSTOP that is visible and enabled.
void Win32FaceCanvas::SetTabStop(bool stop)
{
    tabStop_ = stop;
    if (window_ == nullptr)
        return;
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    SetWindowLongPtrW(window_, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
}

}  // namespace zorun::host
