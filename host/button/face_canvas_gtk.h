// The Command button's face on GTK 3: the face drawn in software, shown through a cairo surface.
#pragma once

#include "host/button/command_window.h"
#include "host/button/face_image.h"

#include <gtk/gtk.h>

namespace zorun::host {

/// The persistent image: the face in software, shown through a cairo surface over the same pixels.
class GtkFaceCanvas final : public FaceCanvas {
public:
    /// box: the button's event box, whose draw handler calls paint.
    GtkFaceCanvas(GtkWidget* box, const FramePictures& pictures) : box_(box), pictures_(pictures) {}
    ~GtkFaceCanvas() override { releaseSurface(); }
    GtkFaceCanvas(const GtkFaceCanvas&) = delete;
    GtkFaceCanvas& operator=(const GtkFaceCanvas&) = delete;

    void resize(std::int32_t width, std::int32_t height);
    /// The image, or nothing while the face is transparent.
    void paint(cairo_t* cr);

    void ClientSize(std::int32_t& width, std::int32_t& height) override;
    double TwipsPerPixel() override;
    void Clear() override;
    void PaintPiece(FramePicture picture, const PixelRect& destination, const PixelRect& source) override;
    void GradientFill(const GradientVertex* vertices, std::uint32_t count, const GradientRect& rect) override;
    void Refresh() override;
    void SetOpaque(bool opaque) override;
    void SetTabStop(bool stop) override;

private:
    void releaseSurface();

    GtkWidget* box_;
    const FramePictures pictures_;
    FaceImage image_;
    cairo_surface_t* surface_ = nullptr;
    bool opaque_ = true;
};

}  // namespace zorun::host
