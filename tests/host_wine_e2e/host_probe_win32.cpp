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

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Largest difference of one colour channel still counted as the same colour (a 24-bit screen keeps the
// decoded values; a little room for a server that dithers).
constexpr int kTolerance = 6;

HWND parseHandle(const char* text)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(text, nullptr, 10)));
}

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int runHost(int x, int y, int width, int height)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = hostProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = "ZorunTestPreviewHost";
    if (RegisterClassA(&windowClass) == 0)
        return 1;
    // WS_CLIPCHILDREN: the host paints around the embedded preview, not over it, as the display settings do.
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                  x, y, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
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

// The screen's pixels of a rectangle, as red, green, blue triples, top row first.
std::vector<std::uint8_t> grabScreen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<std::uint8_t> rgb;
    if (width <= 0 || height <= 0)
        return rgb;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, section);
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const auto* bgra = static_cast<const std::uint8_t*>(bits);
            rgb.resize(static_cast<std::size_t>(width) * height * 3);
            for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
                rgb[i * 3] = bgra[i * 4 + 2];
                rgb[i * 3 + 1] = bgra[i * 4 + 1];
                rgb[i * 3 + 2] = bgra[i * 4];
            }
        }
        SelectObject(memory, old);
    }
    if (section != nullptr)
        DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rgb;
}

// What the window paints when asked to print itself (background and client area), top row first.
std::vector<std::uint8_t> grabPrinted(HWND window, int width, int height)
{
    std::vector<std::uint8_t> rgb;
    if (width <= 0 || height <= 0)
        return rgb;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, section);
        // Filled with a colour the preview never paints, so that a window that draws nothing fails.
        const RECT all{0, 0, width, height};
        HBRUSH marker = CreateSolidBrush(RGB(0, 255, 0));
        FillRect(memory, &all, marker);
        DeleteObject(marker);
        if (PrintWindow(window, memory, 0)) {
            GdiFlush();
            const auto* bgra = static_cast<const std::uint8_t*>(bits);
            rgb.resize(static_cast<std::size_t>(width) * height * 3);
            for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
                rgb[i * 3] = bgra[i * 4 + 2];
                rgb[i * 3 + 1] = bgra[i * 4 + 1];
                rgb[i * 3 + 2] = bgra[i * 4];
            }
        }
        SelectObject(memory, old);
    }
    if (section != nullptr)
        DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rgb;
}

bool similar(const std::uint8_t* a, const std::uint8_t* b)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(int{a[c]} - int{b[c]}) > kTolerance)
            return false;
    return true;
}

// Compares pixels of the preview window's size with the picture at the top-left and black elsewhere;
// describes the first mismatch in why.
bool previewPainted(const std::vector<std::uint8_t>& seenPixels, int width, int height,
                    const zorun::host::Picture& picture, const char* source, std::string& why)
{
    if (seenPixels.empty()) {
        why = std::string("the ") + source + " could not be read";
        return false;
    }
    static const std::uint8_t black[3] = {0, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* seen = &seenPixels[(static_cast<std::size_t>(y) * width + x) * 3];
            const bool inPicture = x < picture.width && y < picture.height;
            const std::uint8_t* wanted =
                inPicture ? &picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3] : black;
            if (!similar(seen, wanted)) {
                char text[200];
                std::snprintf(text, sizeof text, "%s: pixel %d,%d is %d,%d,%d, wanted %d,%d,%d (%s)", source, x, y,
                              seen[0], seen[1], seen[2], wanted[0], wanted[1], wanted[2],
                              inPicture ? "picture" : "black");
                why = text;
                return false;
            }
        }
    return true;
}

int checkPreview(HWND host, bool pixels)
{
    zorun::host::Picture picture;
    if (!zorun::host::LoadPictureResource(ZORUN_PICTURE_PREVIEW, picture)) {
        std::printf("the probe's own preview picture does not decode\n");
        return 1;
    }
    std::string why = "no window titled \"Preview Window\" inside the host";
    for (int tries = 0; tries < 100; ++tries, Sleep(200)) {
        HWND preview = FindWindowExA(host, nullptr, nullptr, "Preview Window");
        if (preview == nullptr)
            continue;
        const auto style = static_cast<unsigned long>(GetWindowLongA(preview, GWL_STYLE));
        RECT hostClient{};
        RECT previewRect{};
        GetClientRect(host, &hostClient);
        GetWindowRect(preview, &previewRect);
        POINT origin{0, 0};
        ClientToScreen(host, &origin);
        if ((style & WS_CHILD) == 0 || (style & WS_VISIBLE) == 0) {
            why = "the preview window is not a visible child";
            continue;
        }
        if (previewRect.left != origin.x || previewRect.top != origin.y ||
            previewRect.right - previewRect.left != hostClient.right ||
            previewRect.bottom - previewRect.top != hostClient.bottom) {
            char text[160];
            std::snprintf(text, sizeof text, "the preview window is at %ld,%ld size %ldx%ld, the host's client area %ldx%ld",
                          previewRect.left - origin.x, previewRect.top - origin.y, previewRect.right - previewRect.left,
                          previewRect.bottom - previewRect.top, hostClient.right, hostClient.bottom);
            why = text;
            continue;
        }
        const int width = hostClient.right;
        const int height = hostClient.bottom;
        if (pixels && (!previewPainted(grabPrinted(preview, width, height), width, height, picture, "printed window", why) ||
                       !previewPainted(grabScreen(previewRect), width, height, picture, "screen", why)))
            continue;
        std::printf("preview: a visible child of %dx%d%s\n", width, height,
                    pixels ? ", painting the picture and black, on the screen too" : "");
        return 0;
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
