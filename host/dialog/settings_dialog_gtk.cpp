// The settings dialog on GTK 3: a fixed layout over painted backing images, with the Command buttons.
#include "host/dialog/dialog_buttons.h"
#include "host/dialog/dialog_layout.h"
#include "host/dialog/ini_settings_writer.h"
#include "host/dialog/settings_dialog.h"
#include "host/dialog/settings_dialog_view.h"
#include "host/dialog/tab_order.h"
#include "host/drawing/drawing_kit_gtk.h"
#include "host/drawing/picture_pixels.h"
#include "host/pictures/stored_pictures_data.h"
#include "common/x11/quit_signals_posix.h"

#include <gdk/gdkx.h>
#include <glib-unix.h>
#include <gtk/gtk.h>

#include <array>
#include <chrono>
#include <cmath>
#include <thread>
#include <memory>
#include <vector>

namespace zorun::host {

namespace {

using namespace dialog;

// The dialog's font in black, or the link's in white.
PangoAttrList* labelAttributes(bool link)
{
    PangoAttrList* attributes = fontAttributes(link ? kLinkFont : kLabelFont);
    const guint16 level = link ? 0xFFFF : 0;
    pango_attr_list_insert(attributes, pango_attr_foreground_new(level, level, level));
    return attributes;
}

MouseButton buttonOf(guint button)
{
    switch (button) {
    case 1:
        return MouseButton::Left;
    case 2:
        return MouseButton::Middle;
    case 3:
        return MouseButton::Right;
    default:
        return MouseButton::Other;
    }
}

// The caption zoom as window managers drew it: an outline moving from one rectangle to the other, drawn
// and undrawn on the root window. A compositing desktop does not show root-window drawing.
void animateCaptionZoom(Display* display, const Rect& from, const Rect& to)
{
    constexpr int kSteps = 10;
    const Window root = DefaultRootWindow(display);
    XGCValues values{};
    values.function = GXxor;
    values.foreground = WhitePixel(display, DefaultScreen(display)) ^ BlackPixel(display, DefaultScreen(display));
    values.subwindow_mode = IncludeInferiors;
    values.line_width = 2;
    GC gc = XCreateGC(display, root, GCFunction | GCForeground | GCSubwindowMode | GCLineWidth, &values);
    auto at = [](std::int32_t a, std::int32_t b, int step) { return a + (b - a) * step / kSteps; };
    for (int step = 1; step <= kSteps; ++step) {
        const int left = at(from.left, to.left, step), top = at(from.top, to.top, step);
        const int right = at(from.right, to.right, step), bottom = at(from.bottom, to.bottom, step);
        const auto width = static_cast<unsigned>(std::max(right - left, 1));
        const auto height = static_cast<unsigned>(std::max(bottom - top, 1));
        XDrawRectangle(display, root, gc, left, top, width, height);
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        XDrawRectangle(display, root, gc, left, top, width, height);  // xor: undrawn
    }
    XFreeGC(display, gc);
    XFlush(display);
}

// A persistent image under a fixed layout: what is drawn stays, and every repaint shows it.
struct Backing {
    std::int32_t width = 0, height = 0;
    cairo_surface_t* surface = nullptr;

    void create(std::int32_t w, std::int32_t h, std::uint32_t colour)
    {
        width = w, height = h;
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        for (std::int32_t y = 0; y < h; ++y)
            line(y, w, colour);
    }
    ~Backing()
    {
        if (surface != nullptr)
            cairo_surface_destroy(surface);
    }
    void line(std::int32_t y, std::int32_t w, std::uint32_t colour)
    {
        if (surface == nullptr || y < 0 || y >= height)
            return;
        cairo_surface_flush(surface);
        auto* row =
            reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                             static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface));
        // The line ends at the surface's edge.
        std::fill_n(row, std::min(width, w + 1), xrgbFromColour(colour));
        cairo_surface_mark_dirty(surface);
    }
};

class GtkSettingsDialog final : public DialogView, public DialogShell {
public:
    GtkSettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile)
        : writer_(settingsFile), form_(*this, *this, writer_, settings, homePageAddress())
    {
        window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(window_), kTitle);
        gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
        gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
        if (GdkPixbuf* icon = pixbufFromBytes(kDialogIconIco, kDialogIconIcoSize)) {
            gtk_window_set_icon(GTK_WINDOW(window_), icon);
            g_object_unref(icon);
        }
        g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
        g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);
        // Presses on the labels, the option marks and the background reach the window, as on Windows: the
        // dialog's logic finds what lies under them.
        g_signal_connect(window_, "button-press-event", G_CALLBACK(onPress), this);
        g_signal_connect(window_, "button-release-event", G_CALLBACK(onRelease), this);
        g_signal_connect(window_, "motion-notify-event", G_CALLBACK(onPointer), this);
        g_signal_connect(window_, "leave-notify-event", G_CALLBACK(onPointer), this);
        gtk_widget_add_events(
            window_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK | GDK_LEAVE_NOTIFY_MASK);

        root_ = gtk_fixed_new();
        gtk_widget_set_size_request(root_, kClientWidth, kClientHeight);
        gtk_container_add(GTK_CONTAINER(window_), root_);
        dialogImage_.create(kClientWidth, kClientHeight, kBackground);
        g_signal_connect(root_, "draw", G_CALLBACK(onDrawDialog), this);

        panel_ = gtk_fixed_new();
        gtk_widget_set_size_request(panel_, kPanel.width, kPanel.height);
        gtk_fixed_put(GTK_FIXED(root_), panel_, kPanel.x, kPanel.y);
        panelImage_.create(kPanel.width, kPanel.height, kPanelBackground);
        g_signal_connect(panel_, "draw", G_CALLBACK(onDrawPanel), this);

        GtkWidget* heading = addLabel(panel_, kHeading, kHeadingText, false);
        gtk_widget_set_size_request(heading, kHeading.width, kHeading.height);
        gtk_label_set_xalign(GTK_LABEL(heading), 0.5f);
        for (int i = 0; i < kOptionCount; ++i) {
            addLabel(panel_, kOptionLabels[i], kOptionTexts[i], false);
            GtkWidget* mark = gtk_image_new();
            gtk_widget_set_size_request(mark, kOptionMarks[i].width, kOptionMarks[i].height);
            gtk_widget_set_halign(mark, GTK_ALIGN_START);
            gtk_widget_set_valign(mark, GTK_ALIGN_START);
            marks_[i] = mark;
            put(panel_, mark, kOptionMarks[i]);
        }
        addLabel(panel_, kRepeatLabel, kRepeatText, false);
        fileLabel_ = addLabel(panel_, kFileLabel, "", false);
        gtk_label_set_line_wrap(GTK_LABEL(fileLabel_), TRUE);
        gtk_label_set_line_wrap_mode(GTK_LABEL(fileLabel_), PANGO_WRAP_WORD_CHAR);
        gtk_widget_set_size_request(fileLabel_, kFileLabel.width, kFileLabel.height);
        gtk_label_set_max_width_chars(GTK_LABEL(fileLabel_), 1);  // wraps at the box, not at the text

        addLabel(root_, kLink, homePageAddress(), true);

        combo_ = gtk_combo_box_text_new_with_entry();
        compactCombo();
        gtk_fixed_put(GTK_FIXED(panel_), combo_, kCombo.x, kCombo.y);

        selectedPicture_ = pixbufFromPicture(pictures.LoadStoredPicture(StoredPicture::OptionSelected));
        unselectedPicture_ = pixbufFromPicture(pictures.LoadStoredPicture(StoredPicture::Option));
        if (GdkPixbuf* hand = pixbufFromBytes(kHandCur, kHandCurSize)) {
            hand_ = gdk_cursor_new_from_pixbuf(gdk_display_get_default(), hand, kHandHotSpotX, kHandHotSpotY);
            g_object_unref(hand);
        }

        buttons_ = std::make_unique<DialogButtons>(reinterpret_cast<std::intptr_t>(root_),
                                                   reinterpret_cast<std::intptr_t>(panel_), 0, 0,
                                                   loadFramePictures(pictures), form_);
        gtk_widget_realize(window_);
    }

    ~GtkSettingsDialog() override
    {
        buttons_.reset();
        if (window_ != nullptr)
            gtk_widget_destroy(window_);
        for (GdkPixbuf* p : {selectedPicture_, unselectedPicture_})
            if (p != nullptr)
                g_object_unref(p);
        if (hand_ != nullptr)
            g_object_unref(hand_);
    }
    GtkSettingsDialog(const GtkSettingsDialog&) = delete;
    GtkSettingsDialog& operator=(const GtkSettingsDialog&) = delete;

    // Load, paint, show; then the window's events until it has closed.
    void run()
    {
        // A request to end (the session closing, a kill) closes the dialog as its close box does.
        const int quitSignals = x11::watchQuitSignals(x11::LaterSignals::Watched);
        const guint endRequests = quitSignals < 0 ? 0 : g_unix_fd_add(quitSignals, G_IO_IN, onEndRequest, this);
        form_.Form_Load();
        form_.Form_Resize();
        gtk_widget_show_all(window_);
        // GTK gives the first focusable control the focus; the dialog starts with none, as on Windows.
        gtk_window_set_focus(GTK_WINDOW(window_), nullptr);
        while (!closed_)
            gtk_main_iteration();
        if (endRequests != 0)
            g_source_remove(endRequests);
    }

    // DialogView.
    void ScreenSize(std::int32_t& width, std::int32_t& height) override
    {
        GdkDisplay* display = gdk_display_get_default();
        GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
        if (monitor == nullptr)
            monitor = gdk_display_get_monitor(display, 0);
        if (monitor == nullptr)
            return;
        GdkRectangle area;
        gdk_monitor_get_geometry(monitor, &area);
        width = area.width, height = area.height;
    }
    void WindowSize(std::int32_t& width, std::int32_t& height) override
    {
        // Before the window is first shown the desktop has given it no frame yet: the client size.
        width = kClientWidth, height = kClientHeight;
        GdkWindow* gdkWindow = gtk_widget_get_window(window_);
        if (gdkWindow != nullptr && gtk_widget_get_mapped(window_)) {
            GdkRectangle frame;
            gdk_window_get_frame_extents(gdkWindow, &frame);
            width = frame.width, height = frame.height;
        }
    }
    void MoveWindow(std::int32_t left, std::int32_t top) override
    {
        left_ = left, top_ = top;
        gtk_window_move(GTK_WINDOW(window_), left, top);
    }
    void InitButtons() override { buttons_->initialize(); }
    void SetFileButtonEnabled(bool enabled) override { buttons_->setFileEnabled(enabled); }
    void SetComboEnabled(bool enabled) override { gtk_widget_set_sensitive(combo_, enabled); }
    void SetComboText(const std::string& text) override
    {
        gtk_entry_set_text(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo_))), text.c_str());
    }
    std::string ComboText() override { return gtk_entry_get_text(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo_)))); }
    void SetComboList(const std::vector<std::string>& entries) override
    {
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(combo_));
        for (const std::string& entry : entries)
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo_), entry.c_str());
    }
    void SetOptionPicture(int element, bool selected) override
    {
        GdkPixbuf* picture = selected ? selectedPicture_ : unselectedPicture_;
        if (element >= 0 && element < kOptionCount && picture != nullptr)
            gtk_image_set_from_pixbuf(GTK_IMAGE(marks_[element]), picture);
    }
    void SetFileLabel(const std::string& path) override
    {
        // A path is file-system bytes; the label shows it as text.
        gchar* text = g_filename_display_name(path.c_str());
        gtk_label_set_text(GTK_LABEL(fileLabel_), text);
        g_free(text);
    }
    void ClientSize(Surface surface, std::int32_t& width, std::int32_t& height) override
    {
        const Backing& image = surface == Surface::Dialog ? dialogImage_ : panelImage_;
        width = image.width, height = image.height;
    }
    void DrawLine(Surface surface, std::int32_t y, std::int32_t width, std::uint32_t colour) override
    {
        (surface == Surface::Dialog ? dialogImage_ : panelImage_).line(y, width, colour);
        gtk_widget_queue_draw(surface == Surface::Dialog ? root_ : panel_);
    }
    void SetBusyPointer(bool busy) override
    {
        GdkWindow* gdkWindow = gtk_widget_get_window(window_);
        if (gdkWindow == nullptr)
            return;
        GdkCursor* cursor = busy ? gdk_cursor_new_from_name(gdk_display_get_default(), "wait") : nullptr;
        gdk_window_set_cursor(gdkWindow, cursor);
        if (cursor != nullptr)
            g_object_unref(cursor);
        gdk_display_flush(gdk_display_get_default());
    }
    void ShowStoreFailure(const StoreFailure& failure) override
    {
        gchar* path = g_filename_display_name(failure.path.c_str());
        GtkWidget* box = gtk_message_dialog_new(
            GTK_WINDOW(window_), static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
            GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, "%s", failure.heading.c_str());
        gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(box), "%s\n%s", path, failure.reason.c_str());
        g_free(path);
        gtk_window_set_title(GTK_WINDOW(box), failure.caption.c_str());
        // The dialog's own font; selectable, so that the path can be copied.
        GtkWidget* area = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(box));
        gtk_container_forall(GTK_CONTAINER(area), styleMessageLabel, nullptr);
        modal_ = box;
        gtk_dialog_run(GTK_DIALOG(box));
        modal_ = nullptr;
        gtk_widget_destroy(box);
    }
    void Close() override
    {
        if (closed_)
            return;
        // An end request can come while the file chooser or a message runs: it goes first, as a cancel.
        if (modal_ != nullptr)
            gtk_dialog_response(GTK_DIALOG(modal_), GTK_RESPONSE_CANCEL);
        form_.Form_Unload();
        closed_ = true;
        gtk_widget_hide(window_);
    }

    // DialogShell.
    bool GetCursorPos(std::int32_t& x, std::int32_t& y) override
    {
        GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
        GdkDevice* pointer = seat != nullptr ? gdk_seat_get_pointer(seat) : nullptr;
        if (pointer == nullptr)
            return false;
        gint px = 0, py = 0;
        gdk_device_get_position(pointer, nullptr, &px, &py);
        x = px, y = py;
        return true;
    }
    bool GetWindowRect(Rect& rect) override
    {
        GdkWindow* gdkWindow = gtk_widget_get_window(window_);
        if (gdkWindow != nullptr && gtk_widget_get_mapped(window_)) {
            GdkRectangle frame;
            gdk_window_get_frame_extents(gdkWindow, &frame);
            rect = {frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
            return true;
        }
        // Loaded but not shown yet: where the dialog is about to appear.
        rect = {left_, top_, left_ + kClientWidth, top_ + kClientHeight};
        return true;
    }
    void DrawAnimatedRects(const Rect& from, const Rect& to) override
    {
        GdkDisplay* display = gdk_display_get_default();
        if (GDK_IS_X11_DISPLAY(display))
            animateCaptionZoom(gdk_x11_display_get_xdisplay(display), from, to);
    }
    std::optional<std::string> GetOpenFileNameA(const OpenFileRequest& request) override
    {
        GtkWidget* chooser =
            gtk_file_chooser_dialog_new(request.title.c_str(), GTK_WINDOW(window_), GTK_FILE_CHOOSER_ACTION_OPEN,
                                        "_Cancel", GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, request.filterDescription.c_str());
        // HACK: GTK's patterns are case-sensitive, the record's are not.
        gtk_file_filter_add_pattern(filter, "*.[Mm][Pp]3");
        gtk_file_filter_add_pattern(filter, "*.[Ww][Aa][Vv]");
        gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
        if (!request.initialFolder.empty())
            gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), request.initialFolder.c_str());
        std::optional<std::string> chosen;
        modal_ = chooser;
        const gint response = gtk_dialog_run(GTK_DIALOG(chooser));
        modal_ = nullptr;
        if (response == GTK_RESPONSE_ACCEPT && !closed_) {
            if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser))) {
                chosen = name;
                g_free(name);
            }
        }
        gtk_widget_destroy(chooser);
        return chosen;
    }
    void ShellExecuteA(const std::string& address) override
    {
        g_app_info_launch_default_for_uri(address.c_str(), nullptr, nullptr);
    }

private:
    static void put(GtkWidget* fixed, GtkWidget* widget, const Box& at)
    {
        gtk_fixed_put(GTK_FIXED(fixed), widget, at.x, at.y);
    }

    static GtkWidget* addLabel(GtkWidget* fixed, const Box& at, const char* text, bool link)
    {
        GtkWidget* label = gtk_label_new(text);
        PangoAttrList* attributes = labelAttributes(link);
        gtk_label_set_attributes(GTK_LABEL(label), attributes);
        pango_attr_list_unref(attributes);
        gtk_widget_set_halign(label, GTK_ALIGN_START);
        gtk_widget_set_valign(label, GTK_ALIGN_START);
        gtk_label_set_xalign(GTK_LABEL(label), 0);
        gtk_label_set_yalign(GTK_LABEL(label), 0);
        put(fixed, label, at);
        return label;
    }

    // The designed 41 x 20 box as Windows draws it: a 17-pixel arrow, and the rest a text field that shows
    // two digits and takes every click left of the arrow. The theme's paddings and its 16-pixel arrow
    // icon would leave the field 13 pixels.
    void compactCombo()
    {
        static_assert(kComboArrowWidth == 17, "the arrow's CSS below: 1 + 1 + 13 + 1 + 1 pixels");
        GtkCssProvider* css = gtk_css_provider_new();
        const std::string entryRule =
            "entry { font: " + cssFont(kLabelFont) + "; background: white; padding: 0 2px; min-width: 0; }";
        const std::string rules = "* { min-height: 0; padding: 0; margin: 0; }" + entryRule +
                                  "button { min-width: 0; padding: 0; }"
                                  "arrow { min-width: 13px; min-height: 13px; padding: 0 1px; }";
        gtk_css_provider_load_from_data(css, rules.c_str(), -1, nullptr);
        GtkWidget* entry = gtk_bin_get_child(GTK_BIN(combo_));
        gtk_entry_set_width_chars(GTK_ENTRY(entry), 0);
        gtk_entry_set_max_width_chars(GTK_ENTRY(entry), 1);
        for (GtkWidget* w : {combo_, entry})
            gtk_style_context_add_provider(gtk_widget_get_style_context(w), GTK_STYLE_PROVIDER(css),
                                           GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        gtk_container_forall(GTK_CONTAINER(combo_), applyCss, css);
        g_object_unref(css);
        gtk_widget_set_size_request(combo_, kCombo.width, kCombo.height);
    }
    static void styleMessageLabel(GtkWidget* widget, gpointer)
    {
        if (!GTK_IS_LABEL(widget))
            return;
        PangoAttrList* attributes = labelAttributes(false);
        gtk_label_set_attributes(GTK_LABEL(widget), attributes);
        pango_attr_list_unref(attributes);
        gtk_label_set_selectable(GTK_LABEL(widget), TRUE);
    }
    static void applyCss(GtkWidget* widget, gpointer css)
    {
        gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(css),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        if (GTK_IS_CONTAINER(widget))
            gtk_container_forall(GTK_CONTAINER(widget), applyCss, css);
    }

    static gboolean onDrawDialog(GtkWidget*, cairo_t* cr, gpointer self)
    {
        auto* dialog = static_cast<GtkSettingsDialog*>(self);
        cairo_set_source_surface(cr, dialog->dialogImage_.surface, 0, 0);
        cairo_paint(cr);
        return FALSE;  // the controls draw over it
    }
    static gboolean onDrawPanel(GtkWidget*, cairo_t* cr, gpointer self)
    {
        auto* dialog = static_cast<GtkSettingsDialog*>(self);
        cairo_set_source_surface(cr, dialog->panelImage_.surface, 0, 0);
        cairo_paint(cr);
        // The heading's black frame.
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, kHeadingFrame.x + 0.5, kHeadingFrame.y + 0.5, kHeadingFrame.width - 1,
                        kHeadingFrame.height - 1);
        cairo_stroke(cr);
        return FALSE;
    }
    // A point of the dialog's client area from an event's screen position: the event may come from a child
    // window or, while a press holds the mouse, from anywhere.
    void clientPoint(gdouble xRoot, gdouble yRoot, std::int32_t& x, std::int32_t& y)
    {
        gint left = 0, top = 0;
        if (GdkWindow* gdkWindow = gtk_widget_get_window(window_))
            gdk_window_get_origin(gdkWindow, &left, &top);
        x = static_cast<std::int32_t>(std::floor(xRoot)) - left;
        y = static_cast<std::int32_t>(std::floor(yRoot)) - top;
    }
    static gboolean onPress(GtkWidget*, GdkEventButton* event, gpointer self)
    {
        auto* dialog = static_cast<GtkSettingsDialog*>(self);
        // A double click arrives as two presses and a GDK_2BUTTON_PRESS besides: only presses count.
        if (event->type != GDK_BUTTON_PRESS)
            return TRUE;
        std::int32_t x = 0, y = 0;
        dialog->clientPoint(event->x_root, event->y_root, x, y);
        dialog->form_.Form_MouseDown(buttonOf(event->button), x, y);
        return TRUE;
    }
    static gboolean onRelease(GtkWidget*, GdkEventButton* event, gpointer self)
    {
        auto* dialog = static_cast<GtkSettingsDialog*>(self);
        std::int32_t x = 0, y = 0;
        dialog->clientPoint(event->x_root, event->y_root, x, y);
        dialog->form_.Form_MouseUp(buttonOf(event->button), x, y);
        return TRUE;
    }
    // The hand over the link.
    static gboolean onPointer(GtkWidget*, GdkEvent* event, gpointer self)
    {
        auto* dialog = static_cast<GtkSettingsDialog*>(self);
        bool overLink = false;
        if (event->type == GDK_MOTION_NOTIFY) {
            std::int32_t x = 0, y = 0;
            dialog->clientPoint(event->motion.x_root, event->motion.y_root, x, y);
            overLink = Zorun_P::OverLink(x, y);
        }
        if (overLink != dialog->overLink_) {
            dialog->overLink_ = overLink;
            if (GdkWindow* gdkWindow = gtk_widget_get_window(dialog->window_))
                gdk_window_set_cursor(gdkWindow, overLink ? dialog->hand_ : nullptr);
        }
        return FALSE;
    }
    // Tab, Shift+Tab, Escape and the arrows: the focused control first (the entry keeps its arrows, an
    // input method its Escape), then the dialog's own rule instead of GTK's focus moves.
    static gboolean onKey(GtkWidget* window, GdkEventKey* event, gpointer self)
    {
        auto* dialog = static_cast<GtkSettingsDialog*>(self);
        const guint key = event->keyval;
        const bool tab = key == GDK_KEY_Tab || key == GDK_KEY_KP_Tab || key == GDK_KEY_ISO_Left_Tab;
        const bool arrow = key == GDK_KEY_Left || key == GDK_KEY_Right || key == GDK_KEY_Up || key == GDK_KEY_Down ||
                           key == GDK_KEY_KP_Left || key == GDK_KEY_KP_Right || key == GDK_KEY_KP_Up ||
                           key == GDK_KEY_KP_Down;
        if (!tab && !arrow && key != GDK_KEY_Escape)
            return FALSE;
        if (gtk_window_propagate_key_event(GTK_WINDOW(window), event))
            return TRUE;
        if (tab)
            dialog->moveFocus(key == GDK_KEY_ISO_Left_Tab || (event->state & GDK_SHIFT_MASK) != 0);
        else if (key == GDK_KEY_Escape)
            dialog->form_.Form_KeyEscape();
        return TRUE;
    }
    // The controls in the order the dialog creates them, as Windows orders a dialog's tab stops.
    void moveFocus(bool backwards)
    {
        const std::array<GtkWidget*, 4> controls{gtk_bin_get_child(GTK_BIN(combo_)), commandWidget(DialogCommand::Set),
                                                 commandWidget(DialogCommand::Cancel),
                                                 commandWidget(DialogCommand::File)};
        std::array<bool, controls.size()> takesFocus{};
        int current = -1;
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window_));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            takesFocus[i] = gtk_widget_is_sensitive(controls[i]) && gtk_widget_get_can_focus(controls[i]) &&
                            gtk_widget_is_visible(controls[i]);
            if (controls[i] == focus)
                current = static_cast<int>(i);
        }
        if (const int next = nextTabStop(takesFocus, current, backwards); next >= 0)
            gtk_widget_grab_focus(controls[static_cast<std::size_t>(next)]);
    }
    GtkWidget* commandWidget(DialogCommand command)
    {
        return reinterpret_cast<GtkWidget*>(buttons_->nativeWindow(command));
    }
    static gboolean onEndRequest(gint, GIOCondition, gpointer self)
    {
        if (x11::takeQuitSignal())
            static_cast<GtkSettingsDialog*>(self)->Close();
        return G_SOURCE_CONTINUE;
    }
    static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer self)
    {
        static_cast<GtkSettingsDialog*>(self)->Close();
        return TRUE;  // hidden by Close; destroyed with the dialog
    }

    IniSettingsWriter writer_;
    Zorun_P form_;
    GtkWidget* window_ = nullptr;
    GtkWidget* root_ = nullptr;
    GtkWidget* panel_ = nullptr;
    GtkWidget* combo_ = nullptr;
    GtkWidget* modal_ = nullptr;  // the file chooser or a message box while it runs
    GtkWidget* fileLabel_ = nullptr;
    std::array<GtkWidget*, kOptionCount> marks_{};
    Backing dialogImage_, panelImage_;
    GdkPixbuf* selectedPicture_ = nullptr;
    GdkPixbuf* unselectedPicture_ = nullptr;
    GdkCursor* hand_ = nullptr;
    std::unique_ptr<DialogButtons> buttons_;
    std::int32_t left_ = 0, top_ = 0;
    bool closed_ = false;
    bool overLink_ = false;
};

}  // namespace

void runSettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile)
{
    if (!gtk_init_check(nullptr, nullptr))
        return;
    GtkSettingsDialog dialog(pictures, settings, settingsFile);
    dialog.run();
}

}  // namespace zorun::host
