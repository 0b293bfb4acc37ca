#include "resources/gl_extensions.h"
#include "resources/texture_loader.h"

#include <gtest/gtest.h>

namespace {

TEST(HasExtensionTest, MatchesWholeWordsOnly) {
    // The name with a letter appended first, then the exact name.
    const char* list = "GL_ARB_multitextureX GL_ARB_multitexture GL_EXT_bgra";
    EXPECT_TRUE(HasExtension(list, "GL_ARB_multitexture"));
    EXPECT_FALSE(HasExtension("GL_ARB_multitextureX GL_EXT_bgra", "GL_ARB_multitexture"));
    // Nor at the end of another name.
    EXPECT_FALSE(HasExtension("GL_XGL_ARB_multitexture GL_EXT_bgra", "GL_ARB_multitexture"));
    EXPECT_FALSE(HasExtension("XGL_EXT_bgra", "GL_EXT_bgra"));
}

TEST(HasExtensionTest, FindsTheFirstAndTheLastWord) {
    const char* list =
        "GL_SGIS_generate_mipmap GL_ARB_vertex_buffer_object GL_EXT_texture_filter_anisotropic";
    EXPECT_TRUE(HasExtension(list, "GL_SGIS_generate_mipmap"));
    EXPECT_TRUE(HasExtension(list, "GL_EXT_texture_filter_anisotropic"));  // no space after it
    EXPECT_TRUE(HasExtension(list, "GL_ARB_vertex_buffer_object"));
    EXPECT_TRUE(HasExtension("GL_ARB_multitexture", "GL_ARB_multitexture"));
    EXPECT_TRUE(HasExtension("GL_ARB_multitexture ", "GL_ARB_multitexture"));
    EXPECT_FALSE(HasExtension(list, "GL_SGIS_generate"));  // a prefix of a name
    EXPECT_FALSE(HasExtension(list, "mipmap"));            // a suffix of a name
}

TEST(HasExtensionTest, EmptyNamesNamesWithSpacesAndNoListAreNeverPresent) {
    const char* list = "GL_ARB_multitexture GL_EXT_bgra";
    EXPECT_FALSE(HasExtension(list, ""));
    EXPECT_FALSE(HasExtension(list, "GL_ARB_multitexture GL_EXT_bgra"));
    EXPECT_FALSE(HasExtension(list, " GL_EXT_bgra"));
    EXPECT_FALSE(HasExtension(list, "GL_EXT_bgra "));
    EXPECT_FALSE(HasExtension(nullptr, "GL_EXT_bgra"));
    EXPECT_FALSE(HasExtension("", "GL_EXT_bgra"));
    EXPECT_FALSE(HasExtension(list, nullptr));
}

TEST(SoftwareRendererTest, CpuRenderersKeepTheirTexturesUncompressed) {
    const struct {
        const char* renderer;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa X11 Software Rasterizer", true},
        {"swrast", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSoftwareRenderer(c.renderer), c.software) << (c.renderer ? c.renderer : "null");
        GLExtensions gl;
        gl.textureCompression = true;
        gl.softwareRenderer = c.software;
        EXPECT_EQ(DriverCompresses(gl, true), !c.software);
        EXPECT_FALSE(DriverCompresses(gl, false));
        EXPECT_EQ(MinificationFor(gl),
                  c.software ? Minification::NearestLevel : Minification::Trilinear);
    }
    GLExtensions none;
    EXPECT_FALSE(DriverCompresses(none, true));  // no compression extension
}

}  // namespace
