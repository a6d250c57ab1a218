// The texture object against a real OpenGL context: complete or incomplete upload, orientation, release.
#include "bitmap_builder.h"
#include "bitmap_texture.h"
#include "gl_headers.h"
#include "offscreen_gl.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

GLint levelWidth()
{
    GLint width = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

class TextureGl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(gl.error(), std::string{}); }

    testgl::OffscreenGl gl{16, 16};
    testfs::TempDir folder;
};

TEST_F(TextureGl, ALoadedPictureGivesACompleteTextureWithItsTopRowAtTZero)
{
    // 4 x 2 needs no scaling, so level 0 holds the pixels as they are; file order is bottom row first.
    testbmp::BitmapLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.pixels = {0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
    BitmapTexture texture;
    ASSERT_TRUE(texture.loadImage(folder.write("Zorun.bmp", testbmp::encode(layout)).c_str()));
    ASSERT_TRUE(texture.flipRows());
    texture.uploadTexture();
    ASSERT_NE(texture.textureName(), 0u);
    EXPECT_EQ(levelWidth(), 4);

    std::uint8_t level0[2][4][4];
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, level0);
    EXPECT_EQ(level0[0][0][0], 255) << "texture row 0 should be the top row (red)";
    EXPECT_EQ(level0[0][0][2], 0);
    EXPECT_EQ(level0[1][3][2], 255) << "texture row 1 should be the bottom row (blue)";
    EXPECT_EQ(level0[1][3][3], 255);

    // Mipmapping down to 1 x 1 is what the minifying filter needs to sample at all.
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(smallest, 1);
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
}

TEST_F(TextureGl, ASizeThatIsNoPowerOfTwoIsStillUploaded)
{
    BitmapTexture texture;
    ASSERT_TRUE(texture.loadImage(folder.write("cloud.BMP", testbmp::encode(testbmp::gradient(271, 167, 24))).c_str()));
    texture.flipRows();
    texture.uploadTexture();
    EXPECT_GT(levelWidth(), 0);
}

TEST_F(TextureGl, AFailedLoadLeavesAnIncompleteTextureThatDrawsUntextured)
{
    BitmapTexture texture;
    EXPECT_FALSE(texture.loadImage((folder.path() / "missing.bmp").string().c_str()));
    texture.flipRows();
    texture.uploadTexture();
    ASSERT_NE(texture.textureName(), 0u);
    EXPECT_TRUE(glIsTexture(texture.textureName()));
    EXPECT_EQ(levelWidth(), 0);
}

TEST_F(TextureGl, UploadReplacesTheNameAndDestructionDeletesIt)
{
    const std::string path = folder.write("Zorun.bmp", testbmp::encode(testbmp::gradient(8, 8, 24)));
    GLuint first = 0;
    GLuint second = 0;
    {
        BitmapTexture texture;
        texture.loadImage(path.c_str());
        texture.uploadTexture();
        first = texture.textureName();
        texture.uploadTexture();
        second = texture.textureName();
        EXPECT_FALSE(glIsTexture(first)) << "the old name should be deleted before a new one is made";
        EXPECT_TRUE(glIsTexture(second));
    }
    EXPECT_FALSE(glIsTexture(second));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
