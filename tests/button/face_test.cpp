// The face: ring pieces, the caption at two sizes, the 16-bit geometry rule, the gradient colours, a whole face.
#include "fake_command_view.h"
#include "host/button/face_gradient.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zorun::host {
namespace {

TEST(FaceGeometry, RingPiecesAtTheDesignedSizeAndTheCaptionAtBothSizes)
{
    // The ring at the dialog's 77 x 25 is checked pixel by pixel in FaceImage below.
    const std::vector<PixelRect> sources = {{0, 0, 4, 4},   {4, 0, 56, 4},  {60, 0, 4, 4}, {60, 4, 4, 17},
                                            {60, 21, 4, 4}, {4, 21, 56, 4}, {0, 21, 4, 4}, {0, 4, 4, 17}};
    const std::vector<PixelRect> destinations = {{0, 0, 4, 4},    {4, 0, 109, 4},  {113, 0, 4, 4}, {113, 4, 4, 20},
                                                 {113, 24, 4, 4}, {4, 24, 109, 4}, {0, 24, 4, 4},  {0, 4, 4, 20}};
    for (const auto& [width, height, captionTop] : {std::tuple{117, 28, 7}, std::tuple{77, 25, 5}}) {
        FakeCommandView view;
        view.width = width;
        view.height = height;
        Command control{view, view, view, view};
        control.OnResize();
        if (width == 117) {
            EXPECT_EQ(view.pieceDestinations, destinations);
            EXPECT_EQ(view.pieceSources, sources);
        }
        // The caption spans the face, 10 twips above the middle: (H - 195 - 20) / 2 twips.
        EXPECT_EQ(view.labelRect, (PixelRect{0, captionTop, width, 13})) << width;
    }
}

TEST(FaceGeometry, AStepThatDoesNotFitSixteenBitsKeepsThePreviousValue)
{
    FaceGeometry face;
    face.update(1155, 375);
    face.update(40000, 420);
    EXPECT_EQ(std::tuple(face.width, face.middleAcross, face.rightColumn, face.height, face.middleDown),
              std::tuple(1155, 1035, 1095, 420, 300));
}

TEST(FaceGradient, ColoursFromTheirTexts)
{
    struct Case {
        const char* text;
        std::optional<Colour16> colour;
    } cases[] = {
        {"&HFFFFFF", Colour16{0xFF00, 0xFF00, 0xFF00}},
        {"&HC6C5D7", Colour16{0xC600, 0xC500, 0xD700}},
        {"&H00FF00", Colour16{0xFF00, 0, 0}},  // written without leading zeros: "FF00"
        {"&Hc", Colour16{0x0C00, 0, 0}},
        {"C6C5D7", std::nullopt},
        {"&HG1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(colourFromText(c.text), c.colour) << c.text;
}

TEST(FaceGradient, RowsRunFromTheUpperVertexToTheLowerOneWhicheverIsFirst)
{
    const GradientVertex white{0, 0, 0xFF00, 0xFF00, 0xFF00, 0};
    const GradientVertex shade{76, 24, 0xC600, 0xC500, 0xD700, 0};
    for (const bool swapped : {false, true}) {
        const GradientVertex& a = swapped ? shade : white;
        const GradientVertex& b = swapped ? white : shade;
        EXPECT_EQ(gradientRowColour(a, b, 0), (Colour8{0xFF, 0xFF, 0xFF}));
        EXPECT_EQ(gradientRowColour(a, b, 12), (Colour8{0xE2, 0xE2, 0xEB}));
        EXPECT_EQ(gradientRowColour(a, b, 23), (Colour8{0xC8, 0xC7, 0xD8}));
        const GradientSpan span = gradientSpan(a, b);
        EXPECT_EQ(span.right, 76);
        EXPECT_EQ(span.bottom, 24);
    }
}

TEST(FaceImage, AWholeFaceShowsTheRingOfItsPictureAroundTheGradient)
{
    FakeCommandView view;
    view.width = 77;
    view.height = 25;
    Command control{view, view, view, view};
    control.Enabled();
    // markedPicture: red = picture + 1, green = source x, blue = source y.
    auto at = [&](int x, int y) { return view.image.At(x, y); };
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(at(38, k), 0x010000u | (((at(38, k) >> 8) & 0xFF) << 8) | static_cast<unsigned>(k));
        EXPECT_EQ(at(38, 24 - k), 0x010000u | (((at(38, 24 - k) >> 8) & 0xFF) << 8) | static_cast<unsigned>(24 - k));
        EXPECT_EQ(at(k, 12), 0x010000u | static_cast<unsigned>(k) << 8 | 12u);
        EXPECT_EQ(at(76 - k, 12), 0x010000u | static_cast<unsigned>(63 - k) << 8 | 12u);
    }
    const GradientVertex top{0, 0, 0xFF00, 0xFF00, 0xFF00, 0};
    const GradientVertex bottom{76, 24, 0xC600, 0xC500, 0xD700, 0};
    for (const int y : {4, 12, 20}) {
        const Colour8 c = gradientRowColour(top, bottom, y);
        EXPECT_EQ(at(38, y), static_cast<std::uint32_t>(c.red << 16 | c.green << 8 | c.blue)) << y;
    }
}

}  // namespace
}  // namespace zorun::host
