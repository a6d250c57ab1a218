// The host's drawing kit on GTK 3: fonts as Pango and CSS take them, native images from decoded pictures.
#include "host/drawing/drawing_kit_gtk.h"

#include "host/drawing/picture_pixels.h"

#include <algorithm>
#include <cmath>

namespace zorun::host {

PangoAttrList* fontAttributes(const CaptionFont& font)
{
    PangoAttrList* attributes = pango_attr_list_new();
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, substituteFace(font.face).c_str());
    pango_font_description_set_size(description, static_cast<gint>(std::lround(font.points * PANGO_SCALE)));
    // Left unset, they follow the label's style: a message box's heading stays bold.
    if (font.weight != PANGO_WEIGHT_NORMAL)
        pango_font_description_set_weight(description, static_cast<PangoWeight>(font.weight));
    if (font.italic)
        pango_font_description_set_style(description, PANGO_STYLE_ITALIC);
    pango_attr_list_insert(attributes, pango_attr_font_desc_new(description));
    pango_font_description_free(description);
    if (font.underline)
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.strikethrough)
        pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
    return attributes;
}

std::string cssFont(const CaptionFont& font)
{
    // The C locale's decimal point whatever the user's locale: CSS reads no other.
    gchar points[G_ASCII_DTOSTR_BUF_SIZE];
    g_ascii_formatd(points, sizeof points, "%g", font.points);
    return std::string(points) + "pt " + substituteFace(font.face);
}

GdkPixbuf* pixbufFromPicture(const Picture& picture)
{
    if (!isWholePicture(picture))
        return nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, picture.width, picture.height);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.rgb.data() + static_cast<std::size_t>(y) * picture.width * 3, picture.width * 3,
                    pixels + static_cast<std::ptrdiff_t>(y) * stride);
    return pixbuf;
}

GdkPixbuf* pixbufFromBytes(const unsigned char* bytes, std::size_t size)
{
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    GdkPixbuf* pixbuf = nullptr;
    if (gdk_pixbuf_loader_write(loader, bytes, size, nullptr) && gdk_pixbuf_loader_close(loader, nullptr))
        pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    else
        gdk_pixbuf_loader_close(loader, nullptr);
    if (pixbuf != nullptr)
        g_object_ref(pixbuf);
    g_object_unref(loader);
    return pixbuf;
}

}  // namespace zorun::host
