// The Command button on GTK 3: an event box with its own window holding the face image and the caption.
#include "host/button/command_window_gtk.h"

#include "host/button/caption_label_gtk.h"
#include "host/button/face_canvas_gtk.h"

#include <gtk/gtk.h>

namespace zorun::host {

namespace {

int buttonCode(guint gtkButton)
{
    switch (gtkButton) {
    case 1:
        return kLeftButton;
    case 2:
        return kMiddleButton;
    case 3:
        return kRightButton;
    default:
        return 0;
    }
}

int buttonsHeld(guint state)
{
    return ((state & GDK_BUTTON1_MASK) != 0 ? kLeftButton : 0) | ((state & GDK_BUTTON3_MASK) != 0 ? kRightButton : 0) |
           ((state & GDK_BUTTON2_MASK) != 0 ? kMiddleButton : 0);
}

GdkDevice* pointerDevice(GtkWidget* widget)
{
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(widget));
    return seat != nullptr ? gdk_seat_get_pointer(seat) : nullptr;
}

class GtkHoverProbe final : public HoverProbe {
public:
    explicit GtkHoverProbe(GtkWidget* box) : box_(box) {}
    ~GtkHoverProbe() override { stop(); }
    GtkHoverProbe(const GtkHoverProbe&) = delete;
    GtkHoverProbe& operator=(const GtkHoverProbe&) = delete;

    void setTick(Command* control) { control_ = control; }

    bool GetCursorPos(std::int32_t& x, std::int32_t& y) override
    {
        GdkDevice* pointer = pointerDevice(box_);
        if (pointer == nullptr)
            return false;
        gint px = 0;
        gint py = 0;
        gdk_device_get_position(pointer, nullptr, &px, &py);
        x = px;
        y = py;
        return true;
    }
    // GDK answers for the pointer's present position, which is the point just read.
    ToolkitWindow WindowFromPoint(std::int32_t /*x*/, std::int32_t /*y*/) override
    {
        GdkDevice* pointer = pointerDevice(box_);
        return pointer != nullptr
                   ? reinterpret_cast<ToolkitWindow>(gdk_device_get_window_at_position(pointer, nullptr, nullptr))
                   : 0;
    }
    ToolkitWindow OwnWindow() override { return reinterpret_cast<ToolkitWindow>(gtk_widget_get_window(box_)); }
    ToolkitWindow ContainerWindow() override
    {
        GtkWidget* parent = gtk_widget_get_parent(box_);
        return parent != nullptr ? reinterpret_cast<ToolkitWindow>(gtk_widget_get_window(parent)) : 0;
    }
    void SetHoverTimer(bool on, std::uint32_t intervalMs) override
    {
        stop();
        if (on)
            timer_ = g_timeout_add(intervalMs, &GtkHoverProbe::tick, this);
    }

private:
    void stop()
    {
        if (timer_ != 0)
            g_source_remove(timer_);
        timer_ = 0;
    }
    static gboolean tick(gpointer self)
    {
        auto* probe = static_cast<GtkHoverProbe*>(self);
        if (probe->control_ != nullptr)
            probe->control_->OnHoverTick();
        return G_SOURCE_CONTINUE;
    }

    GtkWidget* box_;
    Command* control_ = nullptr;
    guint timer_ = 0;
};

class GtkCommandWindow final : public CommandWindow {
public:
    GtkCommandWindow(GtkWidget* container, const FramePictures& pictures, CommandEvents& events)
        : container_(container),
          box_(makeBox()),
          fixed_(gtk_fixed_new()),
          label_(gtk_label_new("")),
          canvas_(box_, pictures),
          caption_(fixed_, label_),
          probe_(box_),
          control_(canvas_, caption_, probe_, events)
    {
        probe_.setTick(&control_);
        gtk_container_add(GTK_CONTAINER(box_), fixed_);
        gtk_fixed_put(GTK_FIXED(fixed_), label_, 0, 0);
        g_signal_connect(box_, "draw", G_CALLBACK(&GtkCommandWindow::onDraw), this);
        g_signal_connect(box_, "button-press-event", G_CALLBACK(&GtkCommandWindow::onPress), this);
        g_signal_connect(box_, "button-release-event", G_CALLBACK(&GtkCommandWindow::onRelease), this);
        g_signal_connect(box_, "motion-notify-event", G_CALLBACK(&GtkCommandWindow::onMotion), this);
        // HACK: GDK turns the first motion into a child window into the crossing alone; Windows sends a
        // WM_MOUSEMOVE there, so entering counts as a move.
        g_signal_connect(box_, "enter-notify-event", G_CALLBACK(&GtkCommandWindow::onEnter), this);
        // The button's own focus within its window, as a form's controls have it: switching to another
        // program does not take it away.
        g_signal_connect(box_, "notify::is-focus", G_CALLBACK(&GtkCommandWindow::onFocus), this);
        g_signal_connect(box_, "key-press-event", G_CALLBACK(&GtkCommandWindow::onKey), this);
        g_signal_connect(box_, "key-release-event", G_CALLBACK(&GtkCommandWindow::onKey), this);
        gtk_fixed_put(GTK_FIXED(container_), box_, 0, 0);
    }

    ~GtkCommandWindow() override
    {
        probe_.SetHoverTimer(false, 0);
        g_signal_handlers_disconnect_by_data(box_, this);
        gtk_widget_destroy(box_);
        g_object_unref(box_);
    }

    GtkCommandWindow(const GtkCommandWindow&) = delete;
    GtkCommandWindow& operator=(const GtkCommandWindow&) = delete;

    Command& Control() override { return control_; }

    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override
    {
        gtk_fixed_move(GTK_FIXED(container_), box_, left, top);
        gtk_widget_set_size_request(box_, std::max(width, 0), std::max(height, 0));
        gtk_widget_show_all(box_);
        canvas_.resize(std::max(width, 0), std::max(height, 0));
        control_.OnResize();
    }

    PixelRect ScreenRect() override
    {
        GdkWindow* window = gtk_widget_get_window(box_);
        std::int32_t width = 0;
        std::int32_t height = 0;
        canvas_.ClientSize(width, height);
        gint x = 0;
        gint y = 0;
        if (window != nullptr)
            gdk_window_get_origin(window, &x, &y);
        return {x, y, width, height};
    }

    std::intptr_t NativeWindow() override { return reinterpret_cast<std::intptr_t>(box_); }

private:
    static GtkWidget* makeBox()
    {
        GtkWidget* box = gtk_event_box_new();
        g_object_ref_sink(box);
        gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), TRUE);
        gtk_widget_set_app_paintable(box, TRUE);
        gtk_widget_add_events(box, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                       GDK_ENTER_NOTIFY_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK);
        return box;
    }

    static gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer self)
    {
        static_cast<GtkCommandWindow*>(self)->canvas_.paint(cr);
        return FALSE;  // the caption label draws over the face
    }
    static gboolean onPress(GtkWidget* box, GdkEventButton* event, gpointer self)
    {
        // A double click arrives as two presses and a GDK_2BUTTON_PRESS besides: only presses count.
        if (event->type != GDK_BUTTON_PRESS)
            return TRUE;
        auto* window = static_cast<GtkCommandWindow*>(self);
        if (event->button == 1)
            gtk_widget_grab_focus(box);
        window->control_.OnMouseDown(buttonCode(event->button));
        return TRUE;
    }
    static gboolean onRelease(GtkWidget*, GdkEventButton* event, gpointer self)
    {
        static_cast<GtkCommandWindow*>(self)->control_.OnMouseUp(buttonCode(event->button));
        return TRUE;
    }
    static gboolean onMotion(GtkWidget* box, GdkEventMotion* event, gpointer self)
    {
        // While a press holds the mouse its moves come here from anywhere; only a move over the button is
        // one of the button's, or a press dragged off would hover it again.
        if (event->x < 0 || event->y < 0 || event->x >= gtk_widget_get_allocated_width(box) ||
            event->y >= gtk_widget_get_allocated_height(box))
            return TRUE;
        static_cast<GtkCommandWindow*>(self)->control_.OnMouseMove(buttonsHeld(event->state));
        return TRUE;
    }
    static gboolean onEnter(GtkWidget*, GdkEventCrossing* event, gpointer self)
    {
        static_cast<GtkCommandWindow*>(self)->control_.OnMouseMove(buttonsHeld(event->state));
        return FALSE;
    }
    // Space, as the virtual key the control knows; other keys are the dialog's.
    static gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer self)
    {
        if (event->keyval != GDK_KEY_space && event->keyval != GDK_KEY_KP_Space)
            return FALSE;
        Command& control = static_cast<GtkCommandWindow*>(self)->control_;
        if (event->type == GDK_KEY_PRESS)
            control.OnKeyDown(kSpaceKey);
        else
            control.OnKeyUp(kSpaceKey);
        return TRUE;
    }
    static void onFocus(GtkWidget* box, GParamSpec*, gpointer self)
    {
        auto* window = static_cast<GtkCommandWindow*>(self);
        if (gtk_widget_is_focus(box))
            window->control_.OnGotFocus();
        else
            window->control_.OnLostFocus();
    }

    GtkWidget* container_;
    GtkWidget* box_;
    GtkWidget* fixed_;
    GtkWidget* label_;
    GtkFaceCanvas canvas_;
    GtkCaptionLabel caption_;
    GtkHoverProbe probe_;
    Command control_;
};

}  // namespace

std::unique_ptr<CommandWindow> createGtkCommandWindow(std::intptr_t container, const FramePictures& pictures,
                                                      CommandEvents& events)
{
    return std::make_unique<GtkCommandWindow>(reinterpret_cast<GtkWidget*>(container), pictures, events);
}

}  // namespace zorun::host
