// A button window that answers as the platform does: it draws into a software image, keeps a log of the
// faces drawn, and has a pointer the test places over the button, the container or elsewhere.
#pragma once

#include "host/button/command.h"
#include "host/button/face_image.h"

#include <string>
#include <tuple>
#include <vector>

namespace zorun::host {

inline constexpr ToolkitWindow kOwnWindow = 0x100;
inline constexpr ToolkitWindow kContainerWindow = 0x200;
inline constexpr ToolkitWindow kOtherWindow = 0x300;

/// A 64 x 25 picture whose every pixel tells where it came from: red = picture, green = x, blue = y.
inline Picture markedPicture(int which)
{
    Picture picture{64, 25, {}};
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 64; ++x)
            picture.rgb.insert(picture.rgb.end(), {static_cast<std::uint8_t>(which), static_cast<std::uint8_t>(x),
                                                   static_cast<std::uint8_t>(y)});
    return picture;
}

struct FakeCommandView : FaceCanvas, CaptionLabel, HoverProbe, CommandEvents {
    // The window.
    std::int32_t width = 117;
    std::int32_t height = 28;
    FaceImage image;
    std::vector<FramePicture> faces;  // the picture of each face drawn, in order
    std::vector<PixelRect> pieceDestinations, pieceSources;
    bool opaque = true;
    bool tabStop = true;  // as a window is created, until the control says otherwise
    // The caption.
    std::string text;
    std::uint32_t colour = 0xFFFFFFFF;
    bool labelEnabled = true;
    PixelRect labelRect;
    // The pointer and the timer.
    ToolkitWindow underPointer = kOtherWindow;
    ToolkitWindow container = kContainerWindow;
    bool timerOn = false;
    std::uint32_t timerInterval = 0;
    // The container.
    int clicks = 0;
    std::vector<std::string> changed;

    void ClientSize(std::int32_t& w, std::int32_t& h) override { std::tie(w, h) = std::tie(width, height); }
    double TwipsPerPixel() override { return 15.0; }
    void Clear() override
    {
        image.Resize(width, height);
        image.Fill(0x123456);
        pieceDestinations.clear();
        pieceSources.clear();
    }
    void PaintPiece(FramePicture picture, const PixelRect& destination, const PixelRect& source) override
    {
        if (pieceDestinations.empty())
            faces.push_back(picture);
        pieceDestinations.push_back(destination);
        pieceSources.push_back(source);
        image.PaintPiece(markedPicture(static_cast<int>(picture) + 1), destination, source);
    }
    void GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect) override
    {
        image.GradientFill(vertices, count, rect);
    }
    void Refresh() override {}
    void SetOpaque(bool value) override { opaque = value; }
    void SetTabStop(bool stop) override { tabStop = stop; }

    void Place(const PixelRect& rect) override { labelRect = rect; }
    void SetText(const std::string& utf8) override { text = utf8; }
    void SetColour(std::uint32_t value) override { colour = value; }
    void SetFont(const CaptionFont&) override {}
    void SetEnabled(bool enabled) override { labelEnabled = enabled; }

    bool GetCursorPos(std::int32_t& x, std::int32_t& y) override
    {
        x = 10;
        y = 20;
        return true;
    }
    ToolkitWindow WindowFromPoint(std::int32_t, std::int32_t) override { return underPointer; }
    ToolkitWindow OwnWindow() override { return kOwnWindow; }
    ToolkitWindow ContainerWindow() override { return container; }
    void SetHoverTimer(bool on, std::uint32_t intervalMs) override
    {
        timerOn = on;
        timerInterval = intervalMs;
    }

    void Click() override { ++clicks; }
    void PropertyChanged(const std::string& name) override { changed.push_back(name); }
};

}  // namespace zorun::host
