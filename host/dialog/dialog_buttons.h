// The settings dialog's three Command buttons, set up as the dialog's stored property sets hold them.
#pragma once

#include "host/button/command_window.h"
#include "host/dialog/dialog_layout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace zorun::host {

class Zorun_P;

/// "設定", "ｷｬﾝｾﾙ" and "..." in the dialog's containers, each with its caption and the dialog's font read
/// from its stored set, its Click going to the dialog's logic. They stay idle until initialize().
class DialogButtons {
public:
    /// dialog and panel: the containers of the buttons on the dialog and of the one on the panel (see
    /// CommandWindowFactory; the same window where the panel has none of its own). panelLeft, panelTop:
    /// where the panel's corner lies in its container. makeButton: the view's own button.
    DialogButtons(std::intptr_t dialog, std::intptr_t panel, std::int32_t panelLeft, std::int32_t panelTop,
                  const FramePictures& pictures, CommandWindowFactory makeButton, Zorun_P& form);
    ~DialogButtons();
    DialogButtons(const DialogButtons&) = delete;
    DialogButtons& operator=(const DialogButtons&) = delete;

    /// The dialog's InitButtons: each button's Initialize.
    void initialize();
    void setFileEnabled(bool enabled);
    /// The button's own window (see CommandWindow::NativeWindow).
    std::intptr_t nativeWindow(dialog::DialogCommand command);

private:
    struct Button;
    std::array<std::unique_ptr<Button>, std::size(dialog::kCommands)> buttons_;
};

}  // namespace zorun::host
