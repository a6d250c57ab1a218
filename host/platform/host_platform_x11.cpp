// The host's platform calls on X11: lookup by title, embedding, spawning, the stored pictures.
#include "host/platform/host_platform_x11.h"

#include "common/bitmap_writer.h"
#include "common/find_window_x11.h"
#include "common/renderer_contract.h"
#include "common/replace_file.h"
#include "common/win32_numbers.h"
#include "common/x11/error_trap_x11.h"
#include "common/x11/screen_size_x11.h"
#include "host/pictures/picture_decoder.h"
#include "host/pictures/stored_pictures_data.h"
#include "host/platform/child_process_posix.h"
#include "host/platform/connection_x11.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zorun::host {

namespace {

class X11HostPlatform final : public HostPlatform {
public:
    X11HostPlatform(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow)
        : x_(std::move(connection)), embedWindow_(embedWindow)
    {
        // Ended renderers are reaped by the kernel: the host never waits for them and leaves no zombie.
        struct sigaction child {};
        child.sa_handler = SIG_DFL;
        child.sa_flags = SA_NOCLDWAIT;
        sigemptyset(&child.sa_mask);
        sigaction(SIGCHLD, &child, nullptr);
    }

    WindowHandle FindWindowA(const std::string& title) override
    {
        // A renderer drawing into a given window makes no window of its own to find: it is there as long
        // as its process runs, however slowly it starts.
        if (embedWindow_ != 0 && title == kRendererTitle)
            return renderer_.running() ? embedWindow_ : 0;
        return static_cast<WindowHandle>(findWindowByTitle(x_->display, title));
    }

    bool GetWindowRect(WindowHandle window, Rect& rect) override
    {
        if (window <= 0)
            return false;
        x11::ErrorTrap trap(x_->display);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(x_->display, static_cast<Window>(window), &attributes) == 0)
            return false;
        int x = 0, y = 0;
        Window child = 0;
        if (!XTranslateCoordinates(x_->display, static_cast<Window>(window), x_->root, 0, 0, &x, &y, &child))
            return false;
        if (!trap.clean())
            return false;
        const int border = attributes.border_width;
        rect = Rect{x - border, y - border, x + attributes.width + border, y + attributes.height + border};
        return true;
    }

    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override
    {
        auto own = x_->ownStyles.find(window);
        return own != x_->ownStyles.end() && index == windowLong::style ? own->second : 0;
    }

    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) override
    {
        // Only the host's own windows keep a style word.
        auto own = x_->ownStyles.find(window);
        if (own == x_->ownStyles.end() || index != windowLong::style)
            return 0;
        return std::exchange(own->second, value);
    }

    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override
    {
        if (child <= 0 || parent < 0)
            return 0;
        Display* display = x_->display;
        x11::ErrorTrap trap(display);
        const Window newParent = parent == 0 ? x_->root : static_cast<Window>(parent);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, newParent, &attributes) == 0)
            return 0;
        Window rootReturn = 0, oldParent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, static_cast<Window>(child), &rootReturn, &oldParent, &children, &count) == 0)
            return 0;
        if (children != nullptr)
            XFree(children);
        XReparentWindow(display, static_cast<Window>(child), newParent, 0, 0);
        if (!trap.clean())
            return 0;
        return oldParent == x_->root ? 0 : static_cast<WindowHandle>(oldParent);
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
        if (x_->ownStyles.count(window) != 0) {
            x_->posted.post({window, message});
            return true;
        }
        if (window <= 0 || message != msg::close)
            return false;
        // A foreign window hears WM_CLOSE as the window manager's close request.
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = static_cast<Window>(window);
        event.xclient.message_type = x_->atoms.wmProtocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(x_->atoms.wmDeleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        x11::ErrorTrap trap(x_->display);
        XSendEvent(x_->display, static_cast<Window>(window), False, NoEventMask, &event);
        return trap.clean();
    }

    double TwipsPerPixelX() override { return twipsPerPixel(); }
    double TwipsPerPixelY() override { return twipsPerPixel(); }

    bool CreateFolder(const std::string& path) override
    {
        if (path.empty())
            return false;
        // Missing parents (a new account has no ~/.cache yet) are made too, each 0700 as the XDG base
        // directory rules ask; the answer is the last folder's, as CreateDirectory gives it.
        for (auto slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
            mkdir(path.substr(0, slash).c_str(), 0700);
        return mkdir(path.c_str(), 0700) == 0;
    }

    bool SavePictureAsBitmap(const Picture& picture, const std::string& path) override
    {
        // Replaced whole: a link planted at the path is replaced instead of written through, and the
        // renderer never sees half a file.
        const auto bytes = encodeBitmap24(picture.width, picture.height, picture.rgb);
        return !bytes.empty() && path.find('/') != std::string::npos &&
               replaceFile(path, bytes.data(), bytes.size(), 0644);
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

    void KeepDisplayMode() override
    {
        keptMode_.reset();
        if (embedWindow_ != 0)
            return;  // a renderer in a given window never changes the mode
        keptMode_ = x11::currentScreenSize(x_->display);
    }

    void RestoreDisplayMode() override
    {
        if (!keptMode_)
            return;
        const auto now = x11::currentScreenSize(x_->display);
        if (now && *now != *keptMode_)
            x11::setScreenSize(x_->display, *keptMode_);
    }

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
    std::optional<x11::ScreenSize> keptMode_;  // given back should the renderer end without doing so

    double twipsPerPixel()
    {
        // The desktop's logical resolution where it says one (Xft.dpi), else the usual 96 dots per inch.
        if (const char* dpi = XGetDefault(x_->display, "Xft", "dpi")) {
            const double value = std::atof(dpi);
            if (value >= 24 && value <= 960)
                return 1440.0 / value;
        }
        return 15.0;
    }

    // How long a renderer asked to end gets before it is killed: the whole end stays within 500 ms.
    static constexpr int kRendererGraceMs = 300;

    std::shared_ptr<X11Connection> x_;
    WindowHandle embedWindow_ = 0;
    ChildProcess renderer_;
    int cursorCount_ = 0;
};

}  // namespace

std::unique_ptr<HostPlatform> createX11HostPlatform(std::shared_ptr<X11Connection> connection, WindowHandle embedWindow)
{
    return std::make_unique<X11HostPlatform>(std::move(connection), embedWindow);
}

}  // namespace zorun::host
