// The host's windows on X11: created hidden, drawn with the stored picture, and our own timer loop.
#include "host/forms/host_window_x11.h"

#include "common/win32_numbers.h"
#include "common/x11/quit_signals_posix.h"
#include "host/forms/timer_table.h"
#include "host/platform/connection_x11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zorun::host {

namespace {

using Clock = std::chrono::steady_clock;

class X11Forms;

class X11Window final : public HostWindow {
public:
    X11Window(X11Forms& forms, Display* display, Window id, FormEvents& events)
        : forms_(forms), display_(display), id_(id), handle_(static_cast<WindowHandle>(id)), events_(events)
    {}
    ~X11Window() override;

    WindowHandle Handle() const override { return handle_; }
    void SetTimer(int timerId, std::uint32_t intervalMs, bool on) override;
    void SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height) override;
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    void Show() override;

    void draw();

    X11Forms& forms_;
    Display* display_;
    Window id_;
    WindowHandle handle_;
    FormEvents& events_;
    bool gone_ = false;
    bool shown_ = false;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    TimerTable timers_;
    Picture picture_;
    std::int32_t pictureLeft_ = 0, pictureTop_ = 0, pictureWidth_ = 0, pictureHeight_ = 0;
};

class X11Forms final : public Forms {
public:
    // Termination signals become close requests, read by the loop.
    explicit X11Forms(std::shared_ptr<X11Connection> connection)
        : x_(std::move(connection)), quitSignals_(x11::watchQuitSignals(x11::LaterSignals::Watched))
    {}

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
        Display* display = x_->display;
        while (anyWindowLeft()) {
            deliverPosted();
            while (anyWindowLeft() && XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                handle(event);
            }
            if (!anyWindowLeft())
                break;
            fireDueTimers();
            if (!x_->posted.empty())
                continue;
            waitForWork();
            XFlush(display);
        }
    }

    // A window that is gone is no longer the platform calls' to style or post to.
    void markGone(X11Window& window)
    {
        window.gone_ = true;
        window.id_ = 0;
        x_->ownStyles.erase(window.handle_);
    }

    void forget(X11Window& window)
    {
        windows_.erase(window.handle_);
        x_->ownStyles.erase(window.handle_);
    }

private:
    X11Window* find(WindowHandle handle)
    {
        auto it = windows_.find(handle);
        return it == windows_.end() || it->second->gone_ ? nullptr : it->second;
    }

    bool anyWindowLeft() const
    {
        return std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return !w.second->gone_; });
    }

    std::unique_ptr<HostWindow> create(const std::string& caption, FormEvents& events, bool preview)
    {
        Display* display = x_->display;
        XSetWindowAttributes attributes{};
        attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
        attributes.event_mask = StructureNotifyMask | ExposureMask;
        const Window id = XCreateWindow(display, x_->root, 0, 0, 1, 1, 0, CopyFromParent, InputOutput, CopyFromParent,
                                        CWBackPixel | CWEventMask, &attributes);
        x11::setWindowTitle(*x_, id, caption);
        XSetWMProtocols(display, id, &x_->atoms.wmDeleteWindow, 1);
        if (preview) {
            // No border and no title bar, should a window manager ever see it.
            long hints[5] = {2, 0, 0, 0, 0};
            XChangeProperty(display, id, x_->atoms.motifHints, x_->atoms.motifHints, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(hints), 5);
        }
        XFlush(display);
        auto window = std::make_unique<X11Window>(*this, display, id, events);
        const std::uint32_t style =
            preview ? (windowStyle::popup | windowStyle::clipChildren) : windowStyle::overlappedWindow;
        x_->ownStyles[window->handle_] = static_cast<std::int32_t>(style);
        windows_[window->handle_] = window.get();
        return window;
    }

    void deliverPosted()
    {
        for (const X11Connection::Posted& posted : x_->posted.takeAll()) {
            X11Window* window = find(posted.window);
            if (window != nullptr && posted.message == msg::close)
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
        if (window.id_ != 0) {
            XDestroyWindow(x_->display, window.id_);
            XFlush(x_->display);
        }
        markGone(window);
    }

    void handle(XEvent& event)
    {
        switch (event.type) {
        case DestroyNotify:
            // Also when X destroyed the window with the foreign window it was embedded in.
            if (X11Window* window = find(static_cast<WindowHandle>(event.xdestroywindow.window))) {
                if (event.xdestroywindow.window == window->id_)
                    markGone(*window);
            }
            break;
        case Expose:
            if (X11Window* window = find(static_cast<WindowHandle>(event.xexpose.window)))
                if (event.xexpose.count == 0)
                    window->draw();
            break;
        case ClientMessage:
            if (X11Window* window = find(static_cast<WindowHandle>(event.xclient.window)))
                if (event.xclient.message_type == x_->atoms.wmProtocols &&
                    static_cast<Atom>(event.xclient.data.l[0]) == x_->atoms.wmDeleteWindow)
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
            if (!window->gone_)
                for (int id : window->timers_.due(now))
                    due.emplace_back(handle, id);
        for (auto [handle, id] : due) {
            // An earlier handler may have switched this timer off or closed its window.
            X11Window* window = find(handle);
            if (window != nullptr && window->timers_.take(id, now))
                window->events_.OnTimer(id);
        }
    }

    void waitForWork()
    {
        int timeout = -1;
        const auto now = Clock::now();
        for (auto& [handle, window] : windows_) {
            const int wait = window->gone_ ? -1 : window->timers_.msUntilNext(now);
            if (wait >= 0)
                timeout = timeout < 0 ? wait : std::min(timeout, wait);
        }
        XFlush(x_->display);
        if (XPending(x_->display) > 0)
            return;
        // A descriptor of -1 is left out by poll: the program's end is told once.
        const int programEnd = programEndReported_ == x_->startedProgramEnd ? -1 : x_->startedProgramEnd;
        pollfd fds[3] = {
            {quitSignals_, POLLIN, 0}, {ConnectionNumber(x_->display), POLLIN, 0}, {programEnd, POLLIN, 0}};
        if (poll(fds, 3, timeout) <= 0)
            return;
        if ((fds[2].revents & POLLIN) != 0) {
            programEndReported_ = programEnd;
            for (WindowHandle handle : handles())
                if (X11Window* window = find(handle))
                    window->events_.OnProgramEnded();
        }
        if ((fds[0].revents & POLLIN) != 0 && x11::takeQuitSignal()) {
            // A termination signal closes every window, as a session end does on Windows.
            for (WindowHandle handle : handles())
                if (X11Window* window = find(handle))
                    close(*window);
        }
    }

    // The windows now, for telling each something that may close any of them.
    std::vector<WindowHandle> handles() const
    {
        std::vector<WindowHandle> all;
        for (const auto& [handle, window] : windows_)
            all.push_back(handle);
        return all;
    }

    std::shared_ptr<X11Connection> x_;
    int quitSignals_;
    std::map<WindowHandle, X11Window*> windows_;
    int programEndReported_ = -1;  // the started program's descriptor once its end has been told
};

X11Window::~X11Window()
{
    if (!gone_ && id_ != 0) {
        XDestroyWindow(display_, id_);
        XFlush(display_);
    }
    forms_.forget(*this);
}

void X11Window::SetTimer(int timerId, std::uint32_t intervalMs, bool on)
{
    timers_.set(timerId, intervalMs, on, Clock::now());
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
    Display* display = display_;
    if (gone_ || id_ == 0)
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
    Display* display = display_;
    if (gone_ || id_ == 0)
        return;
    if (width_ > 0 && height_ > 0)
        XMapWindow(display, id_);
    XFlush(display);
}

void X11Window::draw()
{
    Display* display = display_;
    const std::int32_t width = std::min(pictureWidth_, picture_.width);
    const std::int32_t height = std::min(pictureHeight_, picture_.height);
    if (gone_ || id_ == 0 || !shown_ || width <= 0 || height <= 0)
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

std::unique_ptr<Forms> createX11Forms(std::shared_ptr<X11Connection> connection)
{
    return std::make_unique<X11Forms>(std::move(connection));
}

}  // namespace zorun::host
