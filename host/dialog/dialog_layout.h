// Where the settings dialog's controls sit, in pixels; both views place them from here.
#pragma once

#include "host/drawing/text_font.h"

#include <cstdint>

namespace zorun::host::dialog {

struct Box {
    std::int32_t x, y, width, height;
    constexpr bool contains(std::int32_t px, std::int32_t py) const
    {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

inline constexpr const char* kTitle = "<Zorun>";
inline constexpr std::int32_t kClientWidth = 496;
inline constexpr std::int32_t kClientHeight = 243;
inline constexpr std::uint32_t kBackground = 0x808080;  // 0x00BBGGRR, before the first painting
inline constexpr std::uint32_t kPanelBackground = 0xE0E0E0;

/// The font of every label and caption: "ＭＳ Ｐゴシック" 9.75 points, Shift-JIS character set; the link's
/// is underlined.
inline const CaptionFont kLabelFont{};
inline const CaptionFont kLinkFont{.underline = true};

// On the dialog.
inline constexpr Box kPanel{12, 16, 469, 165};
inline constexpr Box kLink{12, 208, 207, 13};
inline constexpr Box kSetButton{324, 196, 77, 25};
inline constexpr Box kCancelButton{404, 196, 77, 25};

// Inside the panel, relative to it.
inline constexpr Box kHeadingFrame{20, 20, 113, 21};
inline constexpr Box kHeading{20, 24, 111, 13};
inline constexpr Box kCombo{112, 52, 41, 20};
/// The drop-down arrow at the combo box's right: the system's scroll-bar width at 96 dpi, as on Windows.
inline constexpr std::int32_t kComboArrowWidth = 17;
inline constexpr Box kRepeatLabel{156, 56, 66, 13};
inline constexpr Box kFileButton{40, 116, 29, 25};
inline constexpr Box kFileLabel{72, 116, 373, 33};

/// A box of the panel in the dialog's client coordinates.
constexpr Box inDialog(const Box& panelBox)
{
    return {panelBox.x + kPanel.x, panelBox.y + kPanel.y, panelBox.width, panelBox.height};
}

/// The option marks `Img_BGM` and their labels `lbl_BGM`, by element index (the kind each stands for).
inline constexpr int kOptionCount = 3;
inline constexpr Box kOptionMarks[kOptionCount] = {{28, 76, 13, 13}, {28, 56, 13, 13}, {28, 96, 13, 13}};
inline constexpr Box kOptionLabels[kOptionCount] = {{44, 76, 22, 13}, {44, 56, 43, 13}, {44, 96, 60, 13}};
inline constexpr const char* kOptionTexts[kOptionCount] = {"なし", "音楽CD", "MP3、WAV"};

inline constexpr const char* kHeadingText = "BGM";
inline constexpr const char* kRepeatText = "曲目をﾘﾋﾟｰﾄ";
inline constexpr const char* kSetCaption = "設定";
inline constexpr const char* kCancelCaption = "ｷｬﾝｾﾙ";
inline constexpr const char* kFileCaption = "...";

/// The three Command buttons in the order the dialog creates them (its tab order).
enum class DialogCommand { Set, Cancel, File };
struct CommandPlace {
    DialogCommand command;
    const char* caption;
    Box box;
    bool inPanel;  ///< box is relative to the panel
};
inline constexpr CommandPlace kCommands[] = {{DialogCommand::Set, kSetCaption, kSetButton, false},
                                             {DialogCommand::Cancel, kCancelCaption, kCancelButton, false},
                                             {DialogCommand::File, kFileCaption, kFileButton, true}};

/// The option element (mark or label) under a point of the dialog's client area; -1 for none.
constexpr int optionAt(std::int32_t x, std::int32_t y)
{
    for (int i = 0; i < kOptionCount; ++i)
        if (inDialog(kOptionMarks[i]).contains(x, y) || inDialog(kOptionLabels[i]).contains(x, y))
            return i;
    return -1;
}

/// The option pictures (12 x 12) and the hand pointer (32 x 32) with its hot spot.
inline constexpr std::int32_t kOptionPictureSize = 12;
inline constexpr std::int32_t kHandHotSpotX = 12;
inline constexpr std::int32_t kHandHotSpotY = 10;

/// The message box of a store that failed: its caption, and the line above the file's path and the
/// system's reason.
inline constexpr const char* kMessageCaption = "Zorun";
inline constexpr const char* kStoreFailedText = "設定ﾌｧｲﾙに書き込めませんでした。";

/// Texts of the file chooser.
inline constexpr const char* kChooserTitle = "ﾌｧｲﾙを開く";
inline constexpr const char* kFilterDescription = "BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr const char* kFilterPattern = "*.MP3;*.WAV";

}  // namespace zorun::host::dialog
