// The settings dialog `Zorun_P`: load steps, painting, option selection, file chooser, store and close.
#include "host/dialog/settings_dialog.h"

#include "host/decimal_text.h"
#include "host/dialog/dialog_gradient.h"
#include "host/dialog/dialog_layout.h"

#include <cmath>
#include <limits>
#include <optional>

namespace zorun::host {

namespace {

// A file chooser's buffers, as the record gives them.
constexpr std::uint32_t kChooserBuffer = 255;

// A path the settings file can hold: it fits the chooser's buffer with its NUL, and has no line break,
// which would split the value's line (the settings file refuses to store it).
bool storablePath(const std::string& path)
{
    return path.size() < kChooserBuffer && path.find_first_of("\r\n") == std::string::npos;
}

std::optional<std::int16_t> toInt16(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace

Rect pointRect(ZoomPoint point)
{
    return {point.x, point.y, point.x, point.y};
}

std::int16_t repeatTrackFromText(const std::string& text, std::int16_t current)
{
    const DecimalText number = scanDecimal(text);
    std::size_t end = number.end;
    while (end < text.size() && isBlank(text[end]))
        ++end;
    if (!number.hasDigits() || end != text.size())
        return 0;
    // Beyond six whole digits the number cannot fit anyway; keep the sum small.
    if (number.whole.find_first_not_of('0') != std::string_view::npos &&
        number.whole.size() - number.whole.find_first_not_of('0') > 6)
        return current;
    double value = 0;
    for (char digit : number.whole)
        value = value * 10 + (digit - '0');
    // Only the first fraction digits can decide a rounding of a number this small.
    double scale = 0.1;
    for (std::size_t i = 0; i < number.fraction.size() && i < 12; ++i, scale /= 10)
        value += (number.fraction[i] - '0') * scale;
    if (number.negative)
        value = -value;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return current;
    return static_cast<std::int16_t>(rounded);
}

Zorun_P::Zorun_P(DialogView& view, DialogShell& shell, SettingsWriter& writer, SharedSettings& settings,
                 std::string homePage, const PathStyle& pathStyle)
    : view_(view),
      shell_(shell),
      writer_(writer),
      settings_(settings),
      homePage_(std::move(homePage)),
      pathStyle_(pathStyle)
{}

void Zorun_P::Form_Load()
{
    // Centred across, one third down.
    std::int32_t screenWidth = 0, screenHeight = 0, width = 0, height = 0;
    view_.ScreenSize(screenWidth, screenHeight);
    view_.WindowSize(width, height);
    view_.MoveWindow((screenWidth - width) / 2, (screenHeight - height) / 3);

    view_.InitButtons();
    view_.SetComboEnabled(false);
    showOption(settings_.BGM_Kind);
    if (settings_.BGM_Kind == 1)
        view_.SetComboEnabled(true);
    view_.SetFileButtonEnabled(settings_.BGM_Kind == 2);
    view_.SetComboText(settings_.BGM_RepeatTrack == 0 ? std::string() : std::to_string(settings_.BGM_RepeatTrack));

    std::vector<std::string> entries{""};
    for (int track = 1; track <= 30; ++track)
        entries.push_back(std::to_string(track));
    view_.SetComboList(entries);

    view_.SetFileLabel(settings_.BGM_File);

    std::int32_t x = 0, y = 0;
    zoomPoint_ = {};
    if (shell_.GetCursorPos(x, y)) {
        // A coordinate beyond 16 bits fails its conversion, and the point stays where it was.
        const auto px = toInt16(x), py = toInt16(y);
        if (px && py)
            zoomPoint_ = {*px, *py};
    }
    ZoomOpen();
    view_.SetBusyPointer(false);
}

void Zorun_P::paint(Surface surface, std::uint32_t (*colour)(std::int32_t))
{
    std::int32_t width = 0, height = 0;
    view_.ClientSize(surface, width, height);
    for (std::int32_t y = 0; y <= height; ++y)
        view_.DrawLine(surface, y, width, colour(dialog::gradientShade(y, height)));
}

void Zorun_P::Form_Resize()
{
    paint(Surface::Dialog, dialog::dialogRowColour);
    paint(Surface::Panel, dialog::panelRowColour);
}

void Zorun_P::Form_Unload()
{
    ZoomClose();
}

void Zorun_P::showOption(int selected)
{
    for (int element = 0; element < dialog::kOptionCount; ++element)
        view_.SetOptionPicture(element, false);
    // A kind that names no element leaves every mark unselected.
    if (selected >= 0 && selected < dialog::kOptionCount)
        view_.SetOptionPicture(selected, true);
}

void Zorun_P::Option_MouseDown(int index)
{
    settings_.BGM_Kind = static_cast<std::int16_t>(index);
    view_.SetFileButtonEnabled(false);
    view_.SetComboEnabled(false);
    showOption(index);
    if (index == 1)
        view_.SetComboEnabled(true);
    if (index == 2)
        view_.SetFileButtonEnabled(true);
}

void Zorun_P::Cmd_File_Click()
{
    OpenFileRequest request;
    request.filterDescription = dialog::kFilterDescription;
    request.filterPattern = dialog::kFilterPattern;
    request.initialFolder = settings_.BGM_Folder;
    request.title = dialog::kChooserTitle;
    request.fileBufferLength = kChooserBuffer;
    request.titleBufferLength = kChooserBuffer;
    request.flags = 0;
    const std::optional<std::string> chosen = shell_.GetOpenFileNameA(request);
    if (!chosen || !storablePath(*chosen))
        return;
    settings_.BGM_File = *chosen;
    view_.SetFileLabel(settings_.BGM_File);
    settings_.BGM_Folder = FolderOf(settings_.BGM_File, pathStyle_);
}

void Zorun_P::Cmd_Set_Click()
{
    settings_.BGM_RepeatTrack = repeatTrackFromText(view_.ComboText(), settings_.BGM_RepeatTrack);
    const IniValues values{{kKeyKind, IniNumberText(settings_.BGM_Kind)},
                           {kKeyRepeatTrack, IniNumberText(settings_.BGM_RepeatTrack)},
                           {kKeyFile, settings_.BGM_File}};
    // A store that fails must not pass for one: the dialog stays open with the choice, and says why.
    std::string reason;
    if (!writer_.StoreValues(values, reason)) {
        view_.ShowStoreFailure({dialog::kMessageCaption, dialog::kStoreFailedText, writer_.File(), reason});
        return;
    }
    view_.Close();
}

void Zorun_P::Cmd_Can_Click()
{
    view_.Close();
}

void Zorun_P::Form_KeyEscape()
{
    view_.Close();
}

void Zorun_P::lbl_URL_Click()
{
    view_.SetBusyPointer(true);
    shell_.ShellExecuteA(homePage_);
    view_.SetBusyPointer(false);
}

void Zorun_P::Form_MouseDown(MouseButton button, std::int32_t x, std::int32_t y)
{
    if (const int option = dialog::optionAt(x, y); option >= 0)
        Option_MouseDown(option);
    // Any other press in between, or one elsewhere, is no click of the link.
    linkPressed_ = button == MouseButton::Left && OverLink(x, y);
}

void Zorun_P::Form_MouseUp(MouseButton button, std::int32_t x, std::int32_t y)
{
    if (button != MouseButton::Left)
        return;
    const bool click = linkPressed_ && OverLink(x, y);
    linkPressed_ = false;
    if (click)
        lbl_URL_Click();
}

bool Zorun_P::OverLink(std::int32_t x, std::int32_t y)
{
    return dialog::kLink.contains(x, y);
}

void Zorun_P::ZoomOpen()
{
    Rect to;
    if (!shell_.GetWindowRect(to))
        return;
    shell_.DrawAnimatedRects(pointRect(zoomPoint_), to);
}

void Zorun_P::ZoomClose()
{
    Rect from;
    if (!shell_.GetWindowRect(from))
        return;
    shell_.DrawAnimatedRects(from, pointRect(zoomPoint_));
}

}  // namespace zorun::host
