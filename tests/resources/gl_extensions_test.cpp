#include "resources/gl_extensions.h"

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

}  // namespace
