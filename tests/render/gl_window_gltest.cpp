#include "render/gl_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/bitmap_font.h"
#include "platform/gl.h"
#include "platform/platform_window.h"
#include "resources/gl_extensions.h"
#include "support/gl_test_window.h"

namespace {

void ExpectIdentity(GLenum which) {
    double m[16] = {};
    glGetDoublev(which, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_DOUBLE_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << "element " << i;
}

TEST(GLWindowTest, CreateOpensTheConfiguredWindowWithItsGLState) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    GLWindow& gl = window.Get();
    ASSERT_NE(gl.Window(), nullptr);
    EXPECT_EQ(gl.width, 640);
    EXPECT_EQ(gl.height, 480);

    int clientWidth = 0;
    int clientHeight = 0;
    gl.Window()->ClientSize(&clientWidth, &clientHeight);
    EXPECT_EQ(clientWidth, 640);
    EXPECT_EQ(clientHeight, 480);

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LEQUAL);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    EXPECT_EQ(gl.lightCount, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GLWindowTest, ResizeTakesHeightZeroAsOneAndSetsTheProjection) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    EXPECT_EQ(window.Get().Resize(800, 0), 0);

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 1);

    // Perspective(45, 800 / 1, 10, 5000) as a frustum.
    const double top = std::tan(45.0 * 3.14159265358979323846 * 0.5 / 180.0) * 10.0;
    const double right = static_cast<float>(top * 800.0f);
    double m[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[0], 10.0 / right, 1e-6);
    EXPECT_NEAR(m[5], 10.0 / top, 1e-5);
    EXPECT_NEAR(m[10], -5010.0 / 4990.0, 1e-6);
    EXPECT_NEAR(m[11], -1.0, 1e-9);
    EXPECT_NEAR(m[14], -2.0 * 5000.0 * 10.0 / 4990.0, 1e-3);
    EXPECT_TRUE(std::isfinite(m[0]));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    ExpectIdentity(GL_MODELVIEW_MATRIX);
}

TEST(GLWindowTest, ProbeFindsTheDriversExtensionsAndEntryPoints) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    GLExtensions table;
    table.Probe();
    EXPECT_GE(table.maxTextureSize, 1024);

    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    ASSERT_NE(extensions, nullptr);
    EXPECT_EQ(table.multitexture, HasExtension(extensions, "GL_ARB_multitexture"));
    EXPECT_EQ(table.vertexBufferObjects, HasExtension(extensions, "GL_ARB_vertex_buffer_object"));
    EXPECT_EQ(table.anisotropicFilter,
              HasExtension(extensions, "GL_EXT_texture_filter_anisotropic"));
    // Mesa offers all three families; their entry points are fetched.
    ASSERT_TRUE(table.multitexture && table.vertexBufferObjects && table.textureCompression);
    EXPECT_NE(qglActiveTextureARB, nullptr);
    EXPECT_NE(qglClientActiveTextureARB, nullptr);
    EXPECT_NE(qglCompressedTexImage2DARB, nullptr);
    EXPECT_NE(qglBindBufferARB, nullptr);
    EXPECT_NE(qglDeleteBuffersARB, nullptr);
    EXPECT_NE(qglGenBuffersARB, nullptr);
    EXPECT_NE(qglBufferDataARB, nullptr);

    GLExtensions again;
    again.Probe();
    EXPECT_EQ(again.maxTextureSize, table.maxTextureSize);
    EXPECT_EQ(again.generateMipmap, table.generateMipmap);
    EXPECT_EQ(again.s3tc, table.s3tc);
}

int LitPixels() {
    std::vector<unsigned char> pixels(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4)
        lit += pixels[i] > 0 ? 1 : 0;
    return lit;
}

TEST(GLWindowTest, TheFontListsDrawTextAndAreFreedByDestroy) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    const uint32_t fontBase = window.Get().GetOverlay().FontBase();
    ASSERT_NE(fontBase, 0u);
    for (uint32_t code = 0; code < 255; ++code)
        ASSERT_TRUE(glIsList(fontBase + code)) << "code " << code;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 0, 480, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(20, 20);
    const std::string text = "Quarn 0:12.34";
    glListBase(fontBase);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    GLfloat raster[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    // About 7 pixels per character at a 12-pixel height.
    EXPECT_GT(raster[0] - 20.0f, 4.0f * text.size());
    EXPECT_LT(raster[0] - 20.0f, 10.0f * text.size());
    EXPECT_GT(LitPixels(), 100);

    // Codes 128-254 are Windows-1252: the euro sign at 128 draws and advances.
    glClear(GL_COLOR_BUFFER_BIT);
    glRasterPos2i(20, 20);
    glCallList(fontBase + 128);
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    EXPECT_GT(raster[0], 20.0f);
    EXPECT_GT(LitPixels(), 5);

    window.Get().Destroy();
    EXPECT_EQ(window.Get().GetOverlay().FontBase(), 0u);
    EXPECT_EQ(window.Get().Window(), nullptr);
}

TEST(GLWindowTest, WithoutTheFontFileTheListsExistButDrawNothing) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    const GLuint base = glGenLists(256);
    EXPECT_FALSE(BuildBitmapFontLists("/nonexistent/font.ttf", 12, base, 0, 255));
    glRasterPos2i(0, 0);
    GLfloat before[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
    for (GLuint code = 0; code < 255; ++code) {
        ASSERT_TRUE(glIsList(base + code));
        glCallList(base + code);
    }
    GLfloat after[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    EXPECT_EQ(after[0], before[0]);
    glDeleteLists(base, 256);
}

}  // namespace
