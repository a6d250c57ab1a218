// Test helper for the Windows host's end-to-end runs: a window to preview in, and checks of what the host drew or wrote.
//
//   host_probe host X Y W H        shows a borderless W x H window at X,Y (magenta, so that black can only come
//                                  from the preview), prints its handle in decimal, and runs until it is closed
//   host_probe preview HANDLE [pixels]
//                                  waits up to 20 s for the "Preview Window" child of HANDLE: visible, covering
//                                  HANDLE's client area; with "pixels" it must also paint the stored preview
//                                  picture unscaled at the top-left and black beyond it, both when asked with
//                                  PrintWindow and on the screen
//   host_probe close HANDLE        posts WM_CLOSE to HANDLE, as the display settings do when they go
//   host_probe bitmap PATH         checks that PATH holds the stored cloud picture as a 24-bit bitmap that the
//                                  renderer's loader reads
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "bitmap_texture.h"
#include "host_resources.h"
#include "picture_decoder.h"
#include "preview_check_win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Largest difference of one colour channel still counted as the same colour.
constexpr int kTolerance = 6;

HWND parseHandle(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(text, nullptr, 10)));
}

bool similar(const std::uint8_t* a, const std::uint8_t* b)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(int{a[c]} - int{b[c]}) > kTolerance)
            return false;
    return true;
}

int runHost(int x, int y, int width, int height)
{
    HWND window = zorun::test::CreatePreviewHost(x, y, width, height, true);
    if (window == nullptr)
        return 1;
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int checkPreview(HWND host, bool pixels)
{
    std::string why;
    for (int tries = 0; tries < 100; ++tries, Sleep(200)) {
        why = zorun::test::CheckPreview(host, pixels);
        if (why.empty()) {
            std::printf("preview: a visible child covering its host%s\n",
                        pixels ? ", painting the picture and black, on the screen too" : "");
            return 0;
        }
    }
    std::printf("%s\n", why.c_str());
    return 1;
}

int checkBitmap(const char* path)
{
    zorun::host::Picture cloud;
    if (!zorun::host::LoadPictureResource(ZORUN_PICTURE_CLOUD, cloud)) {
        std::printf("the probe's own cloud picture does not decode\n");
        return 1;
    }
    // The depth as the file says it (the loader converts every depth to 32 bits).
    std::uint8_t header[54] = {};
    std::FILE* file = std::fopen(path, "rb");
    const bool headerRead = file != nullptr && std::fread(header, 1, sizeof header, file) == sizeof header;
    if (file != nullptr)
        std::fclose(file);
    const int bitCount = header[28] | header[29] << 8;
    const int compression = header[30] | header[31] << 8 | header[32] << 16 | header[33] << 24;
    if (!headerRead || bitCount != 24 || compression != 0) {
        std::printf("%s: not an uncompressed 24-bit bitmap (%d bits, compression %d)\n", path, bitCount, compression);
        return 1;
    }
    auto texture = std::make_unique<BitmapTexture>();
    if (!texture->loadImage(path) || !texture->flipRows()) {
        std::printf("%s: the renderer's loader refuses it\n", path);
        return 1;
    }
    if (texture->width() != cloud.width || texture->height() != cloud.height) {
        std::printf("%s: %dx%d, wanted %dx%d\n", path, static_cast<int>(texture->width()),
                    static_cast<int>(texture->height()), static_cast<int>(cloud.width), static_cast<int>(cloud.height));
        return 1;
    }
    const std::uint8_t* rgba = texture->pixels();
    for (std::size_t i = 0; i < static_cast<std::size_t>(cloud.width) * cloud.height; ++i)
        if (!similar(&rgba[i * 4], &cloud.rgb[i * 3])) {
            std::printf("%s: pixel %zu differs from the stored cloud picture\n", path, i);
            return 1;
        }
    std::printf("%s: the stored cloud picture, 24-bit %dx%d\n", path, static_cast<int>(cloud.width),
                static_cast<int>(cloud.height));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "host" && argc == 6)
        return runHost(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (command == "preview" && (argc == 3 || (argc == 4 && std::strcmp(argv[3], "pixels") == 0)))
        return checkPreview(parseHandle(argv[2]), argc == 4);
    if (command == "close" && argc == 3)
        return PostMessageA(parseHandle(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "bitmap" && argc == 3)
        return checkBitmap(argv[2]);
    std::fprintf(stderr, "usage: host_probe host X Y W H | preview HANDLE [pixels] | close HANDLE | bitmap PATH\n");
    return 2;
}
