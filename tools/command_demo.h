// The Command button demo: three buttons as the settings dialog places them, one disabled; each Click and
// each button's place on the screen are printed, for a person and for the end-to-end tests.
#pragma once

#include "host/button/command_window.h"

#include <memory>
#include <vector>

namespace zorun::tools {

inline constexpr int kDemoWidth = 240;
inline constexpr int kDemoHeight = 60;

/// Prints "click N" for button N (1 to 3), at once.
class ClickPrinter final : public host::CommandEvents {
public:
    explicit ClickPrinter(int number) : number_(number) {}
    void Click() override;
    void PropertyChanged(const std::string&) override {}

private:
    int number_;
};

/// Makes the three buttons in container with makeButton and sets them up as the dialog does: size,
/// persisted caption and font, Initialize, and Enabled (the third one off).
class CommandDemo {
public:
    CommandDemo(std::intptr_t container, const host::FramePictures& pictures, host::CommandWindowFactory makeButton);
    /// Prints "button N X Y W H" for each button's screen rectangle, then "ready".
    void PrintLayout();

private:
    std::vector<std::unique_ptr<ClickPrinter>> printers_;
    std::vector<std::unique_ptr<host::CommandWindow>> buttons_;
};

}  // namespace zorun::tools
