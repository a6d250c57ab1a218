// Figures of the Command button at the settings dialog's size (77 x 25 pixels): the cost of one face
// drawing in software (the GTK view's way) and through the platform's own view, and the CPU time of
// three idle buttons polling the pointer ten times a second each.
// Usage: button_bench [seconds idle, default 60]   (needs a display)
#include "bench_window.h"
#include "host/button/command_window.h"
#include "host/button/face_image.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace zorun::host;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::int32_t kWidth = 77;
constexpr std::int32_t kHeight = 25;

FramePictures solidPictures()
{
    FramePictures pictures;
    for (Picture& p : pictures)
        p = Picture{64, 25, std::vector<std::uint8_t>(64 * 25 * 3, 0x80)};
    return pictures;
}

struct Quiet : CommandEvents {
    void Click() override {}
    void PropertyChanged(const std::string&) override {}
};

// The face in software with nothing else: the part of a drawing that is ours on GTK.
struct SoftwareView : FaceCanvas, CaptionLabel, HoverProbe {
    FramePictures pictures = solidPictures();
    FaceImage image;
    SoftwareView() { image.Resize(kWidth, kHeight); }
    void ClientSize(std::int32_t& w, std::int32_t& h) override
    {
        w = kWidth;
        h = kHeight;
    }
    double TwipsPerPixel() override { return 15.0; }
    void Clear() override { image.Fill(0xECE9D8); }
    void PaintPiece(FramePicture p, const PixelRect& d, const PixelRect& s) override
    {
        image.PaintPiece(pictures[static_cast<std::size_t>(p)], d, s);
    }
    void GradientFill(const GradientVertex* v, std::uint32_t n, const GradientRect& r) override
    {
        image.GradientFill(v, n, r);
    }
    void Refresh() override {}
    void SetOpaque(bool) override {}
    void SetTabStop(bool) override {}
    void Place(const PixelRect&) override {}
    void SetText(const std::string&) override {}
    void SetColour(std::uint32_t) override {}
    void SetFont(const CaptionFont&) override {}
    void SetEnabled(bool) override {}
    bool GetCursorPos(std::int32_t&, std::int32_t&) override { return false; }
    ToolkitWindow WindowFromPoint(std::int32_t, std::int32_t) override { return 0; }
    ToolkitWindow OwnWindow() override { return 0; }
    ToolkitWindow ContainerWindow() override { return 0; }
    void SetHoverTimer(bool, std::uint32_t) override {}
};

// Microseconds per face: reading FontColour redraws the normal face of an enabled button.
double microsecondsPerFace(Command& control, int faces)
{
    const auto start = Clock::now();
    for (int i = 0; i < faces; ++i)
        control.FontColour();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / faces;
}

}  // namespace

int main(int argc, char** argv)
{
    const double idleSeconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    Quiet quiet;

    SoftwareView software;
    Command alone(software, software, software, quiet);
    alone.Enabled();
    std::printf("face drawing in software, %dx%d: %.2f us\n", kWidth, kHeight, microsecondsPerFace(alone, 20000));

    const auto [container, makeButton] = openBenchContainer();
    if (container == 0) {
        std::printf("no display: the platform figures are left out\n");
        return 0;
    }
    const FramePictures pictures = solidPictures();
    auto one = makeButton(container, pictures, quiet);
    one->Move(10, 10, kWidth, kHeight);
    one->Control().Enabled();
    runEventsFor(0.5);
    std::printf("face drawing through the platform's view, %dx%d: %.2f us\n", kWidth, kHeight,
                microsecondsPerFace(one->Control(), 2000));
    one.reset();

    std::unique_ptr<CommandWindow> buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = makeButton(container, pictures, quiet);
        buttons[i]->Move(10 + i * 90, 40, kWidth, kHeight);
        buttons[i]->Control().Enabled();
        buttons[i]->Control().Initialize();
    }
    runEventsFor(0.5);
    const double before = processCpuSeconds();
    runEventsFor(idleSeconds);
    const double used = processCpuSeconds() - before;
    std::printf("three idle buttons for %.0f s: %.3f s CPU (%.3f %% of one core)\n", idleSeconds, used,
                100.0 * used / idleSeconds);
    return 0;
}
