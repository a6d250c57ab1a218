// The Command button's caption on GTK 3.
#include "host/button/caption_label_gtk.h"

#include "host/drawing/drawing_kit_gtk.h"

#include <algorithm>

namespace zorun::host {

GtkCaptionLabel::GtkCaptionLabel(GtkWidget* fixed, GtkWidget* label) : fixed_(fixed), label_(label)
{
    gtk_label_set_line_wrap(GTK_LABEL(label_), TRUE);
    gtk_label_set_justify(GTK_LABEL(label_), GTK_JUSTIFY_CENTER);
    gtk_label_set_xalign(GTK_LABEL(label_), 0.5f);
    gtk_label_set_yalign(GTK_LABEL(label_), 0.0f);
}

void GtkCaptionLabel::Place(const PixelRect& rect)
{
    gtk_fixed_move(GTK_FIXED(fixed_), label_, rect.x, rect.y);
    gtk_widget_set_size_request(label_, std::max(rect.width, 1), -1);
}

void GtkCaptionLabel::SetText(const std::string& utf8)
{
    gtk_label_set_text(GTK_LABEL(label_), utf8.c_str());
}

void GtkCaptionLabel::SetColour(std::uint32_t colour)
{
    colour_ = colour;
    applyAttributes();
}

void GtkCaptionLabel::SetFont(const CaptionFont& font)
{
    font_ = font;
    applyAttributes();
}

void GtkCaptionLabel::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    gtk_widget_set_sensitive(label_, enabled ? TRUE : FALSE);
    applyAttributes();
}

void GtkCaptionLabel::applyAttributes()
{
    PangoAttrList* attributes = fontAttributes(font_);
    // Disabled, the theme's insensitive colour shows instead of the caption colour.
    if (enabled_) {
        auto channel = [&](int shift) { return static_cast<guint16>(((colour_ >> shift) & 0xFF) * 0x101); };
        pango_attr_list_insert(attributes, pango_attr_foreground_new(channel(0), channel(8), channel(16)));
    }
    gtk_label_set_attributes(GTK_LABEL(label_), attributes);
    pango_attr_list_unref(attributes);
}

}  // namespace zorun::host
