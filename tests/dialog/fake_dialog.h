// A dialog window, platform and settings file that remember what the dialog did to them.
#pragma once

#include "host/dialog/settings_dialog.h"

#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace zorun::host {

struct FakeDialogView final : DialogView {
    std::int32_t screenWidth = 1280, screenHeight = 1024;
    // A frame of 3 pixels and a 26-pixel caption around the 496 x 243 client area.
    std::int32_t windowWidth = 502, windowHeight = 272;
    std::int32_t left = -1, top = -1;
    bool buttonsInitialized = false;
    bool fileButtonEnabled = true;
    bool comboEnabled = true;
    std::string comboText = "unset";
    std::vector<std::string> comboList;
    std::vector<int> selectedMarks;  // elements holding the selected picture
    std::string fileLabel = "unset";
    std::map<Surface, std::pair<std::int32_t, std::int32_t>> sizes{{Surface::Dialog, {496, 243}},
                                                                   {Surface::Panel, {469, 165}}};
    std::map<Surface, std::vector<std::uint32_t>> rows;  // colour of each line, by y
    std::vector<bool> pointer;                           // each SetBusyPointer
    bool closed = false;

    void ScreenSize(std::int32_t& w, std::int32_t& h) override { w = screenWidth, h = screenHeight; }
    void WindowSize(std::int32_t& w, std::int32_t& h) override { w = windowWidth, h = windowHeight; }
    void MoveWindow(std::int32_t l, std::int32_t t) override { left = l, top = t; }
    void InitButtons() override { buttonsInitialized = true; }
    void SetFileButtonEnabled(bool enabled) override { fileButtonEnabled = enabled; }
    void SetComboEnabled(bool enabled) override { comboEnabled = enabled; }
    void SetComboText(const std::string& text) override { comboText = text; }
    std::string ComboText() override { return comboText; }
    void SetComboList(const std::vector<std::string>& entries) override { comboList = entries; }
    void SetOptionPicture(int element, bool selected) override
    {
        std::erase(selectedMarks, element);
        if (selected)
            selectedMarks.push_back(element);
    }
    void SetFileLabel(const std::string& path) override { fileLabel = path; }
    void ClientSize(Surface s, std::int32_t& w, std::int32_t& h) override { std::tie(w, h) = sizes[s]; }
    void DrawLine(Surface s, std::int32_t y, std::int32_t width, std::uint32_t colour) override
    {
        auto& lines = rows[s];
        if (width == sizes[s].first && y == static_cast<std::int32_t>(lines.size()))
            lines.push_back(colour);
    }
    void SetBusyPointer(bool busy) override { pointer.push_back(busy); }
    void ShowStoreFailure(const StoreFailure& failure) override { failures.push_back(failure); }
    void Close() override { closed = true; }
    std::vector<StoreFailure> failures;  // each message box shown
};

struct FakeDialogShell final : DialogShell {
    bool cursorKnown = true;
    std::int32_t cursorX = 700, cursorY = 500;
    Rect window{389, 250, 891, 522};
    std::vector<std::pair<Rect, Rect>> zooms;
    std::optional<std::string> chosen;  // what the person picks; nothing is a cancel
    std::vector<OpenFileRequest> requests;
    std::vector<std::string> opened;

    bool GetCursorPos(std::int32_t& x, std::int32_t& y) override
    {
        return cursorKnown && (x = cursorX, y = cursorY, true);
    }
    bool GetWindowRect(Rect& rect) override { return rect = window, true; }
    void DrawAnimatedRects(const Rect& from, const Rect& to) override { zooms.emplace_back(from, to); }
    std::optional<std::string> GetOpenFileNameA(const OpenFileRequest& request) override
    {
        return requests.push_back(request), chosen;
    }
    void ShellExecuteA(const std::string& address) override { opened.push_back(address); }
};

// Stores all or nothing, as the settings file does; a reason makes the next stores fail with it.
struct FakeSettingsWriter final : SettingsWriter {
    using Values = std::vector<std::pair<std::string, std::string>>;
    std::string file = "C:\\Zorun\\Zorun.ini";
    std::optional<std::string> failWith;
    std::vector<Values> stores;  // what was stored, one entry per store that succeeded

    bool StoreValues(const Values& values, std::string& reason) override
    {
        if (failWith)
            return reason = *failWith, false;
        return stores.push_back(values), true;
    }
    const std::string& File() const override { return file; }
};

}  // namespace zorun::host
