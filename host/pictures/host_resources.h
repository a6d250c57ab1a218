/* Resource ids of the pictures stored in the Windows host program; read by the resource compiler too. */
#pragma once

/* The saver window's cloud picture, 271 x 167 (assets/cloud.jpg). */
#define ZORUN_PICTURE_CLOUD 101
/* The preview window's picture, 152 x 112 (assets/preview.jpg). */
#define ZORUN_PICTURE_PREVIEW 102

/* The Command button's six state frames, 64 x 25 each (assets/button_*.bmp). */
#define ZORUN_PICTURE_BUTTON_NORMAL 103
#define ZORUN_PICTURE_BUTTON_HIGHLIGHT 104
#define ZORUN_PICTURE_BUTTON_HIGHLIGHT_SELECT 105
#define ZORUN_PICTURE_BUTTON_SELECTED 106
#define ZORUN_PICTURE_BUTTON_PRESSED 107
#define ZORUN_PICTURE_BUTTON_DISABLE 108

/* The settings dialog's option pictures, 12 x 12 (assets/option*.jpg), its window icon and its hand pointer. */
#define ZORUN_PICTURE_OPTION 109
#define ZORUN_PICTURE_OPTION_SELECTED 110
#define ZORUN_DIALOG_ICON 111
#define ZORUN_HAND_CURSOR 112
