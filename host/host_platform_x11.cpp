// The host's platform calls and windows on X11: lookup by title, embedding, our own timer loop, spawning.
#include "host_platform_x11.h"

#include "bitmap_writer.h"
#include "stored_pictures_data.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <utility>
#include <string>
#include <vector>

extern char** environ;

namespace zorun::host {

namespace {

using Clock = std::chrono::steady_clock;

// Xlib reports errors asynchronously through one process-wide handler; a window that vanishes between
// two calls is an everyday event here, so errors are counted instead of ending the process.
int xErrors = 0;
int countXError(Display*, XErrorEvent*)
{
    ++xErrors;
    return 0;
}

// Termination signals become close requests through this pipe, read by the loop.
int signalPipe[2] = {-1, -1};
void onTerminate(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto n = write(signalPipe[1], &byte, 1);
    errno = saved;
}

constexpr std::int32_t kWsPopup = static_cast<std::int32_t>(0x80000000u);
constexpr std::int32_t kWsOverlappedWindow = 0x00CF0000;
constexpr std::int32_t kWsClipChildren = 0x02000000;

class X11HostImpl;

class X11Window final : public HostWindow {
public:
    struct Timer {
        std::uint32_t interval = 0;
        Clock::time_point due;
        bool on = false;
    };

    X11Window(X11HostImpl& host, Window id, WindowHandle handle, FormEvents& events, bool preview)
        : host_(host), id_(id), handle_(handle), events_(events), preview_(preview)
    {}
    ~X11Window() override;

    WindowHandle Handle() const override { return handle_; }
    void SetTimer(int timerId, std::uint32_t intervalMs, bool on) override;
    void SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height) override;
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    void Show() override;

    void draw();

    X11HostImpl& host_;
    Window id_;
    WindowHandle handle_;
    FormEvents& events_;
    bool preview_;
    bool gone_ = false;
    bool shown_ = false;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t style_ = 0;
    std::map<int, Timer> timers_;
    Picture picture_;
    std::int32_t pictureLeft_ = 0, pictureTop_ = 0, pictureWidth_ = 0, pictureHeight_ = 0;
};

class X11HostImpl final : public X11Host {
public:
    X11HostImpl()
    {
        display_ = XOpenDisplay(nullptr);
        if (display_ != nullptr) {
            XSetErrorHandler(countXError);
            // The renderer must not inherit the host's X connection.
            fcntl(ConnectionNumber(display_), F_SETFD, FD_CLOEXEC);
            root_ = DefaultRootWindow(display_);
            netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
            utf8String_ = XInternAtom(display_, "UTF8_STRING", False);
            wmProtocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
            wmDeleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
            motifHints_ = XInternAtom(display_, "_MOTIF_WM_HINTS", False);
        }
        // Ended renderers are reaped by the kernel: the host never waits for them and leaves no zombie.
        struct sigaction child {};
        child.sa_handler = SIG_DFL;
        child.sa_flags = SA_NOCLDWAIT;
        sigemptyset(&child.sa_mask);
        sigaction(SIGCHLD, &child, nullptr);

        if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
            struct sigaction term {};
            term.sa_handler = onTerminate;
            sigemptyset(&term.sa_mask);
            for (int s : {SIGTERM, SIGINT, SIGHUP})
                sigaction(s, &term, nullptr);
        }
    }

    ~X11HostImpl() override
    {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }

    // --- HostPlatform ---

    WindowHandle FindWindowA(const std::string& title) override
    {
        if (display_ == nullptr)
            return 0;
        for (Window top : childrenOf(root_)) {
            if (hasTitle(top, title))
                return static_cast<WindowHandle>(top);
            // A window manager puts each client inside a frame of its own.
            for (Window client : childrenOf(top))
                if (hasTitle(client, title))
                    return static_cast<WindowHandle>(client);
        }
        return 0;
    }

    bool GetWindowRect(WindowHandle window, Rect& rect) override
    {
        if (display_ == nullptr || window <= 0)
            return false;
        const int before = xErrors;
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, static_cast<Window>(window), &attributes) == 0)
            return false;
        int x = 0, y = 0;
        Window child = 0;
        if (!XTranslateCoordinates(display_, static_cast<Window>(window), root_, 0, 0, &x, &y, &child))
            return false;
        XSync(display_, False);
        if (xErrors != before)
            return false;
        const int border = attributes.border_width;
        rect = Rect{x - border, y - border, x + attributes.width + border, y + attributes.height + border};
        return true;
    }

    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override
    {
        X11Window* own = find(window);
        return own != nullptr && index == kGwlStyle ? own->style_ : 0;
    }

    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) override
    {
        // Only the host's own windows keep a style word; WS_CHILD follows from SetParent on X11.
        X11Window* own = find(window);
        if (own == nullptr || index != kGwlStyle)
            return 0;
        return std::exchange(own->style_, value);
    }

    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override
    {
        if (display_ == nullptr || child <= 0 || parent < 0)
            return 0;
        const int before = xErrors;
        const Window newParent = parent == 0 ? root_ : static_cast<Window>(parent);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, newParent, &attributes) == 0)
            return 0;
        Window rootReturn = 0, oldParent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display_, static_cast<Window>(child), &rootReturn, &oldParent, &children, &count) == 0)
            return 0;
        if (children != nullptr)
            XFree(children);
        XReparentWindow(display_, static_cast<Window>(child), newParent, 0, 0);
        XSync(display_, False);
        if (xErrors != before)
            return 0;
        return oldParent == root_ ? 0 : static_cast<WindowHandle>(oldParent);
    }

    int ShowCursor(bool show) override
    {
        // HACK: X has no system-wide cursor count; the host's windows are never visible with a pointer
        // over them, so the count is kept as Windows keeps it and hides nothing on screen.
        cursorCount_ += show ? 1 : -1;
        return cursorCount_;
    }

    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t, std::intptr_t) override
    {
        if (find(window) != nullptr) {
            posted_.push_back({window, message});
            return true;
        }
        if (display_ == nullptr || window <= 0 || message != kWmClose)
            return false;
        // A foreign window hears WM_CLOSE as the window manager's close request.
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = static_cast<Window>(window);
        event.xclient.message_type = wmProtocols_;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(wmDeleteWindow_);
        event.xclient.data.l[1] = CurrentTime;
        const int before = xErrors;
        XSendEvent(display_, static_cast<Window>(window), False, NoEventMask, &event);
        XSync(display_, False);
        return xErrors == before;
    }

    double TwipsPerPixelX() override { return twipsPerPixel(); }
    double TwipsPerPixelY() override { return twipsPerPixel(); }

    bool CreateFolder(const std::string& path) override { return !path.empty() && mkdir(path.c_str(), 0700) == 0; }

    bool SavePictureAsBitmap(const Picture& picture, const std::string& path) override
    {
        const auto bytes = encodeBitmap24(picture.width, picture.height, picture.rgb);
        const auto slash = path.rfind('/');
        if (bytes.empty() || slash == std::string::npos)
            return false;
        // A new file beside the target, renamed over it: rename replaces a link planted at the path
        // instead of writing through it, and the renderer never sees half a file.
        std::string temp = path.substr(0, slash + 1) + ".Zorun.bmp.XXXXXX";
        const int fd = mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return false;
        bool ok = fchmod(fd, 0644) == 0;
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            ok = n > 0;
            if (ok)
                done += static_cast<std::size_t>(n);
        }
        ok = ::close(fd) == 0 && ok;
        if (ok && rename(temp.c_str(), path.c_str()) == 0)
            return true;
        unlink(temp.c_str());
        return false;
    }

    bool StartProgram(const std::string& path) override
    {
        posix_spawnattr_t attributes;
        if (posix_spawnattr_init(&attributes) != 0)
            return false;
        // The renderer starts with the default signal handling and nothing blocked, whatever the host set.
        sigset_t defaults, none;
        sigemptyset(&defaults);
        for (int s : {SIGCHLD, SIGTERM, SIGINT, SIGHUP, SIGPIPE})
            sigaddset(&defaults, s);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        std::string program = path;
        char* argv[] = {program.data(), nullptr};
        pid_t pid = 0;
        const int result = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv, environ);
        posix_spawnattr_destroy(&attributes);
        return result == 0;
    }

    Picture LoadStoredPicture(StoredPicture which) override
    {
        switch (which) {
        case StoredPicture::Cloud:
            return DecodePicture(kCloudJpeg, kCloudJpegSize);
        case StoredPicture::Preview:
            return DecodePicture(kPreviewJpeg, kPreviewJpegSize);
        case StoredPicture::ButtonNormal:
            return DecodePicture(kButtonNormalBmp, kButtonNormalBmpSize);
        case StoredPicture::ButtonHighLight:
            return DecodePicture(kButtonHighLightBmp, kButtonHighLightBmpSize);
        case StoredPicture::ButtonHighLightSelect:
            return DecodePicture(kButtonHighLightSelectBmp, kButtonHighLightSelectBmpSize);
        case StoredPicture::ButtonSelected:
            return DecodePicture(kButtonSelectedBmp, kButtonSelectedBmpSize);
        case StoredPicture::ButtonPressed:
            return DecodePicture(kButtonPressedBmp, kButtonPressedBmpSize);
        case StoredPicture::ButtonDisable:
            return DecodePicture(kButtonDisableBmp, kButtonDisableBmpSize);
        case StoredPicture::Option:
            return DecodePicture(kOptionJpeg, kOptionJpegSize);
        case StoredPicture::OptionSelected:
            return DecodePicture(kOptionSelectedJpeg, kOptionSelectedJpegSize);
        }
        return {};
    }

    void EndProcess() override
    {
        if (display_ != nullptr)
            XFlush(display_);
        _exit(0);
    }

    // --- Forms ---

    std::unique_ptr<HostWindow> CreateSaverWindow(const std::string& caption, FormEvents& events) override
    {
        return create(caption, events, false);
    }

    std::unique_ptr<HostWindow> CreatePreviewWindow(const std::string& caption, FormEvents& events) override
    {
        return create(caption, events, true);
    }

    void RunMessageLoop() override
    {
        while (anyWindowLeft()) {
            deliverPosted();
            if (display_ != nullptr) {
                while (anyWindowLeft() && XPending(display_) > 0) {
                    XEvent event;
                    XNextEvent(display_, &event);
                    handle(event);
                }
            }
            if (!anyWindowLeft())
                break;
            fireDueTimers();
            if (!posted_.empty())
                continue;
            waitForWork();
            if (display_ != nullptr)
                XFlush(display_);
        }
    }

    // --- used by X11Window ---

    Display* display_ = nullptr;
    std::map<WindowHandle, X11Window*> windows_;

    void forget(X11Window& window) { windows_.erase(window.handle_); }

private:
    struct Posted {
        WindowHandle window;
        std::uint32_t message;
    };

    X11Window* find(WindowHandle handle)
    {
        auto it = windows_.find(handle);
        return it == windows_.end() || it->second->gone_ ? nullptr : it->second;
    }

    bool anyWindowLeft() const
    {
        return std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return !w.second->gone_; });
    }

    std::vector<Window> childrenOf(Window window)
    {
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        std::vector<Window> result;
        if (XQueryTree(display_, window, &rootReturn, &parent, &children, &count) != 0 && children != nullptr) {
            result.assign(children, children + count);
            XFree(children);
        }
        return result;
    }

    // The exact title as WM_NAME or _NET_WM_NAME; a window that has gone meanwhile has neither.
    bool hasTitle(Window window, const std::string& title)
    {
        for (Atom property : {static_cast<Atom>(XA_WM_NAME), netWmName_}) {
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            const long words = static_cast<long>(title.size() / 4 + 2);
            if (XGetWindowProperty(display_, window, property, 0, words, False, AnyPropertyType, &type, &format, &count,
                                   &after, &data) == Success &&
                data != nullptr) {
                const bool same =
                    format == 8 && after == 0 && count == title.size() && std::memcmp(data, title.data(), count) == 0;
                XFree(data);
                if (same)
                    return true;
            }
        }
        return false;
    }

    double twipsPerPixel()
    {
        // The desktop's logical resolution where it says one (Xft.dpi), else the usual 96 dots per inch.
        if (display_ != nullptr) {
            if (const char* dpi = XGetDefault(display_, "Xft", "dpi")) {
                const double value = std::atof(dpi);
                if (value >= 24 && value <= 960)
                    return 1440.0 / value;
            }
        }
        return 15.0;
    }

    std::unique_ptr<HostWindow> create(const std::string& caption, FormEvents& events, bool preview)
    {
        Window id = 0;
        WindowHandle handle = 0;
        if (display_ != nullptr) {
            XSetWindowAttributes attributes{};
            attributes.background_pixel = BlackPixel(display_, DefaultScreen(display_));
            attributes.event_mask = StructureNotifyMask | ExposureMask;
            id = XCreateWindow(display_, root_, 0, 0, 1, 1, 0, CopyFromParent, InputOutput, CopyFromParent,
                               CWBackPixel | CWEventMask, &attributes);
            XStoreName(display_, id, caption.c_str());
            XChangeProperty(display_, id, netWmName_, utf8String_, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(caption.data()), static_cast<int>(caption.size()));
            XSetWMProtocols(display_, id, &wmDeleteWindow_, 1);
            if (preview) {
                // No border and no title bar, should a window manager ever see it.
                long hints[5] = {2, 0, 0, 0, 0};
                XChangeProperty(display_, id, motifHints_, motifHints_, 32, PropModeReplace,
                                reinterpret_cast<unsigned char*>(hints), 5);
            }
            XFlush(display_);
            handle = static_cast<WindowHandle>(id);
        } else {
            handle = nextOfflineHandle_++;
        }
        auto window = std::make_unique<X11Window>(*this, id, handle, events, preview);
        window->style_ = preview ? (kWsPopup | kWsClipChildren) : kWsOverlappedWindow;
        windows_[handle] = window.get();
        return window;
    }

    void deliverPosted()
    {
        std::deque<Posted> batch;
        batch.swap(posted_);
        for (const Posted& posted : batch) {
            X11Window* window = find(posted.window);
            if (window != nullptr && posted.message == kWmClose)
                close(*window);
        }
    }

    void close(X11Window& window)
    {
        const WindowHandle handle = window.handle_;
        window.events_.OnClose();
        if (X11Window* still = find(handle))
            destroy(*still);
    }

    void destroy(X11Window& window)
    {
        window.gone_ = true;
        if (display_ != nullptr && window.id_ != 0) {
            XDestroyWindow(display_, window.id_);
            XFlush(display_);
        }
        window.id_ = 0;
    }

    void handle(XEvent& event)
    {
        switch (event.type) {
        case DestroyNotify:
            // Also when X destroyed the window with the foreign window it was embedded in.
            if (X11Window* window = find(static_cast<WindowHandle>(event.xdestroywindow.window))) {
                if (event.xdestroywindow.window == window->id_) {
                    window->gone_ = true;
                    window->id_ = 0;
                }
            }
            break;
        case Expose:
            if (X11Window* window = find(static_cast<WindowHandle>(event.xexpose.window)))
                if (event.xexpose.count == 0)
                    window->draw();
            break;
        case ClientMessage:
            if (X11Window* window = find(static_cast<WindowHandle>(event.xclient.window)))
                if (event.xclient.message_type == wmProtocols_ &&
                    static_cast<Atom>(event.xclient.data.l[0]) == wmDeleteWindow_)
                    close(*window);
            break;
        default:
            break;
        }
    }

    void fireDueTimers()
    {
        std::vector<std::pair<WindowHandle, int>> due;
        const auto now = Clock::now();
        for (auto& [handle, window] : windows_)
            for (auto& [id, timer] : window->timers_)
                if (!window->gone_ && timer.on && timer.due <= now)
                    due.emplace_back(handle, id);
        for (auto [handle, id] : due) {
            X11Window* window = find(handle);
            if (window == nullptr)
                continue;
            auto it = window->timers_.find(id);
            if (it == window->timers_.end() || !it->second.on)
                continue;
            // A slow handler delays the next tick rather than queueing several.
            it->second.due = std::max(it->second.due + std::chrono::milliseconds(it->second.interval), now);
            window->events_.OnTimer(id);
        }
    }

    void waitForWork()
    {
        int timeout = -1;
        const auto now = Clock::now();
        for (auto& [handle, window] : windows_)
            for (auto& [id, timer] : window->timers_)
                if (!window->gone_ && timer.on) {
                    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now).count();
                    const int wait = static_cast<int>(std::clamp<long long>(ms, 0, 1 << 30));
                    timeout = timeout < 0 ? wait : std::min(timeout, wait);
                }
        pollfd fds[2] = {{signalPipe[0], POLLIN, 0}, {-1, POLLIN, 0}};
        nfds_t count = 1;
        if (display_ != nullptr) {
            XFlush(display_);
            if (XPending(display_) > 0)
                return;
            fds[1].fd = ConnectionNumber(display_);
            count = 2;
        }
        if (poll(fds, count, timeout) > 0 && (fds[0].revents & POLLIN) != 0) {
            char bytes[16];
            while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            // A termination signal closes every window, as a session end does on Windows.
            std::vector<WindowHandle> handles;
            for (auto& [handle, window] : windows_)
                handles.push_back(handle);
            for (WindowHandle handle : handles)
                if (X11Window* window = find(handle))
                    close(*window);
        }
    }

    Window root_ = 0;
    Atom netWmName_ = 0, utf8String_ = 0, wmProtocols_ = 0, wmDeleteWindow_ = 0, motifHints_ = 0;
    int cursorCount_ = 0;
    std::deque<Posted> posted_;
    WindowHandle nextOfflineHandle_ = 1;
};

X11Window::~X11Window()
{
    if (!gone_ && host_.display_ != nullptr && id_ != 0) {
        XDestroyWindow(host_.display_, id_);
        XFlush(host_.display_);
    }
    host_.forget(*this);
}

void X11Window::SetTimer(int timerId, std::uint32_t intervalMs, bool on)
{
    Timer& timer = timers_[timerId];
    timer.interval = intervalMs;
    timer.on = on;
    if (on)
        timer.due = Clock::now() + std::chrono::milliseconds(intervalMs);
}

void X11Window::SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                           std::int32_t height)
{
    picture_ = picture;
    pictureLeft_ = left;
    pictureTop_ = top;
    pictureWidth_ = width;
    pictureHeight_ = height;
    draw();
}

void X11Window::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    Display* display = host_.display_;
    if (display == nullptr || gone_ || id_ == 0)
        return;
    // X has no empty window: a size of 0 keeps the window unmapped, which shows nothing as on Windows.
    if (width_ > 0 && height_ > 0) {
        XMoveResizeWindow(display, id_, left, top, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
        if (shown_)
            XMapWindow(display, id_);
    } else {
        XMoveWindow(display, id_, left, top);
        XUnmapWindow(display, id_);
    }
    XFlush(display);
}

void X11Window::Show()
{
    shown_ = true;
    Display* display = host_.display_;
    if (display == nullptr || gone_ || id_ == 0)
        return;
    if (width_ > 0 && height_ > 0)
        XMapWindow(display, id_);
    XFlush(display);
}

void X11Window::draw()
{
    Display* display = host_.display_;
    const std::int32_t width = std::min(pictureWidth_, picture_.width);
    const std::int32_t height = std::min(pictureHeight_, picture_.height);
    if (display == nullptr || gone_ || id_ == 0 || !shown_ || width <= 0 || height <= 0)
        return;
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (image == nullptr)
        return;
    image->data = static_cast<char*>(
        std::calloc(static_cast<std::size_t>(image->bytes_per_line), static_cast<std::size_t>(height)));
    if (image->data == nullptr) {
        XDestroyImage(image);
        return;
    }
    // A channel of 8 bits placed where the visual's mask says.
    auto place = [](unsigned long mask, std::uint8_t value) -> unsigned long {
        if (mask == 0)
            return 0;
        int shift = 0;
        while (((mask >> shift) & 1) == 0)
            ++shift;
        int bits = 0;
        while (((mask >> (shift + bits)) & 1) != 0)
            ++bits;
        const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                               : static_cast<unsigned long>(value) >> (8 - bits);
        return (scaled << shift) & mask;
    };
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t at =
                (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture_.width) + static_cast<std::size_t>(x)) *
                3;
            XPutPixel(image, x, y,
                      place(visual->red_mask, picture_.rgb[at]) | place(visual->green_mask, picture_.rgb[at + 1]) |
                          place(visual->blue_mask, picture_.rgb[at + 2]));
        }
    GC gc = XCreateGC(display, id_, 0, nullptr);
    XPutImage(display, id_, gc, image, 0, 0, pictureLeft_, pictureTop_, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(display, gc);
    XDestroyImage(image);  // frees data too
    XFlush(display);
}

}  // namespace

std::unique_ptr<X11Host> OpenX11Host()
{
    return std::make_unique<X11HostImpl>();
}

}  // namespace zorun::host
