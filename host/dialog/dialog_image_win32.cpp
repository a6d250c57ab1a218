// The Win32 settings dialog's painted image.
#include "host/dialog/dialog_image_win32.h"

#include "common/utf16_win32.h"
#include "host/dialog/home_page.h"
#include "host/drawing/picture_pixels.h"

#include <algorithm>

namespace zorun::host {

namespace {

using namespace dialog;

RECT rectOf(const Box& box)
{
    return {box.x, box.y, box.x + box.width, box.y + box.height};
}

void drawText(HDC dc, const std::string& utf8, RECT r, UINT format)
{
    std::wstring text = toUtf16(utf8);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}

}  // namespace

DialogImage::DialogImage(const Picture& option, const Picture& optionSelected)
    : font_(createScreenFont(kLabelFont)), linkFont_(createScreenFont(kLinkFont))
{
    optionImages_[0].assign(option);
    optionImages_[1].assign(optionSelected);
    backing_.resize(kClientWidth, kClientHeight);
    if (backing_.empty())
        return;
    const auto fill = [this](const Box& box, std::uint32_t colour) {
        for (int y = box.y; y < box.y + box.height; ++y)
            std::fill_n(backing_.bits() + static_cast<std::ptrdiff_t>(y) * kClientWidth + box.x, box.width,
                        xrgbFromColour(colour));
    };
    fill({0, 0, kClientWidth, kClientHeight}, kBackground);
    fill(kPanel, kPanelBackground);
}

DialogImage::~DialogImage()
{
    DeleteObject(font_);
    DeleteObject(linkFont_);
}

std::optional<RECT> DialogImage::drawLine(Surface surface, std::int32_t y, std::int32_t width, std::uint32_t colour)
{
    const bool panel = surface == Surface::Panel;
    const int top = panel ? kPanel.y : 0, left = panel ? kPanel.x : 0;
    const int right = left + std::min(width + 1, panel ? kPanel.width : kClientWidth);
    if (backing_.empty() || y < 0 || y >= (panel ? kPanel.height : kClientHeight))
        return std::nullopt;
    std::uint32_t* row = backing_.bits() + static_cast<std::ptrdiff_t>(top + y) * kClientWidth;
    std::fill(row + left, row + right, xrgbFromColour(colour));
    return RECT{left, top + y, right, top + y + 1};
}

RECT DialogImage::setOption(int element, bool selected)
{
    selected_[static_cast<std::size_t>(element)] = selected;
    return rectOf(inDialog(kOptionMarks[element]));
}

RECT DialogImage::setFileLabel(const std::string& path)
{
    fileLabel_ = toUtf16(path, CodePage::Ansi);
    return rectOf(inDialog(kFileLabel));
}

void DialogImage::paint(HDC dc) const
{
    HDC compose = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kClientWidth, kClientHeight);
    HGDIOBJ old = SelectObject(compose, bitmap);
    composeOn(compose);
    BitBlt(dc, 0, 0, kClientWidth, kClientHeight, compose, 0, 0, SRCCOPY);
    SelectObject(compose, old);
    DeleteObject(bitmap);
    DeleteDC(compose);
}

// The painted image, then what lies on it: the heading frame, the option pictures, the labels.
void DialogImage::composeOn(HDC compose) const
{
    BitBlt(compose, 0, 0, kClientWidth, kClientHeight, backing_.dc(), 0, 0, SRCCOPY);
    const RECT frame = rectOf(inDialog(kHeadingFrame));
    FrameRect(compose, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (int i = 0; i < kOptionCount; ++i) {
        const MemoryImage& mark = optionImages_[selected_[static_cast<std::size_t>(i)] ? 1 : 0];
        if (mark.empty())
            continue;
        const Box at = inDialog(kOptionMarks[i]);
        BitBlt(compose, at.x, at.y, mark.width(), mark.height(), mark.dc(), 0, 0, SRCCOPY);
    }

    SetBkMode(compose, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(compose, font_);
    SetTextColor(compose, RGB(0, 0, 0));
    drawText(compose, kHeadingText, rectOf(inDialog(kHeading)), DT_CENTER | DT_SINGLELINE);
    for (int i = 0; i < kOptionCount; ++i)
        drawText(compose, kOptionTexts[i], rectOf(inDialog(kOptionLabels[i])), DT_SINGLELINE | DT_NOCLIP);
    drawText(compose, kRepeatText, rectOf(inDialog(kRepeatLabel)), DT_SINGLELINE | DT_NOCLIP);
    RECT fileBox = rectOf(inDialog(kFileLabel));
    DrawTextW(compose, fileLabel_.c_str(), static_cast<int>(fileLabel_.size()), &fileBox,
              DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SelectObject(compose, linkFont_);
    SetTextColor(compose, RGB(255, 255, 255));
    drawText(compose, homePageAddress(), rectOf(kLink), DT_SINGLELINE | DT_NOCLIP);
    SelectObject(compose, oldFont);
}

}  // namespace zorun::host
