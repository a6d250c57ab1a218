// X11 and GLX behind the renderer's window-system port: RandR mode switch, X events as Win32 messages.
//
// Besides the usual events, a ClientMessage of type "ZORUN_TOGGLE_MODE" (format 32, data unused) sent to
// the window titled "Zorun_VC" arrives as message 1025 and restarts the renderer in the other mode.
//
// Embedded (a display mode of xscreensaver), the window system makes no window of its own: the frame's
// window is the given one, drawn with its visual, and everything a full-screen saver does to the display
// (mode switch, keyboard grab, cursor, holding off screen blanking, the toggle) is xscreensaver's business.
#include "renderer/window_system_x11.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include "renderer/event_translation_x11.h"
#include "renderer/key_map_x11.h"

namespace {

constexpr std::uint32_t screenSaverResetMs = 30000;

volatile sig_atomic_t quitSignalled = 0;
int signalPipe[2] = {-1, -1};

// Turns SIGINT, SIGTERM and SIGHUP into a close request, so the normal way out restores the display mode.
// A second signal takes the default action (SA_RESETHAND) in case the renderer no longer answers.
void onQuitSignal(int)
{
    quitSignalled = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

int ignoreXError(Display*, XErrorEvent*)
{
    // Failures are reported by results (a null context, a refused grab); an X error must not end the run.
    return 0;
}

struct X11Window {
    Window id = 0;
    Colormap colormap = 0;
    XVisualInfo* visual = nullptr;
    void* userData = nullptr;
    bool overrideRedirect = false;
    bool mapped = false;
    bool keyboardGrabbed = false;
    bool foreign = false;  // another client's window that the renderer draws into
    X11WindowShape shape;
    int pixelFormat = 0;
};

class X11WindowSystem final : public WindowSystem {
public:
    explicit X11WindowSystem(const zorun::EmbedRequest& embed) : embed_(embed) {}

    ~X11WindowSystem() override
    {
        if (display_ == nullptr)
            return;
        restoreMode();
        if (screenSaverSuspended_)
            XScreenSaverSuspend(display_, False);
        if (blankCursor_ != 0)
            XFreeCursor(display_, blankCursor_);
        if (arrowCursor_ != 0)
            XFreeCursor(display_, arrowCursor_);
        XCloseDisplay(display_);
    }

    bool registerClass(const WindowClassRequest& request) override
    {
        if (display_ == nullptr && !openDisplay())
            return false;
        procedure_ = request.procedure;
        return procedure_ != nullptr;
    }

    void unregisterClass(const ClassInfo&) override { procedure_ = nullptr; }

    bool changeDisplayMode(const DisplayMode* mode) override
    {
        if (mode == nullptr) {
            restoreMode();
            return true;
        }
        if (embedded())
            return false;  // the frame then asks for no cursor change either
        const int screen = DefaultScreen(display_);
        // 32 bits per pixel on Windows is a depth of 24 (plus padding) on X.
        if (DefaultDepth(display_, screen) < std::min(mode->colourBits, 24))
            return false;
        int eventBase = 0;
        int errorBase = 0;
        if (!XRRQueryExtension(display_, &eventBase, &errorBase))
            return false;
        const Window root = RootWindow(display_, screen);
        XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root);
        if (config == nullptr)
            return false;
        int sizeCount = 0;
        XRRScreenSize* sizes = XRRConfigSizes(config, &sizeCount);
        Rotation rotation = 0;
        const SizeID current = XRRConfigCurrentConfiguration(config, &rotation);
        int wanted = -1;
        for (int i = 0; i < sizeCount; ++i)
            if (sizes[i].width == mode->width && sizes[i].height == mode->height)
                wanted = i;
        bool accepted = false;
        if (wanted == current) {
            accepted = true;
        } else if (wanted >= 0) {
            accepted = XRRSetScreenConfig(display_, config, root, wanted, rotation, CurrentTime) == Success;
            if (accepted && !modeChanged_) {
                modeChanged_ = true;
                originalSize_ = current;
                originalRotation_ = rotation;
            }
        }
        XRRFreeScreenConfigInfo(config);
        XSync(display_, False);
        return accepted;
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
        if (embedded())
            return adoptWindow(creation);
        if (display_ == nullptr || procedure_ == nullptr || creation.width <= 0 || creation.height <= 0)
            return nullptr;
        const int screen = DefaultScreen(display_);
        XVisualInfo* visual = chooseVisual(screen);
        if (visual == nullptr)
            return nullptr;
        const Window root = RootWindow(display_, screen);

        auto* window = new X11Window;
        window->visual = visual;
        window->overrideRedirect = creation.style == windowStyle::popup;
        window->shape.width = creation.width;
        window->shape.height = creation.height;
        window->colormap = XCreateColormap(display_, root, visual->visual, AllocNone);

        XSetWindowAttributes attributes{};
        attributes.colormap = window->colormap;
        attributes.background_pixel = BlackPixel(display_, screen);
        attributes.border_pixel = 0;
        attributes.override_redirect = window->overrideRedirect ? True : False;
        attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask;
        window->id =
            XCreateWindow(display_, root, creation.x, creation.y, static_cast<unsigned>(creation.width),
                          static_cast<unsigned>(creation.height), 0, visual->depth, InputOutput, visual->visual,
                          CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWEventMask, &attributes);
        if (window->id == 0) {
            XFreeColormap(display_, window->colormap);
            XFree(visual);
            delete window;
            return nullptr;
        }
        nameWindow(window->id, creation.title,
                   creation.classInfo != nullptr ? creation.classInfo->className : "OpenGL");
        Atom protocols[] = {atoms_.deleteWindow};
        XSetWMProtocols(display_, window->id, protocols, 1);

        XSizeHints hints{};
        hints.flags = USPosition | USSize;
        hints.x = creation.x;
        hints.y = creation.y;
        hints.width = creation.width;
        hints.height = creation.height;
        XSetWMNormalHints(display_, window->id, &hints);
        applyCursor(window->id);

        windows_.push_back(window);
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
        XMapRaised(display_, window->id);
        window->mapped = true;
        if (window->overrideRedirect) {
            // No window manager hands focus to an override-redirect window: take the keyboard, as a
            // full-screen saver must, and fall back to plain focus if another client holds a grab.
            XEvent event;
            XWindowEvent(display_, window->id, StructureNotifyMask, &event);  // its MapNotify
            window->keyboardGrabbed =
                XGrabKeyboard(display_, window->id, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
            if (!window->keyboardGrabbed)
                XSetInputFocus(display_, window->id, RevertToParent, CurrentTime);
        }
        XSync(display_, False);
    }

    bool destroyWindow(NativeWindow handle) override
    {
        auto* window = find(handle);
        if (window == nullptr)
            return false;
        if (procedure_ != nullptr)
            procedure_(*this, window, msg::destroy, 0, 0);
        if (window->keyboardGrabbed)
            XUngrabKeyboard(display_, CurrentTime);
        if (window->foreign) {
            XSelectInput(display_, window->id, NoEventMask);  // an error if it is gone already, ignored
        } else {
            XDestroyWindow(display_, window->id);
            XFreeColormap(display_, window->colormap);
        }
        XFree(window->visual);
        XSync(display_, False);
        posted_.erase(
            std::remove_if(posted_.begin(), posted_.end(), [&](const WindowMessage& m) { return m.window == handle; }),
            posted_.end());
        windows_.erase(std::find(windows_.begin(), windows_.end(), window));
        delete window;
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
        // The visual is fixed when the X window is made; it is the closest format this display offers.
        auto* window = find(dc);
        if (window == nullptr)
            return 0;
        int doubleBuffered = 0;
        int rgba = 0;
        glXGetConfig(display_, window->visual, GLX_DOUBLEBUFFER, &doubleBuffered);
        glXGetConfig(display_, window->visual, GLX_RGBA, &rgba);
        return doubleBuffered != 0 && rgba != 0 ? static_cast<std::int32_t>(window->visual->visualid) : 0;
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
        return glXCreateContext(display_, window->visual, nullptr, True);
    }

    bool makeCurrent(NativeDeviceContext dc, NativeGlContext context) override
    {
        if (context == nullptr)
            return glXMakeCurrent(display_, None, nullptr) == True;
        auto* window = find(dc);
        return window != nullptr && glXMakeCurrent(display_, window->id, static_cast<GLXContext>(context)) == True;
    }

    void deleteGlContext(NativeGlContext context) override
    {
        glXDestroyContext(display_, static_cast<GLXContext>(context));
    }

    void swapBuffers(NativeDeviceContext dc) override
    {
        if (auto* window = find(dc))
            glXSwapBuffers(display_, window->id);
    }

    bool peekMessage(WindowMessage& message, NativeWindow window) override
    {
        keepScreenAwake();
        takeSignal();
        if (takePosted(message, window))
            return true;
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
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
        if (!posted_.empty() || XPending(display_) > 0 || quitSignalled != 0)
            return;
        pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
        poll(fds, 2, static_cast<int>(screenSaverResetMs));
    }

    bool postMessage(NativeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        if (find(window) == nullptr)
            return false;
        posted_.push_back({window, message, wParam, lParam});
        return true;
    }

    std::int32_t showCursor(bool show) override
    {
        cursorCount_ += show ? 1 : -1;
        for (auto* window : windows_)
            if (!window->foreign)
                applyCursor(window->id);
        if (display_ != nullptr)
            XFlush(display_);
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
    bool openDisplay()
    {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr)
            return false;
        XSetErrorHandler(ignoreXError);
        int glxError = 0;
        int glxEvent = 0;
        if (!glXQueryExtension(display_, &glxError, &glxEvent)) {
            XCloseDisplay(display_);
            display_ = nullptr;
            return false;
        }
        // Auto-repeat then sends key presses only, as Windows sends repeated WM_KEYDOWN without WM_KEYUP.
        XkbSetDetectableAutoRepeat(display_, True, nullptr);
        atoms_.deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        atoms_.protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
        atoms_.toggle = XInternAtom(display_, zorun::kToggleModeAtom, False);
        netWmNameAtom_ = XInternAtom(display_, "_NET_WM_NAME", False);
        utf8Atom_ = XInternAtom(display_, "UTF8_STRING", False);

        // The system screensaver and display power saving are held off while the renderer runs; in
        // xscreensaver's window they are what is running it, and it powers the display down when it likes.
        int ssEvent = 0;
        int ssError = 0;
        if (!embedded() && XScreenSaverQueryExtension(display_, &ssEvent, &ssError)) {
            XScreenSaverSuspend(display_, True);
            screenSaverSuspended_ = true;
        }
        makeCursors();
        installSignalHandlers();
        return true;
    }

    void installSignalHandlers()
    {
        if (signalPipe[0] < 0 && pipe(signalPipe) == 0) {
            for (int fd : signalPipe)
                fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        }
        struct sigaction action {};
        action.sa_handler = onQuitSignal;
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (int signalNumber : {SIGINT, SIGTERM, SIGHUP})
            sigaction(signalNumber, &action, nullptr);
    }

    void makeCursors()
    {
        const Window root = DefaultRootWindow(display_);
        const char empty[1] = {0};
        Pixmap pixmap = XCreateBitmapFromData(display_, root, empty, 1, 1);
        XColor black{};
        blankCursor_ = XCreatePixmapCursor(display_, pixmap, pixmap, &black, &black, 0, 0);
        XFreePixmap(display_, pixmap);
        arrowCursor_ = XCreateFontCursor(display_, XC_left_ptr);
    }

    XVisualInfo* chooseVisual(int screen)
    {
        int deep[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                      8,        GLX_DEPTH_SIZE,   24,           None};
        if (XVisualInfo* visual = glXChooseVisual(display_, screen, deep))
            return visual;
        int shallow[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
        return glXChooseVisual(display_, screen, shallow);
    }

    void nameWindow(Window id, const char* title, const char* className)
    {
        XStoreName(display_, id, title);
        XChangeProperty(display_, id, netWmNameAtom_, utf8Atom_, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
        XClassHint classHint{};
        char resName[] = "Zorun";
        std::vector<char> resClass(className, className + std::strlen(className) + 1);
        classHint.res_name = resName;
        classHint.res_class = resClass.data();
        XSetClassHint(display_, id, &classHint);
    }

    void applyCursor(Window id) { XDefineCursor(display_, id, cursorCount_ < 0 ? blankCursor_ : arrowCursor_); }

    void restoreMode()
    {
        if (!modeChanged_ || display_ == nullptr)
            return;
        const Window root = DefaultRootWindow(display_);
        if (XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root)) {
            XRRSetScreenConfig(display_, config, root, originalSize_, originalRotation_, CurrentTime);
            XRRFreeScreenConfigInfo(config);
        }
        XSync(display_, False);
        modeChanged_ = false;
    }

    void keepScreenAwake()
    {
        if (embedded())
            return;
        const std::uint32_t now = tickCount();
        if (now - lastScreenSaverReset_ >= screenSaverResetMs) {
            XResetScreenSaver(display_);
            lastScreenSaverReset_ = now;
        }
    }

    // A quit signal becomes WM_CLOSE for the newest window; it waits for one if none exists yet.
    void takeSignal()
    {
        if (quitSignalled == 0 || windows_.empty())
            return;
        quitSignalled = 0;
        char drain[16];
        while (read(signalPipe[0], drain, sizeof drain) > 0) {
        }
        posted_.push_back({windows_.back(), msg::close, 0, 0});
    }

    bool takePosted(WindowMessage& message, NativeWindow window)
    {
        for (auto it = posted_.begin(); it != posted_.end(); ++it) {
            if (window == nullptr || it->window == window) {
                message = *it;
                posted_.erase(it);
                return true;
            }
        }
        return false;
    }

    X11Window* find(void* handle) const
    {
        auto it = std::find(windows_.begin(), windows_.end(), static_cast<X11Window*>(handle));
        return it != windows_.end() ? *it : nullptr;
    }

    X11Window* findById(Window id) const
    {
        for (auto* window : windows_)
            if (window->id == id)
                return window;
        return nullptr;
    }

    void post(X11Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
    {
        posted_.push_back({window, message, wParam, lParam});
    }

    void translate(XEvent& event)
    {
        X11Window* window = findById(event.xany.window);
        if (window == nullptr)
            return;
        if (event.type == FocusIn) {
            // A window manager may let the grab go while the saver runs; take it back when focused.
            if (window->overrideRedirect && !window->keyboardGrabbed)
                window->keyboardGrabbed =
                    XGrabKeyboard(display_, window->id, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
            return;
        }
        const bool key = event.type == KeyPress || event.type == KeyRelease;
        const std::uint32_t virtualKey = key ? virtualKeyFromKeysym(XLookupKeysym(&event.xkey, 0)) : 0;
        if (const auto message = translateX11Event(event, virtualKey, atoms_, window->shape))
            if (!window->foreign || message->message != msg::toggleMode)
                post(window, message->message, message->wParam, message->lParam);
    }

    bool embedded() const { return embed_.kind != zorun::EmbedRequest::Kind::NotGiven; }

    // The frame's window when embedded: the given window (or the root), its size and visual as they are;
    // the requested size does not apply. Only its structure events are asked for: the keys and the
    // pointer are xscreensaver's.
    NativeWindow adoptWindow(const WindowCreation& creation)
    {
        if (display_ == nullptr || procedure_ == nullptr)
            return nullptr;
        const Window id = embed_.kind == zorun::EmbedRequest::Kind::Root ? DefaultRootWindow(display_)
                                                                         : static_cast<Window>(embed_.window);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, id, &attributes) == 0)
            return nullptr;
        XVisualInfo wanted{};
        wanted.visualid = XVisualIDFromVisual(attributes.visual);
        int count = 0;
        XVisualInfo* visual = XGetVisualInfo(display_, VisualIDMask, &wanted, &count);
        if (visual == nullptr)
            return nullptr;
        auto* window = new X11Window;
        window->id = id;
        window->visual = visual;
        window->foreign = true;
        window->shape.width = attributes.width;
        window->shape.height = attributes.height;
        XSelectInput(display_, id, StructureNotifyMask);
        XSync(display_, False);
        windows_.push_back(window);
        procedure_(*this, window, msg::create, 0, reinterpret_cast<std::intptr_t>(creation.parameter));
        return window;
    }

    zorun::EmbedRequest embed_;
    Display* display_ = nullptr;
    WindowProcedure procedure_ = nullptr;
    std::vector<X11Window*> windows_;
    std::deque<WindowMessage> posted_;
    X11EventAtoms atoms_;
    Atom netWmNameAtom_ = 0;
    Atom utf8Atom_ = 0;
    Cursor blankCursor_ = 0;
    Cursor arrowCursor_ = 0;
    std::int32_t cursorCount_ = 0;
    bool modeChanged_ = false;
    SizeID originalSize_ = 0;
    Rotation originalRotation_ = 0;
    bool screenSaverSuspended_ = false;
    std::uint32_t lastScreenSaverReset_ = 0;
};

}  // namespace

std::unique_ptr<WindowSystem> createX11WindowSystem(const zorun::EmbedRequest& embed)
{
    return std::make_unique<X11WindowSystem>(embed);
}
