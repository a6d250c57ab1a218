// The host's drawing kit on GTK 3, for the settings dialog and the Command button: fonts as Pango and CSS
// take them, and native images from decoded pictures.
#pragma once

#include "host/drawing/text_font.h"
#include "host/pictures/picture.h"

#include <gtk/gtk.h>

#include <cstddef>
#include <string>

namespace zorun::host {

/// The font as a label's attributes, its face substituted where Windows fonts are missing; a weight and
/// an italic only where they differ from the theme's normal text. The caller unrefs the list.
PangoAttrList* fontAttributes(const CaptionFont& font);

/// The font in CSS's `font` shorthand ("9.75pt IPAPGothic").
std::string cssFont(const CaptionFont& font);

/// The picture as a pixbuf without alpha; null for a picture that is not whole. The caller unrefs it.
GdkPixbuf* pixbufFromPicture(const Picture& picture);

/// An encoded icon or cursor file held in memory, decoded with its transparency; null when broken.
GdkPixbuf* pixbufFromBytes(const unsigned char* bytes, std::size_t size);

}  // namespace zorun::host
