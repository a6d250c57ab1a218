// Decoding the pictures built into the Linux host with gdk-pixbuf.
#include "host/pictures/picture_decoder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace zorun::host {

Picture DecodePicture(const std::uint8_t* bytes, std::size_t size)
{
    Picture picture;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    const bool written = gdk_pixbuf_loader_write(loader, bytes, size, nullptr) != FALSE;
    const bool closed = gdk_pixbuf_loader_close(loader, nullptr) != FALSE;
    GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (pixbuf != nullptr && gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
        gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 && gdk_pixbuf_get_n_channels(pixbuf) >= 3) {
        const int width = gdk_pixbuf_get_width(pixbuf);
        const int height = gdk_pixbuf_get_height(pixbuf);
        const int stride = gdk_pixbuf_get_rowstride(pixbuf);
        const int channels = gdk_pixbuf_get_n_channels(pixbuf);
        const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
        picture.width = width;
        picture.height = height;
        picture.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
        for (int y = 0; y < height; ++y) {
            const guchar* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
            for (int x = 0; x < width; ++x)
                picture.rgb.insert(picture.rgb.end(), row + x * channels, row + x * channels + 3);
        }
    }
    g_object_unref(loader);  // owns the pixbuf
    return picture;
}

}  // namespace zorun::host
