// The Command button's caption on Win32: a child window that lets the mouse through to the button and
// draws only its text.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/button/command_ports.h"

#include <string>

namespace zorun::host {

class Win32CaptionLabel final : public CaptionLabel {
public:
    ~Win32CaptionLabel() override;

    /// The label's window, made in button and shown; the label draws it from now on.
    void create(HWND button);

    void Place(const PixelRect& rect) override;
    void SetText(const std::string& utf8) override;
    void SetColour(std::uint32_t colour) override;
    void SetFont(const CaptionFont& font) override;
    void SetEnabled(bool enabled) override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc);
    void redraw();

    HWND window_ = nullptr;
    std::wstring text_;
    COLORREF colour_ = 0;
    HFONT font_ = nullptr;
    bool enabled_ = true;
};

}  // namespace zorun::host
