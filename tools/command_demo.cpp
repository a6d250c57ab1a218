// The Command button demo's buttons, on either platform.
#include "tools/command_demo.h"

#include <cstdio>

namespace zorun::tools {

namespace {

struct DemoButton {
    const char* caption;
    int left, top, width, height;
    bool enabled;
};

// Captions and sizes of the settings dialog's buttons.
constexpr DemoButton kButtons[] = {
    {"設定", 16, 18, 77, 25, true},
    {"ｷｬﾝｾﾙ", 109, 18, 77, 25, true},
    {"...", 202, 18, 29, 25, false},
};

}  // namespace

void ClickPrinter::Click()
{
    std::printf("click %d\n", number_);
    std::fflush(stdout);
}

CommandDemo::CommandDemo(std::intptr_t container, const host::FramePictures& pictures,
                         host::CommandWindowFactory makeButton)
{
    const host::CaptionFont font;  // the designed font, as the dialog's stored sets hold it
    for (const DemoButton& b : kButtons) {
        printers_.push_back(std::make_unique<ClickPrinter>(static_cast<int>(printers_.size()) + 1));
        auto window = makeButton(container, pictures, *printers_.back());
        window->Move(b.left, b.top, b.width, b.height);
        host::PropertyBag bag;
        bag.Write("Caption", std::string(b.caption), std::string("Command"));
        bag.Write("Font", font, host::CaptionFont{"", 0, 0, false, false, false, 0});
        window->Control().ReadProperties(bag, host::CaptionFont{"", 0, 0, false, false, false, 0});
        window->Control().Initialize();
        if (!b.enabled)
            window->Control().SetEnabled(false);
        buttons_.push_back(std::move(window));
    }
}

void CommandDemo::PrintLayout()
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const host::PixelRect r = buttons_[i]->ScreenRect();
        std::printf("button %zu %d %d %d %d\n", i + 1, r.x, r.y, r.width, r.height);
    }
    std::printf("ready\n");
    std::fflush(stdout);
}

}  // namespace zorun::tools
