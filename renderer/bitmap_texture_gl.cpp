// OpenGL side of the cloud texture: upload with every mipmap level, bind, release.
#include "renderer/bitmap_texture.h"

#include "renderer/gl_headers.h"

namespace zorun::renderer {

void BitmapTexture::uploadTexture()
{
    releaseTextureName();
    GLuint name = 0;
    glGenTextures(1, &name);
    textureName_ = name;
    glBindTexture(GL_TEXTURE_2D, textureName_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Without pixels the name stays bound with its filters but no image: an incomplete texture,
    // which OpenGL draws as if texturing were off.
    if (pixels_)
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.get());
}

void BitmapTexture::bindTexture()
{
    if (textureName_ != 0)
        glBindTexture(GL_TEXTURE_2D, textureName_);
}

void BitmapTexture::releaseTextureName()
{
    if (textureName_ == 0)
        return;
    GLuint name = textureName_;
    glDeleteTextures(1, &name);
    textureName_ = 0;
}

}  // namespace zorun::renderer
