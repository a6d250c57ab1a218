// The Command button's face on Win32: a memory bitmap as the persistent image, drawn with GradientFill and
// StretchBlt.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/button/command_window.h"
#include "host/drawing/drawing_kit_win32.h"

#include <array>

namespace zorun::host {

class Win32FaceCanvas final : public FaceCanvas {
public:
    explicit Win32FaceCanvas(const FramePictures& pictures);

    /// The tab stop asked for before the window was made is applied to it now.
    void attach(HWND window);
    void resize(std::int32_t width, std::int32_t height);
    /// The image, or the container's background while the face is transparent.
    void paint(HDC dc);

    void ClientSize(std::int32_t& width, std::int32_t& height) override;
    double TwipsPerPixel() override;
    void Clear() override;
    void PaintPiece(FramePicture picture, const PixelRect& destination, const PixelRect& source) override;
    void GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect) override;
    void Refresh() override;
    void SetOpaque(bool opaque) override;
    void SetTabStop(bool stop) override;

private:
    HWND window_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    MemoryImage image_;
    std::array<MemoryImage, kFramePictureCount> pictures_;
    bool opaque_ = true;
    bool tabStop_ = false;
};

}  // namespace zorun::host
