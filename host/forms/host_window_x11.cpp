// The host's forms on X11: the windows' bookkeeping and our own message loop with its timers.
#include "host/forms/host_window_x11.h"

#include "common/win32_numbers.h"
#include "common/x11/quit_signals_posix.h"
#include "host/forms/form_window_x11.h"
#include "host/platform/connection_x11.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zorun::host {

namespace {

using Clock = std::chrono::steady_clock;

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

private:
    // A window that is gone is no longer the platform calls' to style or post to.
    void markGone(X11FormWindow& window)
    {
        window.gone_ = true;
        window.id_ = 0;
        x_->ownStyles.erase(window.handle_);
    }

    void forget(X11FormWindow& window)
    {
        windows_.erase(window.handle_);
        x_->ownStyles.erase(window.handle_);
    }

    X11FormWindow* find(WindowHandle handle)
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
        const Window id = createFormWindow(*x_, caption, preview);
        auto window =
            std::make_unique<X11FormWindow>(x_->display, id, events, [this](X11FormWindow& gone) { forget(gone); });
        const std::uint32_t style =
            preview ? (windowStyle::popup | windowStyle::clipChildren) : windowStyle::overlappedWindow;
        x_->ownStyles[window->handle_] = static_cast<std::int32_t>(style);
        windows_[window->handle_] = window.get();
        return window;
    }

    void deliverPosted()
    {
        for (const X11Connection::Posted& posted : x_->posted.takeAll()) {
            X11FormWindow* window = find(posted.window);
            if (window != nullptr && posted.message == msg::close)
                close(*window);
        }
    }

    void close(X11FormWindow& window)
    {
        const WindowHandle handle = window.handle_;
        window.events_.OnClose();
        if (X11FormWindow* still = find(handle))
            destroy(*still);
    }

    void destroy(X11FormWindow& window)
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
            if (X11FormWindow* window = find(static_cast<WindowHandle>(event.xdestroywindow.window))) {
                if (event.xdestroywindow.window == window->id_)
                    markGone(*window);
            }
            break;
        case Expose:
            if (X11FormWindow* window = find(static_cast<WindowHandle>(event.xexpose.window)))
                if (event.xexpose.count == 0)
                    window->draw();
            break;
        case ClientMessage:
            if (X11FormWindow* window = find(static_cast<WindowHandle>(event.xclient.window)))
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
            X11FormWindow* window = find(handle);
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
                if (X11FormWindow* window = find(handle))
                    window->events_.OnProgramEnded();
        }
        if ((fds[0].revents & POLLIN) != 0 && x11::takeQuitSignal()) {
            // A termination signal closes every window, as a session end does on Windows.
            for (WindowHandle handle : handles())
                if (X11FormWindow* window = find(handle))
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
    std::map<WindowHandle, X11FormWindow*> windows_;
    int programEndReported_ = -1;  // the started program's descriptor once its end has been told
};

}  // namespace

std::unique_ptr<Forms> createX11Forms(std::shared_ptr<X11Connection> connection)
{
    return std::make_unique<X11Forms>(std::move(connection));
}

}  // namespace zorun::host
