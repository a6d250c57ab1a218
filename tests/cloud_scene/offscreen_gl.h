// An OpenGL context on an offscreen GLX pbuffer of the X display in $DISPLAY, with pixel read-back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace testgl {

/// RGB pixels read back from the framebuffer, rows bottom first as OpenGL gives them.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    bool operator==(const Picture&) const = default;
};

class OffscreenGl {
public:
    /// Opens the display and makes a new context current on a width x height pbuffer with a depth buffer.
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    /// Empty when the context is current; otherwise what went wrong.
    const std::string& error() const { return error_; }
    Picture read() const;

private:
    struct Native;
    std::unique_ptr<Native> native_;
    int width_;
    int height_;
    std::string error_;
};

}  // namespace testgl
