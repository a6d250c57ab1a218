// What the Command button's portable logic asks of its window (face, caption, pointer) and tells its container.
#pragma once

#include "host/drawing/text_font.h"

#include <cstdint>
#include <string>

namespace zorun::host {

/// A window as the button's toolkit knows it: an HWND's value on Windows, a GdkWindow pointer on Linux (not
/// the X window id the host's platform ports call WindowHandle); 0 is no window.
using ToolkitWindow = std::intptr_t;

/// The six stored 64 x 25 frame pictures a face is cut from.
enum class FramePicture { Normal, HighLight, HighLightSelect, Selected, Pressed, Disable };
inline constexpr int kFramePictureCount = 6;

struct PixelRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PixelRect&) const = default;
};

/// Win32's TRIVERTEX: a position in pixels and 16-bit colour components.
struct GradientVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;
    std::uint16_t alpha = 0;
    bool operator==(const GradientVertex&) const = default;
};

/// Win32's GRADIENT_RECT: indices of the two vertices spanning the rectangle.
struct GradientRect {
    std::uint32_t upperLeft = 0;
    std::uint32_t lowerRight = 0;
};

/// The control's persistent image: everything drawn stays until drawn over; a repaint shows it.
class FaceCanvas {
public:
    virtual ~FaceCanvas() = default;
    /// Client size in pixels and the screen's twips per pixel (15 at 96 dots per inch).
    virtual void ClientSize(std::int32_t& width, std::int32_t& height) = 0;
    virtual double TwipsPerPixel() = 0;
    /// Fills the whole image with the background colour.
    virtual void Clear() = 0;
    /// Copies source (pixels of the picture) onto destination, stretched or shrunk, nearest neighbour.
    virtual void PaintPiece(FramePicture picture, const PixelRect& destination, const PixelRect& source) = 0;
    /// GradientFill with GRADIENT_FILL_RECT_V: one rectangle, colours running from top to bottom.
    virtual void GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect) = 0;
    /// Shows the image on the screen now.
    virtual void Refresh() = 0;
    /// Opaque: the image shows; transparent: the container shows through, only the caption is seen.
    virtual void SetOpaque(bool opaque) = 0;
    /// Whether Tab stops at the control (WS_TABSTOP): only while it is enabled.
    virtual void SetTabStop(bool stop) = 0;
};

/// The caption label over the face. It has no window of its own: the pointer over it is over the control.
class CaptionLabel {
public:
    virtual ~CaptionLabel() = default;
    /// The text centred across the rectangle, wrapped at words.
    virtual void Place(const PixelRect& rect) = 0;
    virtual void SetText(const std::string& utf8) = 0;
    /// Colour as 0x00BBGGRR.
    virtual void SetColour(std::uint32_t colour) = 0;
    virtual void SetFont(const CaptionFont& font) = 0;
    /// A disabled label shows its text in the platform's disabled style.
    virtual void SetEnabled(bool enabled) = 0;
};

/// Where the pointer is, and the hover timer.
class HoverProbe {
public:
    virtual ~HoverProbe() = default;
    /// GetCursorPos: false when the position cannot be had.
    virtual bool GetCursorPos(std::int32_t& x, std::int32_t& y) = 0;
    /// WindowFromPoint: the window under the screen point; 0 when none of ours (or none at all).
    virtual ToolkitWindow WindowFromPoint(std::int32_t x, std::int32_t y) = 0;
    virtual ToolkitWindow OwnWindow() = 0;
    /// The container's window; 0 when it has none.
    virtual ToolkitWindow ContainerWindow() = 0;
    /// Switches the periodic hover timer on (every intervalMs, restarting the interval) or off.
    virtual void SetHoverTimer(bool on, std::uint32_t intervalMs) = 0;
};

/// What the control raises towards its container.
class CommandEvents {
public:
    virtual ~CommandEvents() = default;
    virtual void Click() = 0;
    /// A persisted property changed ("Enabled", "Caption", "Font", "FontColour", "Visible").
    virtual void PropertyChanged(const std::string& name) = 0;
};

}  // namespace zorun::host
