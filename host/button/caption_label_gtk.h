// The Command button's caption on GTK 3: a label without a window of its own, so the pointer over it is
// over the button.
#pragma once

#include "host/button/command_ports.h"

#include <gtk/gtk.h>

#include <string>

namespace zorun::host {

class GtkCaptionLabel final : public CaptionLabel {
public:
    /// label: a GtkLabel already in fixed, the button's own layout.
    GtkCaptionLabel(GtkWidget* fixed, GtkWidget* label);

    void Place(const PixelRect& rect) override;
    void SetText(const std::string& utf8) override;
    void SetColour(std::uint32_t colour) override;
    void SetFont(const CaptionFont& font) override;
    void SetEnabled(bool enabled) override;

private:
    void applyAttributes();

    GtkWidget* fixed_;
    GtkWidget* label_;
    std::uint32_t colour_ = 0;
    CaptionFont font_;
    bool enabled_ = true;
};

}  // namespace zorun::host
