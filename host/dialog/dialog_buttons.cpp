// The settings dialog's Command buttons.
#include "host/dialog/dialog_buttons.h"

namespace zorun::host {

DialogButton::DialogButton(std::intptr_t container, const FramePictures& pictures, const std::string& caption,
                           std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                           std::function<void()> onClick)
    : handler(std::move(onClick)), window(createCommandWindow(container, pictures, handler))
{
    window->Move(left, top, width, height);
    // The stored set holds the caption and the dialog's font; the rest keeps its defaults.
    const CaptionFont none{"", 0, 0, false, false, false, 0};
    PropertyBag bag;
    bag.Write("Caption", caption, std::string("Command"));
    bag.Write("Font", CaptionFont{}, none);
    window->Control().ReadProperties(bag, none);
}

}  // namespace zorun::host
