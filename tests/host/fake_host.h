// Stand-ins for the host's platform and windows: they record what was asked and answer as user32 would.
#pragma once

#include "forms/host_window.h"
#include "host_platform.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace zorun::host::testing {

class FakePlatform final : public HostPlatform {
public:
    std::map<std::string, WindowHandle> windowsByTitle;  ///< top-level windows another program shows
    std::map<WindowHandle, Rect> rects;                  ///< windows GetWindowRect knows
    std::map<WindowHandle, std::int32_t> styles;
    std::map<WindowHandle, WindowHandle> parents;
    std::set<std::string> folders;
    double twipsX = 15, twipsY = 15;
    int cursorCount = 0;
    bool ended = false;
    /// Every call in order, e.g. "FindWindowA Zorun_Main", "StartProgram /x/Zorun.dll", "EndProcess".
    std::vector<std::string> calls;

    WindowHandle FindWindowA(const std::string& title) override {
        calls.push_back("FindWindowA " + title);
        auto it = windowsByTitle.find(title);
        return it == windowsByTitle.end() ? 0 : it->second;
    }
    bool GetWindowRect(WindowHandle window, Rect& rect) override {
        calls.push_back("GetWindowRect " + std::to_string(window));
        auto it = rects.find(window);
        if (it == rects.end()) return false;
        rect = it->second;
        return true;
    }
    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override {
        auto it = styles.find(window);
        return index == kGwlStyle && it != styles.end() ? it->second : 0;
    }
    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) override {
        calls.push_back("SetWindowLongA " + std::to_string(window) + " " + std::to_string(index));
        if (index != kGwlStyle || !styles.count(window)) return 0;
        std::int32_t old = styles[window];
        styles[window] = value;
        return old;
    }
    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override {
        calls.push_back("SetParent " + std::to_string(child) + " " + std::to_string(parent));
        WindowHandle old = parents[child];
        parents[child] = parent;
        return old;
    }
    int ShowCursor(bool show) override {
        calls.push_back(show ? "ShowCursor TRUE" : "ShowCursor FALSE");
        return cursorCount += show ? 1 : -1;
    }
    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t w, std::intptr_t l) override {
        calls.push_back("PostMessageA " + std::to_string(window) + " " + std::to_string(message) + " " +
                        std::to_string(w) + " " + std::to_string(l));
        return true;
    }
    double TwipsPerPixelX() override { return twipsX; }
    double TwipsPerPixelY() override { return twipsY; }
    bool CreateFolder(const std::string& path) override {
        calls.push_back("CreateFolder " + path);
        return folders.insert(path).second;
    }
    bool SavePictureAsBitmap(const Picture& picture, const std::string& path) override {
        calls.push_back("SavePictureAsBitmap " + path + " " + std::to_string(picture.width) + "x" +
                        std::to_string(picture.height));
        return true;
    }
    bool StartProgram(const std::string& path) override {
        calls.push_back("StartProgram " + path);
        return true;
    }
    Picture LoadStoredPicture(StoredPicture which) override {
        Picture p;
        p.width = which == StoredPicture::Cloud ? 271 : 152;
        p.height = which == StoredPicture::Cloud ? 167 : 112;
        p.rgb.assign(static_cast<std::size_t>(p.width * p.height * 3), 200);
        return p;
    }
    void EndProcess() override {
        calls.push_back("EndProcess");
        ended = true;
    }
};

class FakeForms;

class FakeWindow final : public HostWindow {
public:
    struct TimerState {
        std::uint32_t interval = 0;
        bool on = false;
    };
    FakeWindow(FakeForms& forms, WindowHandle handle, FormEvents& events, std::string caption)
        : forms_(forms), handle_(handle), events_(events), caption_(std::move(caption)) {}

    WindowHandle Handle() const override { return handle_; }
    void SetTimer(int id, std::uint32_t interval, bool on) override { timers[id] = {interval, on}; }
    void SetPicture(const Picture& picture, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height) override;
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    void Show() override;

    /// Delivers a tick, as the message loop does, only while the timer is on.
    bool tick(int id) {
        if (!timers[id].on) return false;
        events_.OnTimer(id);
        return true;
    }
    FormEvents& events() { return events_; }
    const std::string& caption() const { return caption_; }

    std::map<int, TimerState> timers;

private:
    FakeForms& forms_;
    WindowHandle handle_;
    FormEvents& events_;
    std::string caption_;
};

class FakeForms final : public Forms {
public:
    explicit FakeForms(FakePlatform& platform) : platform_(platform) {}

    std::unique_ptr<HostWindow> CreateSaverWindow(const std::string& caption, FormEvents& events) override {
        return make("CreateSaverWindow", caption, events, 0x00CF0000);
    }
    std::unique_ptr<HostWindow> CreatePreviewWindow(const std::string& caption, FormEvents& events) override {
        return make("CreatePreviewWindow", caption, events, static_cast<std::int32_t>(0x80000000u));
    }
    void RunMessageLoop() override {}

    FakeWindow* last = nullptr;
    std::vector<std::string>& calls() { return platform_.calls; }

private:
    std::unique_ptr<HostWindow> make(const std::string& call, const std::string& caption, FormEvents& events,
                                     std::int32_t style) {
        const WindowHandle handle = nextHandle_++;
        platform_.calls.push_back(call + " " + caption);
        platform_.styles[handle] = style;
        auto window = std::make_unique<FakeWindow>(*this, handle, events, caption);
        last = window.get();
        return window;
    }
    FakePlatform& platform_;
    WindowHandle nextHandle_ = 0x500;
};

inline void FakeWindow::SetPicture(const Picture& picture, std::int32_t left, std::int32_t top,
                                   std::int32_t width, std::int32_t height) {
    forms_.calls().push_back("SetPicture " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
                             " at " + std::to_string(left) + "," + std::to_string(top) + " " +
                             std::to_string(width) + "x" + std::to_string(height));
}
inline void FakeWindow::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    forms_.calls().push_back("Move " + std::to_string(left) + "," + std::to_string(top) + " " +
                             std::to_string(width) + "x" + std::to_string(height));
}
inline void FakeWindow::Show() { forms_.calls().push_back("Show"); }

}  // namespace zorun::host::testing
