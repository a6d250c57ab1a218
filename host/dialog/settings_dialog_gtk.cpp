// The settings dialog on GTK 3: its controls and events around the dialog's logic.
#include "host/dialog/settings_dialog_gtk.h"

#include "common/x11/quit_signals_posix.h"
#include "host/button/command_window_gtk.h"
#include "host/dialog/caption_zoom_gtk.h"
#include "host/dialog/dialog_backing_gtk.h"
#include "host/dialog/dialog_buttons.h"
#include "host/dialog/dialog_layout.h"
#include "host/dialog/dialog_modals_gtk.h"
#include "host/dialog/dialog_widgets_gtk.h"
#include "host/dialog/ini_settings_writer.h"
#include "host/dialog/settings_dialog.h"
#include "host/dialog/home_page.h"
#include "host/dialog/tab_order.h"
#include "host/drawing/drawing_kit_gtk.h"
#include "host/pictures/stored_pictures_data.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace zorun::host {

namespace {

using namespace dialog;

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

class GtkSettingsDialog final : public DialogView, public DialogShell {
public:
    GtkSettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile)
        : writer_(settingsFile),
          form_(*this, *this, writer_, settings, homePageAddress()),
          widgets_(buildDialogWidgets(homePageAddress()))
    {
        g_signal_connect(widgets_.window, "delete-event", G_CALLBACK(onDelete), this);
        g_signal_connect(widgets_.window, "key-press-event", G_CALLBACK(onKey), this);
        // Presses on the labels, the option marks and the background reach the window, as on Windows: the
        // dialog's logic finds what lies under them.
        g_signal_connect(widgets_.window, "button-press-event", G_CALLBACK(onPress), this);
        g_signal_connect(widgets_.window, "button-release-event", G_CALLBACK(onRelease), this);
        g_signal_connect(widgets_.window, "motion-notify-event", G_CALLBACK(onPointer), this);
        g_signal_connect(widgets_.window, "leave-notify-event", G_CALLBACK(onPointer), this);
        gtk_widget_add_events(widgets_.window, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                                   GDK_POINTER_MOTION_MASK | GDK_LEAVE_NOTIFY_MASK);
        dialogImage_.create(kClientWidth, kClientHeight, kBackground);
        g_signal_connect(widgets_.root, "draw", G_CALLBACK(onDrawDialog), this);
        panelImage_.create(kPanel.width, kPanel.height, kPanelBackground);
        g_signal_connect(widgets_.panel, "draw", G_CALLBACK(onDrawPanel), this);

        selectedPicture_ = pixbufFromPicture(pictures.LoadStoredPicture(StoredPicture::OptionSelected));
        unselectedPicture_ = pixbufFromPicture(pictures.LoadStoredPicture(StoredPicture::Option));
        if (GdkPixbuf* hand = pixbufFromBytes(kHandCur, kHandCurSize)) {
            hand_ = gdk_cursor_new_from_pixbuf(gdk_display_get_default(), hand, kHandHotSpotX, kHandHotSpotY);
            g_object_unref(hand);
        }

        buttons_ = std::make_unique<DialogButtons>(reinterpret_cast<std::intptr_t>(widgets_.root),
                                                   reinterpret_cast<std::intptr_t>(widgets_.panel), 0, 0,
                                                   loadFramePictures(pictures), createGtkCommandWindow, form_);
        gtk_widget_realize(widgets_.window);
    }

    ~GtkSettingsDialog() override
    {
        buttons_.reset();
        if (widgets_.window != nullptr)
            gtk_widget_destroy(widgets_.window);
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
        gtk_widget_show_all(widgets_.window);
        // GTK gives the first focusable control the focus; the dialog starts with none, as on Windows.
        gtk_window_set_focus(GTK_WINDOW(widgets_.window), nullptr);
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
        GdkWindow* gdkWindow = gtk_widget_get_window(widgets_.window);
        if (gdkWindow != nullptr && gtk_widget_get_mapped(widgets_.window)) {
            GdkRectangle frame;
            gdk_window_get_frame_extents(gdkWindow, &frame);
            width = frame.width, height = frame.height;
        }
    }
    void MoveWindow(std::int32_t left, std::int32_t top) override
    {
        left_ = left, top_ = top;
        gtk_window_move(GTK_WINDOW(widgets_.window), left, top);
    }
    void InitButtons() override { buttons_->initialize(); }
    void SetFileButtonEnabled(bool enabled) override { buttons_->setFileEnabled(enabled); }
    void SetComboEnabled(bool enabled) override { gtk_widget_set_sensitive(widgets_.combo, enabled); }
    void SetComboText(const std::string& text) override
    {
        gtk_entry_set_text(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(widgets_.combo))), text.c_str());
    }
    std::string ComboText() override
    {
        return gtk_entry_get_text(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(widgets_.combo))));
    }
    void SetComboList(const std::vector<std::string>& entries) override
    {
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(widgets_.combo));
        for (const std::string& entry : entries)
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(widgets_.combo), entry.c_str());
    }
    void SetOptionPicture(int element, bool selected) override
    {
        GdkPixbuf* picture = selected ? selectedPicture_ : unselectedPicture_;
        if (element >= 0 && element < kOptionCount && picture != nullptr)
            gtk_image_set_from_pixbuf(GTK_IMAGE(widgets_.marks[static_cast<std::size_t>(element)]), picture);
    }
    void SetFileLabel(const std::string& path) override
    {
        // A path is file-system bytes; the label shows it as text.
        gchar* text = g_filename_display_name(path.c_str());
        gtk_label_set_text(GTK_LABEL(widgets_.fileLabel), text);
        g_free(text);
    }
    void ClientSize(Surface surface, std::int32_t& width, std::int32_t& height) override
    {
        const DialogBacking& image = surface == Surface::Dialog ? dialogImage_ : panelImage_;
        width = image.width(), height = image.height();
    }
    void DrawLine(Surface surface, std::int32_t y, std::int32_t width, std::uint32_t colour) override
    {
        (surface == Surface::Dialog ? dialogImage_ : panelImage_).line(y, width, colour);
        gtk_widget_queue_draw(surface == Surface::Dialog ? widgets_.root : widgets_.panel);
    }
    void SetBusyPointer(bool busy) override
    {
        GdkWindow* gdkWindow = gtk_widget_get_window(widgets_.window);
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
        runStoreFailureBox(GTK_WINDOW(widgets_.window), failure, modal_);
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
        gtk_widget_hide(widgets_.window);
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
        GdkWindow* gdkWindow = gtk_widget_get_window(widgets_.window);
        if (gdkWindow != nullptr && gtk_widget_get_mapped(widgets_.window)) {
            GdkRectangle frame;
            gdk_window_get_frame_extents(gdkWindow, &frame);
            rect = {frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
            return true;
        }
        // Loaded but not shown yet: where the dialog is about to appear.
        rect = {left_, top_, left_ + kClientWidth, top_ + kClientHeight};
        return true;
    }
    void DrawAnimatedRects(const Rect& from, const Rect& to) override { drawCaptionZoom(from, to); }
    std::optional<std::string> GetOpenFileNameA(const OpenFileRequest& request) override
    {
        std::optional<std::string> chosen = runFileChooser(GTK_WINDOW(widgets_.window), request, modal_);
        return closed_ ? std::nullopt : chosen;
    }
    void ShellExecuteA(const std::string& address) override
    {
        g_app_info_launch_default_for_uri(address.c_str(), nullptr, nullptr);
    }

private:
    static gboolean onDrawDialog(GtkWidget*, cairo_t* cr, gpointer self)
    {
        static_cast<GtkSettingsDialog*>(self)->dialogImage_.paintDialog(cr);
        return FALSE;  // the controls draw over it
    }
    static gboolean onDrawPanel(GtkWidget*, cairo_t* cr, gpointer self)
    {
        static_cast<GtkSettingsDialog*>(self)->panelImage_.paintPanel(cr);
        return FALSE;
    }
    // A point of the dialog's client area from an event's screen position: the event may come from a child
    // window or, while a press holds the mouse, from anywhere.
    void clientPoint(gdouble xRoot, gdouble yRoot, std::int32_t& x, std::int32_t& y)
    {
        gint left = 0, top = 0;
        if (GdkWindow* gdkWindow = gtk_widget_get_window(widgets_.window))
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
            if (GdkWindow* gdkWindow = gtk_widget_get_window(dialog->widgets_.window))
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
        const std::array<GtkWidget*, 4> controls{
            gtk_bin_get_child(GTK_BIN(widgets_.combo)), commandWidget(DialogCommand::Set),
            commandWidget(DialogCommand::Cancel), commandWidget(DialogCommand::File)};
        std::array<bool, controls.size()> takesFocus{};
        int current = -1;
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(widgets_.window));
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
    DialogWidgets widgets_;
    GtkWidget* modal_ = nullptr;  // the file chooser or a message box while it runs
    DialogBacking dialogImage_, panelImage_;
    GdkPixbuf* selectedPicture_ = nullptr;
    GdkPixbuf* unselectedPicture_ = nullptr;
    GdkCursor* hand_ = nullptr;
    std::unique_ptr<DialogButtons> buttons_;
    std::int32_t left_ = 0, top_ = 0;
    bool closed_ = false;
    bool overLink_ = false;
};

}  // namespace

void runGtkSettingsDialog(StoredPictures& pictures, SharedSettings& settings, const std::string& settingsFile)
{
    if (!gtk_init_check(nullptr, nullptr))
        return;
    GtkSettingsDialog dialog(pictures, settings, settingsFile);
    dialog.run();
}

}  // namespace zorun::host
