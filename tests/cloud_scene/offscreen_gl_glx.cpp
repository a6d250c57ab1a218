// GLX side of the offscreen test context: display, framebuffer configuration, pbuffer, context.
#include "offscreen_gl.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace testgl {

struct OffscreenGl::Native {
    Display* display = nullptr;
    GLXPbuffer pbuffer = 0;
    GLXContext context = nullptr;
};

OffscreenGl::OffscreenGl(int width, int height) : native_(std::make_unique<Native>()), width_(width), height_(height)
{
    // One connection for the whole test program: an X server started without -noreset resets when its last
    // client leaves, and a connection opened during that reset is refused.
    static Display* const display = XOpenDisplay(nullptr);
    // The renderer asks for 32 colour bits and 32 depth bits; the display offers 24 and 24.
    const int attributes[] = {GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT, GLX_BUFFER_SIZE, 24, GLX_DEPTH_SIZE, 24, None};
    int count = 0;
    GLXFBConfig* configs = display ? glXChooseFBConfig(display, DefaultScreen(display), attributes, &count) : nullptr;
    if (configs == nullptr || count == 0) {
        error_ = "no X display (is DISPLAY set?) or no pbuffer configuration with a depth buffer";
        return;
    }
    native_->display = display;
    const int pbufferAttributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
    native_->pbuffer = glXCreatePbuffer(display, configs[0], pbufferAttributes);
    native_->context = glXCreateNewContext(display, configs[0], GLX_RGBA_TYPE, nullptr, True);
    XFree(configs);
    if (native_->pbuffer == 0 || native_->context == nullptr ||
        !glXMakeContextCurrent(display, native_->pbuffer, native_->pbuffer, native_->context))
        error_ = "cannot make a pbuffer context current";
}

OffscreenGl::~OffscreenGl()
{
    if (native_->display == nullptr)
        return;
    glXMakeContextCurrent(native_->display, None, None, nullptr);
    if (native_->context != nullptr)
        glXDestroyContext(native_->display, native_->context);
    if (native_->pbuffer != 0)
        glXDestroyPbuffer(native_->display, native_->pbuffer);
    XSync(native_->display, False);
}

Picture OffscreenGl::read() const
{
    Picture picture{width_, height_, std::vector<std::uint8_t>(static_cast<std::size_t>(width_) * height_ * 3)};
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

}  // namespace testgl
