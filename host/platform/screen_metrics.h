// The screen's resolution, which the preview needs to size itself in twips as its form did.
#pragma once

namespace zorun::host {

class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    /// The screen's twips (1/1440 inch) per pixel across and down: 15 at 96 dots per inch.
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;
};

}  // namespace zorun::host
