// The GTK settings dialog's widgets: labels, option marks and the compact combo box on two fixed layouts.
#include "host/dialog/dialog_widgets_gtk.h"

#include "host/drawing/drawing_kit_gtk.h"
#include "host/pictures/stored_pictures_data.h"

#include <string>

namespace zorun::host {

namespace {

using namespace dialog;

void put(GtkWidget* fixed, GtkWidget* widget, const Box& at)
{
    gtk_fixed_put(GTK_FIXED(fixed), widget, at.x, at.y);
}

GtkWidget* addLabel(GtkWidget* fixed, const Box& at, const char* text, bool link)
{
    GtkWidget* label = gtk_label_new(text);
    PangoAttrList* attributes = dialogLabelAttributes(link);
    gtk_label_set_attributes(GTK_LABEL(label), attributes);
    pango_attr_list_unref(attributes);
    gtk_widget_set_halign(label, GTK_ALIGN_START);
    gtk_widget_set_valign(label, GTK_ALIGN_START);
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_label_set_yalign(GTK_LABEL(label), 0);
    put(fixed, label, at);
    return label;
}

void applyCss(GtkWidget* widget, gpointer css)
{
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(css),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), applyCss, css);
}

// The designed 41 x 20 box as Windows draws it: a 17-pixel arrow, and the rest a text field that shows
// two digits and takes every click left of the arrow. The theme's paddings and its 16-pixel arrow
// icon would leave the field 13 pixels.
GtkWidget* compactCombo()
{
    static_assert(kComboArrowWidth == 17, "the arrow's CSS below: 1 + 1 + 13 + 1 + 1 pixels");
    GtkWidget* combo = gtk_combo_box_text_new_with_entry();
    GtkCssProvider* css = gtk_css_provider_new();
    const std::string entryRule =
        "entry { font: " + cssFont(kLabelFont) + "; background: white; padding: 0 2px; min-width: 0; }";
    const std::string rules = "* { min-height: 0; padding: 0; margin: 0; }" + entryRule +
                              "button { min-width: 0; padding: 0; }"
                              "arrow { min-width: 13px; min-height: 13px; padding: 0 1px; }";
    gtk_css_provider_load_from_data(css, rules.c_str(), -1, nullptr);
    GtkWidget* entry = gtk_bin_get_child(GTK_BIN(combo));
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 0);
    gtk_entry_set_max_width_chars(GTK_ENTRY(entry), 1);
    for (GtkWidget* w : {combo, entry})
        gtk_style_context_add_provider(gtk_widget_get_style_context(w), GTK_STYLE_PROVIDER(css),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    gtk_container_forall(GTK_CONTAINER(combo), applyCss, css);
    g_object_unref(css);
    gtk_widget_set_size_request(combo, kCombo.width, kCombo.height);
    return combo;
}

}  // namespace

PangoAttrList* dialogLabelAttributes(bool link)
{
    PangoAttrList* attributes = fontAttributes(link ? kLinkFont : kLabelFont);
    const guint16 level = link ? 0xFFFF : 0;
    pango_attr_list_insert(attributes, pango_attr_foreground_new(level, level, level));
    return attributes;
}

DialogWidgets buildDialogWidgets(const char* linkText)
{
    DialogWidgets w;
    w.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(w.window), kTitle);
    gtk_window_set_resizable(GTK_WINDOW(w.window), FALSE);
    gtk_window_set_type_hint(GTK_WINDOW(w.window), GDK_WINDOW_TYPE_HINT_DIALOG);
    if (GdkPixbuf* icon = pixbufFromBytes(kDialogIconIco, kDialogIconIcoSize)) {
        gtk_window_set_icon(GTK_WINDOW(w.window), icon);
        g_object_unref(icon);
    }

    w.root = gtk_fixed_new();
    gtk_widget_set_size_request(w.root, kClientWidth, kClientHeight);
    gtk_container_add(GTK_CONTAINER(w.window), w.root);

    w.panel = gtk_fixed_new();
    gtk_widget_set_size_request(w.panel, kPanel.width, kPanel.height);
    gtk_fixed_put(GTK_FIXED(w.root), w.panel, kPanel.x, kPanel.y);

    GtkWidget* heading = addLabel(w.panel, kHeading, kHeadingText, false);
    gtk_widget_set_size_request(heading, kHeading.width, kHeading.height);
    gtk_label_set_xalign(GTK_LABEL(heading), 0.5f);
    for (int i = 0; i < kOptionCount; ++i) {
        addLabel(w.panel, kOptionLabels[i], kOptionTexts[i], false);
        GtkWidget* mark = gtk_image_new();
        gtk_widget_set_size_request(mark, kOptionMarks[i].width, kOptionMarks[i].height);
        gtk_widget_set_halign(mark, GTK_ALIGN_START);
        gtk_widget_set_valign(mark, GTK_ALIGN_START);
        w.marks[static_cast<std::size_t>(i)] = mark;
        put(w.panel, mark, kOptionMarks[i]);
    }
    addLabel(w.panel, kRepeatLabel, kRepeatText, false);
    w.fileLabel = addLabel(w.panel, kFileLabel, "", false);
    gtk_label_set_line_wrap(GTK_LABEL(w.fileLabel), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(w.fileLabel), PANGO_WRAP_WORD_CHAR);
    gtk_widget_set_size_request(w.fileLabel, kFileLabel.width, kFileLabel.height);
    gtk_label_set_max_width_chars(GTK_LABEL(w.fileLabel), 1);  // wraps at the box, not at the text

    addLabel(w.root, kLink, linkText, true);

    w.combo = compactCombo();
    gtk_fixed_put(GTK_FIXED(w.panel), w.combo, kCombo.x, kCombo.y);
    return w;
}

}  // namespace zorun::host
