// Command: the host's own push button. Portable logic: properties, face drawing, the four-state machine.
#pragma once

#include "host/button/command_ports.h"
#include "host/button/face_geometry.h"
#include "host/button/property_bag.h"

#include <array>
#include <cstdint>
#include <string>

namespace zorun::host {

/// Mouse buttons as the handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

/// Keys as the key handlers receive them: Windows' virtual-key codes.
inline constexpr int kSpaceKey = 0x20;

inline constexpr std::uint32_t kHoverIntervalMs = 100;

/// One button. Its adapter forwards the window's resize, focus, mouse (of the control and of its caption)
/// and hover-timer events to the On* handlers; the container uses the public members.
class Command {
public:
    Command(FaceCanvas& canvas, CaptionLabel& label, HoverProbe& probe, CommandEvents& events);

    /// Starts hover tracking: state normal, the 100 ms hover timer on. Draws nothing.
    void Initialize();

    /// 0 when transparent, else 255; setting any non-zero value makes the face opaque.
    std::uint8_t Visible();
    void SetVisible(std::uint8_t New_Visible);
    /// The caption colour, 0x00BBGGRR.
    std::uint32_t FontColour();
    void SetFontColour(std::uint32_t New_FontColour);
    /// The first query of a control created without a persisted set switches it on.
    bool Enabled();
    void SetEnabled(bool New_Enabled);
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& New_Caption);
    CaptionFont Font() const { return font_; }
    void SetFont(const CaptionFont& New_Font);

    /// Loads and saves the persisted set; ambientFont is the container's font, the default of "Font".
    void ReadProperties(const PropertyBag& bag, const CaptionFont& ambientFont);
    void WriteProperties(PropertyBag& bag, const CaptionFont& ambientFont);

    void OnResize();
    void OnGotFocus();
    void OnLostFocus();
    void OnMouseDown(int button);
    void OnMouseMove(int button);
    void OnMouseUp(int button);
    void OnHoverTick();
    /// Space on the focused control is a click: the pressed face while it is held, Click on its release.
    void OnKeyDown(int key);
    void OnKeyUp(int key);

    /// 0 before Initialize; 1 normal, 2 hover, 3 focused, 4 focused and hovered.
    std::uint8_t ButtonState() const { return buttonState_; }
    bool ButtonEnabled() const { return buttonEnabled_; }
    bool MouseIsDown() const { return mouseIsDown_; }
    bool GradientInverted() const { return gradientInverted_; }
    std::uint8_t FirstRun() const { return firstRun_; }

private:
    void ShowNormalLook();
    void ShowEnabledLook();
    void DrawFace(FramePicture picture);
    void FillFaceGradient();
    void EndHover();
    void setButtonEnabled(bool enabled);

    FaceCanvas& canvas_;
    CaptionLabel& label_;
    HoverProbe& probe_;
    CommandEvents& events_;

    std::uint8_t buttonState_ = 0;
    bool buttonEnabled_ = false;
    std::uint8_t firstRun_ = 0;
    bool mouseIsDown_ = false;
    bool spaceIsDown_ = false;
    bool gradientInverted_ = false;
    FaceGeometry face_;
    std::array<GradientVertex, 3> faceVertices_{};
    GradientRect faceRect_{};

    // What the caption label and the background style hold.
    std::string caption_ = "Command";
    std::uint32_t captionColour_ = 0;
    CaptionFont font_;
    bool opaque_ = true;
};

}  // namespace zorun::host
