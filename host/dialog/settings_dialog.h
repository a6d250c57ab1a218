// The settings dialog `Zorun_P`: the music source, the CD track to repeat and the music file, stored on "設定".
#pragma once

#include "host/dialog/dialog_ports.h"
#include "host/profile/program_folder.h"
#include "host/settings_file.h"

#include <cstdint>
#include <string>

namespace zorun::host {

/// A screen point as the dialog keeps it: two 16-bit values.
struct ZoomPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

/// The zero-size rectangle at a point, where the zoom starts and ends.
Rect pointRect(ZoomPoint point);

/// The dialog's portable logic. Its view forwards the window's events to the handlers below.
class Zorun_P {
public:
    /// homePage: the address shown in `lbl_URL` and opened on a click.
    Zorun_P(DialogView& view, DialogShell& shell, SettingsWriter& writer, SharedSettings& settings,
            std::string homePage, const PathStyle& pathStyle = HostPathStyle());

    /// Load steps: placement, buttons, combo box, option marks, file label, zoom from the pointer.
    void Form_Load();
    /// Paints the dialog's and the panel's gradients.
    void Form_Resize();
    /// Zooms back to the pointer.
    void Form_Unload();

    /// Stores the three keys as one store and closes; a store that fails keeps the dialog open and shows
    /// the file and the system's reason.
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    /// Escape: closes the dialog as its close box does; nothing is stored.
    void Form_KeyEscape();
    /// The file chooser; a path the settings file cannot hold is refused as a cancel.
    void Cmd_File_Click();
    /// Mouse-down (any button) on option mark or option label `index`.
    void Option_MouseDown(int index);
    void lbl_URL_Click();

    /// A press at a point of the dialog's client area: any button on an option's mark or label picks it;
    /// a left press on the link starts its click.
    void Form_MouseDown(MouseButton button, std::int32_t x, std::int32_t y);
    /// A release: the link's Click when the left press on it is let go on it.
    void Form_MouseUp(MouseButton button, std::int32_t x, std::int32_t y);
    /// Whether a point of the client area is on the link, where the pointer is a hand.
    static bool OverLink(std::int32_t x, std::int32_t y);

private:
    void showOption(int selected);
    void ZoomOpen();
    void ZoomClose();
    void paint(Surface surface, std::uint32_t (*colour)(std::int32_t));

    DialogView& view_;
    DialogShell& shell_;
    SettingsWriter& writer_;
    SharedSettings& settings_;
    std::string homePage_;
    const PathStyle& pathStyle_;
    ZoomPoint zoomPoint_;
    bool linkPressed_ = false;
};

/// The combo box's text as a repeat track: a decimal number (blanks around it, a sign, a fraction)
/// rounded half to even; 0 for a text that is not a number; `current` for a number beyond 16 bits.
std::int16_t repeatTrackFromText(const std::string& text, std::int16_t current);

}  // namespace zorun::host
