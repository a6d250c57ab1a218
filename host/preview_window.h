// The preview window `Zorun_R`: a still cloud picture embedded in a window of the display settings.
#pragma once

#include "host/startup.h"

#include <memory>

namespace zorun::host {

class Zorun_R final : public FormEvents, public OpenWindows {
public:
    /// Creates the hidden, borderless, black window and loads `Img_Prev`'s picture (preview step P4).
    explicit Zorun_R(HostContext& context);

    /// The window's handle; 0 when the platform could not create it.
    WindowHandle Handle() const;
    /// Places `Img_Prev` at (0, 0) with the given size in pixels; the picture is drawn unscaled.
    void PlaceImage(std::int32_t width, std::int32_t height);
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    void Show();

    /// Posts WM_CLOSE to the window itself; never cancels.
    void Form_Unload();

    void OnTimer(int) override {}
    void OnClose() override { Form_Unload(); }

private:
    HostContext& context_;
    std::unique_ptr<HostWindow> window_;
    Picture pictureOfImgPrev_;
};

}  // namespace zorun::host
