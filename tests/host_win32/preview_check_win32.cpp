// Test helpers for the Windows host's preview: the host window, reading back pixels, comparing them.
#include "preview_check_win32.h"

#include "host_resources.h"
#include "picture_decoder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zorun::test {

namespace {

// Largest difference of one colour channel still counted as the same colour (a 24-bit screen keeps the
// decoded values; a little room for a server that dithers).
constexpr int kTolerance = 6;

LRESULT CALLBACK quittingHostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
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
                    const host::Picture& picture, const char* source, std::string& why)
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

}  // namespace

HWND CreatePreviewHost(int x, int y, int width, int height, bool quitOnDestroy)
{
    const char* className = quitOnDestroy ? "ZorunTestPreviewHostQuitting" : "ZorunTestPreviewHost";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = quitOnDestroy ? quittingHostProcedure : DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);  // fails harmlessly when it is registered already
    // WS_CLIPCHILDREN: the host paints around the embedded preview, not over it, as the display settings do.
    return CreateWindowExA(0, className, "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
}

std::string CheckPreview(HWND host, bool pixels)
{
    host::Picture picture;
    if (!host::LoadPictureResource(ZORUN_PICTURE_PREVIEW, picture))
        return "the test's own preview picture does not decode";
    HWND preview = FindWindowExA(host, nullptr, nullptr, "Preview Window");
    if (preview == nullptr)
        return "no window titled \"Preview Window\" inside the host";
    const auto style = static_cast<unsigned long>(GetWindowLongA(preview, GWL_STYLE));
    if ((style & WS_CHILD) == 0 || (style & WS_VISIBLE) == 0)
        return "the preview window is not a visible child";
    RECT hostClient{};
    RECT previewRect{};
    GetClientRect(host, &hostClient);
    GetWindowRect(preview, &previewRect);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    if (previewRect.left != origin.x || previewRect.top != origin.y ||
        previewRect.right - previewRect.left != hostClient.right ||
        previewRect.bottom - previewRect.top != hostClient.bottom) {
        char text[160];
        std::snprintf(text, sizeof text, "the preview window is at %ld,%ld size %ldx%ld, the host's client area %ldx%ld",
                      previewRect.left - origin.x, previewRect.top - origin.y, previewRect.right - previewRect.left,
                      previewRect.bottom - previewRect.top, hostClient.right, hostClient.bottom);
        return text;
    }
    std::string why;
    const int width = hostClient.right;
    const int height = hostClient.bottom;
    if (pixels && !previewPainted(grabScreen(previewRect), width, height, picture, "screen", why))
        return why;
    return {};
}

}  // namespace zorun::test
