// The Win32 settings dialog's painted image: the gradients, the option pictures and the labels.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/dialog/dialog_layout.h"
#include "host/dialog/dialog_ports.h"
#include "host/drawing/drawing_kit_win32.h"

#include <array>
#include <optional>
#include <string>

namespace zorun::host {

/// The client area as painted: a persistent image the gradients are drawn into line by line, and what
/// lies on it (the heading frame, the option pictures, the labels). Each change answers the part of the
/// client area to paint again.
class DialogImage {
public:
    /// The option pictures, not selected and selected, converted once.
    DialogImage(const Picture& option, const Picture& optionSelected);
    ~DialogImage();
    DialogImage(const DialogImage&) = delete;
    DialogImage& operator=(const DialogImage&) = delete;

    /// The labels' font, for the controls too.
    HFONT labelFont() const { return font_; }

    /// Row y of a surface from its left edge over width + 1 pixels, cut at its edge; nothing outside it.
    std::optional<RECT> drawLine(Surface surface, std::int32_t y, std::int32_t width, std::uint32_t colour);
    /// Option mark element (an index below dialog::kOptionCount) selected or not.
    RECT setOption(int element, bool selected);
    /// The path under the file button, in the system's code page.
    RECT setFileLabel(const std::string& path);

    /// The whole client area into dc.
    void paint(HDC dc) const;

private:
    void composeOn(HDC dc) const;

    MemoryImage backing_;
    std::array<MemoryImage, 2> optionImages_;  // unselected, selected
    std::array<bool, dialog::kOptionCount> selected_{};
    std::wstring fileLabel_;
    HFONT font_ = nullptr;
    HFONT linkFont_ = nullptr;
};

}  // namespace zorun::host
