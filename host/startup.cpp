// `Main` of the host: the single-instance guard, the mode letter, and the start of each mode.
#include "host/startup.h"

#include "common/win32_numbers.h"
#include "host/decimal_text.h"
#include "host/preview_window.h"
#include "host/saver_window.h"
#include "common/ascii.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace zorun::host {

namespace {

// The nearest integer of type T (ties to even), or nothing when value does not fit.
template <typename T>
std::optional<T> nearest(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<T>::max())))
        return std::nullopt;
    return static_cast<T>(rounded);
}

// Preview steps P1 to P9.
std::unique_ptr<OpenWindows> startPreview(HostContext& context)
{
    auto& desktop = context.platform.desktop;
    const WindowHandle host = PreviewHandle(context.commandLine);

    Rect rect;
    desktop.GetWindowRect(host, rect);

    // Twips in 16 bits: a host that does not fit leaves that size at 0.
    const double twipsX = context.platform.screen.TwipsPerPixelX();
    const double twipsY = context.platform.screen.TwipsPerPixelY();
    const std::int16_t left = 0;
    const std::int16_t top = 0;
    const std::int16_t width =
        nearest<std::int16_t>((static_cast<double>(rect.right) - rect.left) * twipsX).value_or(0);
    const std::int16_t height =
        nearest<std::int16_t>((static_cast<double>(rect.bottom) - rect.top) * twipsY).value_or(0);

    auto preview = std::make_unique<Zorun_R>(context);
    const WindowHandle self = preview->Handle();
    const std::int32_t style = desktop.GetWindowLongA(self, windowLong::style);
    desktop.SetWindowLongA(self, windowLong::style, style | static_cast<std::int32_t>(windowStyle::child));
    desktop.SetParent(self, host);

    // Back to pixels; a size that is not positive shows nothing.
    auto pixels = [](std::int16_t twips, double perPixel) -> std::int32_t {
        if (twips <= 0 || !(perPixel > 0))
            return 0;
        return nearest<std::int32_t>(twips / perPixel).value_or(0);
    };
    const std::int32_t widthPixels = pixels(width, twipsX);
    const std::int32_t heightPixels = pixels(height, twipsY);
    preview->Move(left, top, widthPixels, heightPixels);
    preview->PlaceImage(widthPixels, heightPixels);
    preview->Show();
    return preview;
}

}  // namespace

std::string ModeLetter(const std::string& commandLine)
{
    if (commandLine.size() < 2)
        return {};
    return std::string(1, ascii::toUpper(commandLine[1]));
}

std::int32_t PreviewHandle(const std::string& commandLine)
{
    if (commandLine.size() < 4)
        return 0;
    const DecimalText number = scanDecimal(commandLine, 3);
    if (!number.hasDigits())
        return 0;
    double value = 0;
    for (char digit : number.whole)
        value = value * 10 + (digit - '0');
    double scale = 0.1;
    for (char digit : number.fraction) {
        value += (digit - '0') * scale;
        scale /= 10;
    }
    if (number.negative)
        value = -value;
    // The nearest 32-bit value: beyond the range that is the end of the range.
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return nearest<std::int32_t>(value).value_or(0);
}

std::unique_ptr<OpenWindows> Main(HostContext& context)
{
    auto& desktop = context.platform.desktop;
    auto& processes = context.platform.processes;

    // Both lookups are always made. Runs side by side find each other's saver by design; they draw in
    // windows they were given, which an ending run would leave to its caller's error text.
    const WindowHandle saver = desktop.FindWindowA(kSaverCaption);
    const WindowHandle dialog = desktop.FindWindowA(kDialogCaption);
    if ((saver != 0 || dialog != 0) && context.musicClaim == nullptr) {
        processes.EndProcess();
        return nullptr;
    }

    const std::string letter = ModeLetter(context.commandLine);
    if (letter == "P")
        return startPreview(context);

    if (!context.textureFolder.empty())
        context.platform.files.CreateFolder(context.textureFolder);  // an existing folder is fine
    if (context.loadSettings)
        context.loadSettings();

    if (letter == "C") {
        if (context.showSettingsDialog)
            context.showSettingsDialog();
        processes.EndProcess();
        return nullptr;
    }
    if (!context.commandLine.empty() && letter != "S") {
        processes.EndProcess();
        return nullptr;
    }
    if (letter == "S")
        desktop.ShowCursor(false);

    auto window = std::make_unique<Zorun_S>(context);
    window->Form_Load();
    return window;
}

}  // namespace zorun::host
