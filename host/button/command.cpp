// The Command button's behaviour: properties, the persisted set, the face, and the mouse and focus states.
#include "host/button/command.h"

#include "host/button/face_gradient.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace zorun::host {

namespace {

// The caption label's designed height, and how far above the middle it sits.
constexpr double kCaptionHeightTwips = 195;
constexpr double kCaptionRaiseTwips = 20;

constexpr const char* kTrueText = "-1";
constexpr const char* kFalseText = "0";

std::string text(const PropertyBag::Value& value)
{
    const std::string* s = std::get_if<std::string>(&value);
    return s != nullptr ? *s : std::string();
}

// A stored number; nothing when the text is none or does not fit T, so the load step is skipped.
template <typename T>
std::optional<T> number(const PropertyBag::Value& value)
{
    const std::string s = text(value);
    std::int64_t parsed = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), parsed);
    if (error != std::errc() || end != s.data() + s.size() || s.empty())
        return std::nullopt;
    if (parsed < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        parsed > static_cast<std::int64_t>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(parsed);
}

// The control's own buttons; others (a mouse's back and forward buttons) are none of its business.
bool isCommandButton(int button)
{
    return button == kLeftButton || button == kRightButton || button == kMiddleButton;
}

}  // namespace

Command::Command(FaceCanvas& canvas, CaptionLabel& label, HoverProbe& probe, CommandEvents& events)
    : canvas_(canvas), label_(label), probe_(probe), events_(events)
{
    label_.SetText(caption_);
    label_.SetColour(captionColour_);
    label_.SetFont(font_);
    canvas_.SetTabStop(buttonEnabled_);
}

void Command::Initialize()
{
    buttonState_ = 1;
    probe_.SetHoverTimer(true, kHoverIntervalMs);
}

std::uint8_t Command::Visible()
{
    if (!opaque_)
        return 0;
    ShowNormalLook();
    return 255;
}

void Command::SetVisible(std::uint8_t New_Visible)
{
    opaque_ = New_Visible != 0;
    canvas_.SetOpaque(opaque_);
    if (opaque_)
        ShowNormalLook();
    events_.PropertyChanged("Visible");
}

std::uint32_t Command::FontColour()
{
    const std::uint32_t colour = captionColour_;
    ShowNormalLook();
    return colour;
}

void Command::SetFontColour(std::uint32_t New_FontColour)
{
    captionColour_ = New_FontColour;
    label_.SetColour(captionColour_);
    ShowNormalLook();
    events_.PropertyChanged("FontColour");
}

bool Command::Enabled()
{
    if (firstRun_ == 0) {
        ShowNormalLook();
        firstRun_ = 1;
        setButtonEnabled(true);
    }
    const bool enabled = buttonEnabled_;
    ShowEnabledLook();
    return enabled;
}

void Command::SetEnabled(bool New_Enabled)
{
    setButtonEnabled(New_Enabled);
    events_.PropertyChanged("Enabled");
    ShowEnabledLook();
}

void Command::SetCaption(const std::string& New_Caption)
{
    caption_ = New_Caption;
    label_.SetText(caption_);
    events_.PropertyChanged("Caption");
}

void Command::SetFont(const CaptionFont& New_Font)
{
    font_ = New_Font;
    label_.SetFont(font_);
    events_.PropertyChanged("Font");
}

void Command::ReadProperties(const PropertyBag& bag, const CaptionFont& ambientFont)
{
    if (const auto enabled = number<std::int16_t>(bag.Read("Enabled", kTrueText)))
        setButtonEnabled(*enabled != 0);
    caption_ = text(bag.Read("Caption", std::string("Command1")));
    label_.SetText(caption_);
    const PropertyBag::Value font = bag.Read("Font", ambientFont);
    if (const auto* stored = std::get_if<CaptionFont>(&font)) {
        font_ = *stored;
        label_.SetFont(font_);
    }
    if (const auto firstRun = number<std::uint8_t>(bag.Read("FirstRun", std::string("1"))))
        firstRun_ = *firstRun;
    if (const auto colour = number<std::uint32_t>(bag.Read("FontColour", std::string("0")))) {
        captionColour_ = *colour;
        label_.SetColour(captionColour_);
    }
    // The background style takes 0 or 1 only; any other value fails the step.
    if (const auto visible = number<std::int16_t>(bag.Read("Visible", std::string("1")));
        visible && *visible >= 0 && *visible <= 1) {
        opaque_ = *visible == 1;
        canvas_.SetOpaque(opaque_);
    }
    ShowNormalLook();
}

void Command::WriteProperties(PropertyBag& bag, const CaptionFont& ambientFont)
{
    bag.Write("Enabled", std::string(buttonEnabled_ ? kTrueText : kFalseText), std::string(kTrueText));
    bag.Write("Caption", caption_, std::string("Command"));
    bag.Write("FirstRun", std::to_string(firstRun_), std::string("1"));
    bag.Write("Font", font_, ambientFont);
    bag.Write("FontColour", std::to_string(captionColour_), std::string("0"));
    bag.Write("Visible", std::string(opaque_ ? "1" : "0"), std::string("1"));
    ShowNormalLook();
}

void Command::setButtonEnabled(bool enabled)
{
    buttonEnabled_ = enabled;
    canvas_.SetTabStop(enabled);
}

void Command::ShowNormalLook()
{
    if (!buttonEnabled_)
        return;
    label_.SetEnabled(true);
    if (firstRun_ == 0) {
        captionColour_ = 0;
        label_.SetColour(captionColour_);
    }
    DrawFace(FramePicture::Normal);
}

void Command::ShowEnabledLook()
{
    DrawFace(buttonEnabled_ ? FramePicture::Normal : FramePicture::Disable);
    label_.SetEnabled(buttonEnabled_);
}

void Command::DrawFace(FramePicture picture)
{
    if (buttonState_ == 1 || buttonState_ == 3)
        gradientInverted_ = false;
    else if (buttonState_ == 2)
        gradientInverted_ = true;

    std::int32_t widthPixels = 0;
    std::int32_t heightPixels = 0;
    canvas_.ClientSize(widthPixels, heightPixels);
    const double twipsPerPixel = canvas_.TwipsPerPixel();
    face_.update(widthPixels * twipsPerPixel, heightPixels * twipsPerPixel);

    canvas_.Clear();
    FillFaceGradient();
    for (const RingPiece& piece : ringPieces(face_))
        canvas_.PaintPiece(picture, toPixels(piece.destination, twipsPerPixel),
                           toPixels(piece.source, kPictureTwipsPerPixel));
    canvas_.Refresh();

    const double captionTop = (face_.height - kCaptionHeightTwips - kCaptionRaiseTwips) / 2.0;
    label_.Place({0, static_cast<std::int32_t>(std::lround(captionTop / twipsPerPixel)),
                  static_cast<std::int32_t>(std::lround(face_.width / twipsPerPixel)),
                  static_cast<std::int32_t>(std::lround(kCaptionHeightTwips / twipsPerPixel))});
}

void Command::FillFaceGradient()
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    canvas_.ClientSize(width, height);
    faceVertices_[0].x = 0;
    faceVertices_[0].y = 0;
    faceVertices_[1].x = width - 1;
    faceVertices_[1].y = height - 1;
    const std::optional<Colour16> light = colourFromText(kFaceLightText);
    const std::optional<Colour16> shade = colourFromText(kFaceShadeText);
    if (light && shade) {
        const Colour16& top = gradientInverted_ ? *shade : *light;
        const Colour16& bottom = gradientInverted_ ? *light : *shade;
        faceVertices_[0].red = top.red;
        faceVertices_[0].green = top.green;
        faceVertices_[0].blue = top.blue;
        faceVertices_[1].red = bottom.red;
        faceVertices_[1].green = bottom.green;
        faceVertices_[1].blue = bottom.blue;
    }
    faceRect_ = {1, 0};
    canvas_.GradientFill(faceVertices_.data(), static_cast<std::uint32_t>(faceVertices_.size()), faceRect_);
    canvas_.Refresh();
}

void Command::EndHover()
{
    if (!buttonEnabled_)
        return;
    if (buttonState_ == 2) {
        buttonState_ = 1;
        DrawFace(FramePicture::Normal);
    } else if (buttonState_ == 4) {
        buttonState_ = 3;
        DrawFace(FramePicture::Selected);
    }
}

void Command::OnResize()
{
    ShowEnabledLook();
}

void Command::OnHoverTick()
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (!probe_.GetCursorPos(x, y))
        return;
    const ToolkitWindow found = probe_.WindowFromPoint(x, y);
    // Without a container window the comparisons fail and the tick ends no hover.
    const ToolkitWindow container = probe_.ContainerWindow();
    if (container == 0)
        return;
    if (found == container)
        EndHover();
    if (found != probe_.OwnWindow() && found != container)
        EndHover();
}

void Command::OnGotFocus()
{
    if (!buttonEnabled_)
        return;
    if (buttonState_ == 2) {
        buttonState_ = 4;
        DrawFace(FramePicture::Pressed);
    } else {
        buttonState_ = 3;
        DrawFace(FramePicture::Selected);
    }
}

void Command::OnLostFocus()
{
    spaceIsDown_ = false;  // Space released elsewhere clicks nothing
    if (!buttonEnabled_ || buttonState_ == 1)
        return;
    buttonState_ = 1;
    DrawFace(FramePicture::Normal);
}

void Command::OnMouseDown(int button)
{
    if (!buttonEnabled_ || button != kLeftButton)
        return;
    mouseIsDown_ = true;
    DrawFace(FramePicture::Pressed);
}

void Command::OnMouseMove(int /*button*/)
{
    if (!buttonEnabled_)
        return;
    if (buttonState_ == 1) {
        buttonState_ = 2;
        DrawFace(FramePicture::HighLight);
    } else if (buttonState_ == 3 && !mouseIsDown_) {
        buttonState_ = 4;
        DrawFace(FramePicture::HighLightSelect);
    }
}

void Command::OnMouseUp(int button)
{
    if (!buttonEnabled_ || !isCommandButton(button))
        return;
    bool click = buttonState_ != 3;
    if (button == kLeftButton) {
        mouseIsDown_ = false;
        if (buttonState_ == 2)
            DrawFace(FramePicture::Normal);
        else if (buttonState_ == 4)
            DrawFace(FramePicture::HighLightSelect);
    } else {
        // The control keeps the mouse from press to release: a right or middle press dragged off and
        // released after the hover tick has seen the pointer leave is no click, as for the left button.
        click = buttonState_ == 2 || buttonState_ == 4;
    }
    // Last: the container may close its window, and with it this control, from its Click handler.
    if (click)
        events_.Click();
}

void Command::OnKeyDown(int key)
{
    // Held, the key repeats: one pressed face is enough.
    if (!buttonEnabled_ || key != kSpaceKey || spaceIsDown_ || (buttonState_ != 3 && buttonState_ != 4))
        return;
    spaceIsDown_ = true;
    DrawFace(FramePicture::Pressed);
}

void Command::OnKeyUp(int key)
{
    if (!buttonEnabled_ || key != kSpaceKey || !spaceIsDown_)
        return;
    spaceIsDown_ = false;
    DrawFace(buttonState_ == 4 ? FramePicture::HighLightSelect : FramePicture::Selected);
    events_.Click();
}

}  // namespace zorun::host
