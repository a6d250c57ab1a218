// The GTK settings dialog's painted images.
#include "host/dialog/dialog_backing_gtk.h"

#include "host/dialog/dialog_layout.h"
#include "host/drawing/picture_pixels.h"

#include <algorithm>
#include <cstddef>

namespace zorun::host {

DialogBacking::~DialogBacking()
{
    if (surface_ != nullptr)
        cairo_surface_destroy(surface_);
}

void DialogBacking::create(std::int32_t width, std::int32_t height, std::uint32_t colour)
{
    width_ = width, height_ = height;
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    for (std::int32_t y = 0; y < height; ++y)
        line(y, width, colour);
}

void DialogBacking::line(std::int32_t y, std::int32_t w, std::uint32_t colour)
{
    if (surface_ == nullptr || y < 0 || y >= height_)
        return;
    cairo_surface_flush(surface_);
    auto* row =
        reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                         static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_));
    // The line ends at the surface's edge.
    std::fill_n(row, std::min(width_, w + 1), xrgbFromColour(colour));
    cairo_surface_mark_dirty(surface_);
}

void DialogBacking::paintDialog(cairo_t* cr) const
{
    cairo_set_source_surface(cr, surface_, 0, 0);
    cairo_paint(cr);
}

void DialogBacking::paintPanel(cairo_t* cr) const
{
    using dialog::kHeadingFrame;
    cairo_set_source_surface(cr, surface_, 0, 0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, kHeadingFrame.x + 0.5, kHeadingFrame.y + 0.5, kHeadingFrame.width - 1,
                    kHeadingFrame.height - 1);
    cairo_stroke(cr);
}

}  // namespace zorun::host
