// Every generated picture goes up as a GL texture through the game's own
// loader, the DDS file as its stored compressed levels.

#include <gtest/gtest.h>

#include "platform/bitmap_font.h"
#include "platform/gl.h"
#include "quarn-pictures/pictures.h"
#include "resources/gl_extensions.h"
#include "resources/texture_loader.h"
#include "support/gl_test_window.h"

namespace {

GLint LevelWidth(uint32_t texture, int level) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

TEST(GamePicturesGL, EveryPictureUploadsThroughTheTextureLoader) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    GLExtensions extensions;
    extensions.Probe();
    std::string error;
    ASSERT_TRUE(WriteGamePictures(window.Folder().Path(), FindBoldSansFontFile(), error)) << error;

    TextureLoader loader;
    loader.Configure(0, true, extensions.maxTextureSize);
    while (glGetError() != GL_NO_ERROR) {
    }
    for (const PictureFile& file : GamePictures()) {
        SCOPED_TRACE(file.path);
        uint32_t texture = 0;
        ASSERT_TRUE(loader.LoadTexture(file.path, texture));
        EXPECT_NE(texture, 0u);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_GT(LevelWidth(texture, 0), 0);
        if (file.format == PictureFormat::DdsDxt1) {
            // All eight stored levels, down to 1 x 1.
            EXPECT_EQ(LevelWidth(texture, 0), 128);
            EXPECT_EQ(LevelWidth(texture, 7), 1);
            GLint maxLevel = -1;
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, &maxLevel);
            EXPECT_EQ(maxLevel, 7);
        }
        GLuint name = texture;
        glDeleteTextures(1, &name);
    }
}

}  // namespace
