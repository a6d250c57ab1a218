// The settings dialog's three Command buttons.
#include "host/dialog/dialog_buttons.h"

#include "host/dialog/settings_dialog.h"

namespace zorun::host {

namespace {

constexpr bool commandsInEnumOrder()
{
    for (std::size_t i = 0; i < std::size(dialog::kCommands); ++i)
        if (static_cast<std::size_t>(dialog::kCommands[i].command) != i)
            return false;
    return true;
}
static_assert(commandsInEnumOrder(), "a button is found by its DialogCommand");

// Forwards a button's Click to the dialog's handler.
class ClickHandler final : public CommandEvents {
public:
    explicit ClickHandler(std::function<void()> onClick) : onClick_(std::move(onClick)) {}
    void Click() override { onClick_(); }
    void PropertyChanged(const std::string&) override {}

private:
    std::function<void()> onClick_;
};

std::function<void()> clickOf(dialog::DialogCommand command, Zorun_P& form)
{
    switch (command) {
    case dialog::DialogCommand::Set:
        return [&form] { form.Cmd_Set_Click(); };
    case dialog::DialogCommand::Cancel:
        return [&form] { form.Cmd_Can_Click(); };
    case dialog::DialogCommand::File:
        break;
    }
    return [&form] { form.Cmd_File_Click(); };
}

}  // namespace

struct DialogButtons::Button {
    ClickHandler handler;
    std::unique_ptr<CommandWindow> window;

    Button(std::intptr_t container, const FramePictures& pictures, CommandWindowFactory makeButton,
           const dialog::CommandPlace& place, std::int32_t left, std::int32_t top, Zorun_P& form)
        : handler(clickOf(place.command, form)), window(makeButton(container, pictures, handler))
    {
        window->Move(left + place.box.x, top + place.box.y, place.box.width, place.box.height);
        // The stored set holds the caption and the dialog's font; the rest keeps its defaults.
        const CaptionFont none{"", 0, 0, false, false, false, 0};
        PropertyBag bag;
        bag.Write("Caption", std::string(place.caption), std::string("Command"));
        bag.Write("Font", dialog::kLabelFont, none);
        window->Control().ReadProperties(bag, none);
    }
};

DialogButtons::DialogButtons(std::intptr_t dialog, std::intptr_t panel, std::int32_t panelLeft, std::int32_t panelTop,
                             const FramePictures& pictures, CommandWindowFactory makeButton, Zorun_P& form)
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const dialog::CommandPlace& place = dialog::kCommands[i];
        buttons_[i] = std::make_unique<Button>(place.inPanel ? panel : dialog, pictures, makeButton, place,
                                               place.inPanel ? panelLeft : 0, place.inPanel ? panelTop : 0, form);
    }
}

DialogButtons::~DialogButtons() = default;

void DialogButtons::initialize()
{
    for (const auto& button : buttons_)
        button->window->Control().Initialize();
}

void DialogButtons::setFileEnabled(bool enabled)
{
    buttons_[static_cast<std::size_t>(dialog::DialogCommand::File)]->window->Control().SetEnabled(enabled);
}

std::intptr_t DialogButtons::nativeWindow(dialog::DialogCommand command)
{
    return buttons_[static_cast<std::size_t>(command)]->window->NativeWindow();
}

}  // namespace zorun::host
