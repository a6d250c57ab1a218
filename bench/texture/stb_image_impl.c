/* stb_image's bitmap decoder, the yardstick for our loader. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>
