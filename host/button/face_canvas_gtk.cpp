// The Command button's face on GTK 3.
#include "host/button/face_canvas_gtk.h"

namespace zorun::host {

namespace {

// Never seen on a face (the gradient and the ring cover the whole image); shown only while a new size
// has not been drawn yet.
constexpr std::uint32_t kBackground = 0xECE9D8;

}  // namespace

void GtkFaceCanvas::resize(std::int32_t width, std::int32_t height)
{
    releaseSurface();
    image_.Resize(width, height);
    image_.Fill(kBackground);
    if (width > 0 && height > 0)
        surface_ = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(image_.Pixels()),
                                                       CAIRO_FORMAT_RGB24, width, height, width * 4);
}

void GtkFaceCanvas::paint(cairo_t* cr)
{
    if (!opaque_ || surface_ == nullptr)
        return;
    cairo_surface_mark_dirty(surface_);
    cairo_set_source_surface(cr, surface_, 0, 0);
    cairo_paint(cr);
}

void GtkFaceCanvas::ClientSize(std::int32_t& width, std::int32_t& height)
{
    width = image_.Width();
    height = image_.Height();
}

double GtkFaceCanvas::TwipsPerPixel()
{
    const double dpi = gdk_screen_get_resolution(gtk_widget_get_screen(box_));
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void GtkFaceCanvas::Clear()
{
    image_.Fill(kBackground);
}

void GtkFaceCanvas::PaintPiece(FramePicture picture, const PixelRect& destination, const PixelRect& source)
{
    image_.PaintPiece(pictures_[static_cast<std::size_t>(picture)], destination, source);
}

void GtkFaceCanvas::GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect)
{
    image_.GradientFill(vertices, count, rect);
}

void GtkFaceCanvas::Refresh()
{
    gtk_widget_queue_draw(box_);
}

void GtkFaceCanvas::SetOpaque(bool opaque)
{
    opaque_ = opaque;
    gtk_widget_queue_draw(box_);
}

void GtkFaceCanvas::SetTabStop(bool stop)
{
    gtk_widget_set_can_focus(box_, stop ? TRUE : FALSE);
}

void GtkFaceCanvas::releaseSurface()
{
    if (surface_ != nullptr)
        cairo_surface_destroy(surface_);
    surface_ = nullptr;
}

}  // namespace zorun::host
