/* Resource ids of the pictures stored in the Windows host program; read by the resource compiler too. */
#pragma once

/* The saver window's cloud picture, 271 x 167 (assets/cloud.jpg). */
#define ZORUN_PICTURE_CLOUD 101
/* The preview window's picture, 152 x 112 (assets/preview.jpg). */
#define ZORUN_PICTURE_PREVIEW 102
