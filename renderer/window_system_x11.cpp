// X11 behind the renderer's window-system port: the frame's windows, and X events as Win32 messages.
//
// Besides the usual events, a ClientMessage of type "ZORUN_TOGGLE_MODE" (format 32, data unused) sent to
// the window titled "Zorun_VC" arrives as message 1025 and restarts the renderer in the other mode.
// The GL context, the display mode, holding off blanking and embedding in a given window each have their
// own file beside this one; the connection, quit signals and the message queue are common/x11's.
#include "renderer/window_system_x11.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/cursorfont.h>
#include <poll.h>
#include <time.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "common/x11/connection_x11.h"
#include "common/x11/posted_messages.h"
#include "common/x11/quit_signals_posix.h"
#include "renderer/blanking_hold_x11.h"
#include "renderer/display_mode_x11.h"
#include "renderer/embedding_x11.h"
#include "renderer/glx_context_x11.h"
#include "renderer/key_map_x11.h"
#include "renderer/own_window_x11.h"
#include "renderer/window_x11.h"

namespace zorun::renderer {

namespace {

class X11WindowSystem final : public WindowSystem {
public:
    explicit X11WindowSystem(const EmbedRequest& embed) : embed_(embed) {}

    ~X11WindowSystem() override
    {
        // The display mode first, then blanking, then the cursors and the connection.
        displayMode_.reset();
        blankingHold_.reset();
        if (connection_.display == nullptr)
            return;
        if (blankCursor_ != 0)
            XFreeCursor(display(), blankCursor_);
        if (arrowCursor_ != 0)
            XFreeCursor(display(), arrowCursor_);
    }

    bool registerClass(const WindowClassRequest& request) override
    {
        if (connection_.display == nullptr && !openDisplay())
            return false;
        procedure_ = request.procedure;
        return procedure_ != nullptr;
    }

    void unregisterClass(const ClassInfo&) override { procedure_ = nullptr; }

    bool changeDisplayMode(const DisplayMode* mode) override
    {
        if (mode == nullptr) {
            if (displayMode_)
                displayMode_->restore();
            return true;
        }
        // Embedded there is no mode switch, and the frame then asks for no cursor change either.
        return displayMode_ && displayMode_->change(*mode);
    }

    bool adjustWindowRect(WindowRect&, std::uint32_t, std::uint32_t) override
    {
        // The window manager puts its frame outside the X window, so the client area is the window.
        return true;
    }

    bool clientRect(NativeWindow handle, WindowRect& rect) override
    {
        const auto* window = find(handle);
        if (window == nullptr)
            return false;
        rect = {0, 0, window->shape.width, window->shape.height};
        return true;
    }

    NativeWindow createWindow(const WindowCreation& creation) override
    {
        if (connection_.display == nullptr || procedure_ == nullptr)
            return nullptr;
        std::unique_ptr<X11Window> made = embedded() ? adoptWindow(display(), embed_) : makeOwnWindow(connection_, creation, cursor());
        if (made == nullptr)
            return nullptr;
        X11Window* window = windows_.emplace_back(std::move(made)).get();
        procedure_(*this, window, msg::create, 0, reinterpret_cast<std::intptr_t>(creation.parameter));
        return window;
    }

    void showWindow(NativeWindow handle, std::int32_t) override
    {
        auto* window = find(handle);
        if (window == nullptr || window->mapped)
            return;
        if (window->foreign) {
            window->mapped = true;  // its owner maps it
            return;
        }
        XMapRaised(display(), window->id);
        window->mapped = true;
        if (window->overrideRedirect) {
            // No window manager hands focus to an override-redirect window: take the keyboard, as a
            // full-screen saver must, and fall back to plain focus if another client holds a grab.
            XEvent event;
            XWindowEvent(display(), window->id, StructureNotifyMask, &event);  // its MapNotify
            window->keyboardGrabbed = grabKeyboard(*window);
            if (!window->keyboardGrabbed)
                XSetInputFocus(display(), window->id, RevertToParent, CurrentTime);
        }
        XSync(display(), False);
    }

    bool destroyWindow(NativeWindow handle) override
    {
        auto* window = find(handle);
        if (window == nullptr)
            return false;
        if (procedure_ != nullptr)
            procedure_(*this, window, msg::destroy, 0, 0);
        if (window->keyboardGrabbed)
            XUngrabKeyboard(display(), CurrentTime);
        if (window->foreign)
            releaseWindow(display(), *window);
        else
            destroyOwnWindow(display(), *window);
        XFree(window->visual);
        XSync(display(), False);
        posted_.forget(handle);
        windows_.erase(std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w.get() == window; }));
        return true;
    }

    void setUserData(NativeWindow handle, void* data) override
    {
        if (auto* window = find(handle))
            window->userData = data;
    }

    void* userData(NativeWindow handle) override
    {
        auto* window = find(handle);
        return window != nullptr ? window->userData : nullptr;
    }

    std::intptr_t defaultProcedure(NativeWindow handle, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t) override
    {
        // As on Windows: Alt+F4 becomes SC_CLOSE, and SC_CLOSE becomes WM_CLOSE.
        if (closesWindow(message, wParam))
            if (procedure_ != nullptr && find(handle) != nullptr)
                return procedure_(*this, handle, msg::close, 0, 0);
        return 0;
    }

    NativeDeviceContext getDeviceContext(NativeWindow handle) override { return find(handle); }

    void releaseDeviceContext(NativeWindow, NativeDeviceContext) override {}

    std::int32_t choosePixelFormat(NativeDeviceContext dc, const PixelFormatRequest&) override
    {
        auto* window = find(dc);
        return window != nullptr ? glx::pixelFormatOf(display(), window->visual) : 0;
    }

    bool setPixelFormat(NativeDeviceContext dc, std::int32_t format, const PixelFormatRequest&) override
    {
        auto* window = find(dc);
        if (window == nullptr || format != static_cast<std::int32_t>(window->visual->visualid) ||
            window->pixelFormat != 0)
            return false;
        window->pixelFormat = format;
        return true;
    }

    NativeGlContext createGlContext(NativeDeviceContext dc) override
    {
        auto* window = find(dc);
        if (window == nullptr || window->pixelFormat == 0)
            return nullptr;
        return glx::createContext(display(), window->visual);
    }

    bool makeCurrent(NativeDeviceContext dc, NativeGlContext context) override
    {
        if (context == nullptr)
            return glx::makeCurrent(display(), None, nullptr);
        auto* window = find(dc);
        return window != nullptr && glx::makeCurrent(display(), window->id, static_cast<GLXContext>(context));
    }

    void deleteGlContext(NativeGlContext context) override
    {
        glx::destroyContext(display(), static_cast<GLXContext>(context));
    }

    void swapBuffers(NativeDeviceContext dc) override
    {
        if (auto* window = find(dc))
            glx::swapBuffers(display(), window->id);
    }

    bool peekMessage(WindowMessage& message, NativeWindow window) override
    {
        if (blankingHold_)
            blankingHold_->keepAwake(tickCount());
        takeQuitSignal();
        if (takePosted(message, window))
            return true;
        while (XPending(display()) > 0) {
            XEvent event;
            XNextEvent(display(), &event);
            translate(event);
            if (takePosted(message, window))
                return true;
        }
        return false;
    }

    std::intptr_t dispatchMessage(const WindowMessage& message) override
    {
        if (procedure_ == nullptr || find(message.window) == nullptr)
            return 0;
        return procedure_(*this, message.window, message.message, message.wParam, message.lParam);
    }

    void waitMessage() override
    {
        // A signal that is not taken yet keeps its descriptor readable.
        if (!posted_.empty() || XPending(display()) > 0)
            return;
        pollfd fds[2] = {{ConnectionNumber(display()), POLLIN, 0}, {quitSignals_, POLLIN, 0}};
        poll(fds, 2, static_cast<int>(BlankingHold::kResetIntervalMs));
    }

    bool postMessage(NativeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        if (find(window) == nullptr)
            return false;
        posted_.post({window, message, wParam, lParam});
        return true;
    }

    std::int32_t showCursor(bool show) override
    {
        cursorCount_ += show ? 1 : -1;
        for (const auto& window : windows_)
            if (!window->foreign)
                XDefineCursor(display(), window->id, cursor());
        if (connection_.display != nullptr)
            XFlush(display());
        return cursorCount_;
    }

    std::uint32_t tickCount() override
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const auto ms = static_cast<unsigned long long>(now.tv_sec) * 1000ull +
                        static_cast<unsigned long long>(now.tv_nsec) / 1000000ull;
        return static_cast<std::uint32_t>(ms);
    }

private:
    Display* display() const { return connection_.display; }

    bool embedded() const { return embed_.kind != EmbedRequest::Kind::NotGiven; }

    bool openDisplay()
    {
        if (!connection_.open())
            return false;
        if (!glx::available(display())) {
            connection_.close();
            return false;
        }
        // Auto-repeat then sends key presses only, as Windows sends repeated WM_KEYDOWN without WM_KEYUP.
        XkbSetDetectableAutoRepeat(display(), True, nullptr);
        atoms_ = {connection_.atoms.wmProtocols, connection_.atoms.wmDeleteWindow, connection_.atoms.toggleMode};
        // In xscreensaver's window the display is xscreensaver's: it blanks and powers the display down
        // when it likes, and the mode stays.
        if (!embedded()) {
            blankingHold_.emplace(display());
            displayMode_.emplace(display());
        }
        makeCursors();
        // A second signal takes the default action, in case the renderer no longer answers.
        quitSignals_ = x11::watchQuitSignals(x11::LaterSignals::EndProcess);
        return true;
    }

    void makeCursors()
    {
        const char empty[1] = {0};
        Pixmap pixmap = XCreateBitmapFromData(display(), connection_.root, empty, 1, 1);
        XColor black{};
        blankCursor_ = XCreatePixmapCursor(display(), pixmap, pixmap, &black, &black, 0, 0);
        XFreePixmap(display(), pixmap);
        arrowCursor_ = XCreateFontCursor(display(), XC_left_ptr);
    }

    Cursor cursor() const { return cursorCount_ < 0 ? blankCursor_ : arrowCursor_; }

    bool grabKeyboard(const X11Window& window)
    {
        return XGrabKeyboard(display(), window.id, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    }

    // A quit signal becomes WM_CLOSE for the newest window; it waits for one if none exists yet.
    void takeQuitSignal()
    {
        if (!windows_.empty() && x11::takeQuitSignal())
            posted_.post({windows_.back().get(), msg::close, 0, 0});
    }

    bool takePosted(WindowMessage& message, NativeWindow window)
    {
        const auto taken = posted_.take(window);
        if (taken)
            message = *taken;
        return taken.has_value();
    }

    X11Window* find(void* handle) const
    {
        for (const auto& window : windows_)
            if (window.get() == handle)
                return window.get();
        return nullptr;
    }

    X11Window* findById(Window id) const
    {
        for (const auto& window : windows_)
            if (window->id == id)
                return window.get();
        return nullptr;
    }

    void translate(XEvent& event)
    {
        X11Window* window = findById(event.xany.window);
        if (window == nullptr)
            return;
        if (event.type == FocusIn) {
            // A window manager may let the grab go while the saver runs; take it back when focused.
            if (window->overrideRedirect && !window->keyboardGrabbed)
                window->keyboardGrabbed = grabKeyboard(*window);
            return;
        }
        const bool key = event.type == KeyPress || event.type == KeyRelease;
        const std::uint32_t virtualKey = key ? virtualKeyFromKeysym(XLookupKeysym(&event.xkey, 0)) : 0;
        if (const auto message = translateX11Event(event, virtualKey, atoms_, window->shape))
            if (!window->foreign || message->message != msg::toggleMode)
                posted_.post({window, message->message, message->wParam, message->lParam});
    }

    EmbedRequest embed_;
    x11::Connection connection_;  // declared before what uses it: closed after the rest let go
    WindowProcedure procedure_ = nullptr;
    std::vector<std::unique_ptr<X11Window>> windows_;
    x11::PostedMessages<WindowMessage> posted_;
    X11EventAtoms atoms_;
    Cursor blankCursor_ = 0;
    Cursor arrowCursor_ = 0;
    std::int32_t cursorCount_ = 0;
    std::optional<RandrDisplayMode> displayMode_;
    std::optional<BlankingHold> blankingHold_;
    int quitSignals_ = -1;
};

}  // namespace

std::unique_ptr<WindowSystem> createX11WindowSystem(const EmbedRequest& embed)
{
    return std::make_unique<X11WindowSystem>(embed);
}

}  // namespace zorun::renderer
