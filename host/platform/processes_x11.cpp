// The host's process and the renderer it starts on Linux: posix_spawn, a pidfd the message loop waits on.
#include "host/platform/processes_x11.h"

#include "host/platform/child_process_posix.h"
#include "host/platform/connection_x11.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace zorun::host {

namespace {

class X11Processes final : public Processes {
public:
    X11Processes(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow)
        : x_(std::move(connection)), embedWindow_(embedWindow)
    {
        // Ended renderers are reaped by the kernel: the host never waits for them and leaves no zombie.
        struct sigaction child {};
        child.sa_handler = SIG_DFL;
        child.sa_flags = SA_NOCLDWAIT;
        sigemptyset(&child.sa_mask);
        sigaction(SIGCHLD, &child, nullptr);
    }

    bool StartProgram(const std::string& path) override
    {
        std::vector<std::string> arguments;
        if (embedWindow_ != 0) {
            char window[32];
            std::snprintf(window, sizeof window, "0x%lx", static_cast<unsigned long>(embedWindow_));
            arguments = {"--window-id", window};
        }
        const bool started = renderer_.start(path, arguments);
        x_->startedProgramEnd = renderer_.endDescriptor();
        return started;
    }

    bool ProgramRunning() override { return renderer_.running(); }

    void EndProcess() override
    {
        // xscreensaver ends a display mode by signalling its host only: nothing the host started may stay.
        // A renderer in its own window is the user's to end, and outlives the host.
        if (embedWindow_ != 0)
            renderer_.end(kRendererGraceMs);
        XFlush(x_->display);
        _exit(0);
    }

private:
    // How long a renderer asked to end gets before it is killed: the whole end stays within 500 ms.
    static constexpr int kRendererGraceMs = 300;

    std::shared_ptr<X11Connection> x_;
    WindowHandle embedWindow_ = 0;
    ChildProcess renderer_;
};

}  // namespace

std::unique_ptr<Processes> createX11Processes(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow)
{
    return std::make_unique<X11Processes>(std::move(connection), embedWindow);
}

}  // namespace zorun::host
