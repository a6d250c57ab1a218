// The GTK settings dialog's painted images: the gradients drawn line by line stay, and every repaint shows them.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>

namespace zorun::host {

/// A persistent image under a fixed layout.
class DialogBacking {
public:
    DialogBacking() = default;
    ~DialogBacking();
    DialogBacking(const DialogBacking&) = delete;
    DialogBacking& operator=(const DialogBacking&) = delete;

    /// A new image of that size, all in colour (0x00BBGGRR).
    void create(std::int32_t width, std::int32_t height, std::uint32_t colour);
    /// Row y from its left edge over w + 1 pixels, cut at the image's edge; nothing outside the image.
    void line(std::int32_t y, std::int32_t w, std::uint32_t colour);
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    /// The dialog's image; the controls draw over it.
    void paintDialog(cairo_t* cr) const;
    /// The panel's image with the heading's black frame.
    void paintPanel(cairo_t* cr) const;

private:
    std::int32_t width_ = 0, height_ = 0;
    cairo_surface_t* surface_ = nullptr;
};

}  // namespace zorun::host
