#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/gl.h"
#include "resources/gl_extensions.h"
#include "resources/image.h"
#include "resources/texture_loader.h"
#include "resources/texture_manager.h"
#include "support/gl_pixels.h"
#include "support/gl_test_window.h"
#include "support/image_files.h"

namespace {

constexpr char kWindow1024[] = "[Video]\nwidth=1024\nheight=768\nbpp=32\nfullscreen=0\n";

// A solid 4 x 4 DXT1 block: colour 0 everywhere.
std::string SolidDxt1Block(uint16_t rgb565) {
    std::string block(8, '\0');
    block[0] = static_cast<char>(rgb565 & 0xFF);
    block[1] = static_cast<char>(rgb565 >> 8);
    return block;
}

class TextureGL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        extensions_.Probe();
    }
    // Writes a picture file below the window's folder.
    void Write(const std::string& name, const std::string& bytes) {
        window_.Folder().Write(name, bytes);
    }
    void WritePng(const std::string& name, uint32_t w, uint32_t h) {
        Image image;
        const Bytes rgb = PatternPixels(w, h, 3);
        ASSERT_EQ(image.SetPixels(w, h, 24, rgb.data()), ImageOk);
        std::filesystem::create_directories(
            std::filesystem::path(window_.Folder().File(name)).parent_path());
        ASSERT_EQ(image.SavePNG(window_.Folder().File(name).c_str()), ImageOk);
    }
    static GLint LevelParameter(uint32_t texture, int level, GLenum which) {
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &value);
        return value;
    }
    static GLint Parameter(uint32_t texture, GLenum which) {
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint value = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
        return value;
    }
    // Draws the texture over the whole window and reads the centre pixel.
    Rgb DrawnCentre(uint32_t texture) {
        GLWindow& gl = window_.Get();
        gl.BeginFrame();
        gl.GetOverlay().DrawFullScreenImage(texture);
        return FramePixels(gl.width, gl.height).At(gl.width / 2, gl.height / 2);
    }

    GLTestWindow window_{kWindow1024};
    GLExtensions extensions_;
};

TEST_F(TextureGL, GetLoadsOncePerExactNameAndClearStartsAgain) {
    WritePng("Textures/a.png", 4, 4);
    WritePng("textures/a.png", 4, 4);
    TextureManager manager;
    manager.Init(0, false, extensions_.maxTextureSize);

    uint32_t first = 0;
    ASSERT_TRUE(manager.Get("Textures/a.png", first));
    EXPECT_NE(first, 0u);
    EXPECT_TRUE(glIsTexture(first));
    // The second call takes the cached texture: the file is not read again.
    std::filesystem::remove(window_.Folder().File("Textures/a.png"));
    uint32_t second = 0;
    ASSERT_TRUE(manager.Get("Textures/a.png", second));
    EXPECT_EQ(second, first);
    EXPECT_EQ(manager.Count(), 1u);

    // A name differing only in case is another entry and another load.
    uint32_t lower = 0;
    ASSERT_TRUE(manager.Get("textures/a.png", lower));
    EXPECT_NE(lower, first);
    EXPECT_EQ(manager.Count(), 2u);

    manager.Clear();
    EXPECT_EQ(manager.Count(), 0u);
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_FALSE(glIsTexture(lower));
    manager.Clear();  // nothing left to do
    uint32_t again = 0;
    ASSERT_TRUE(manager.Get("textures/a.png", again));
    EXPECT_TRUE(glIsTexture(again));
    EXPECT_EQ(manager.Count(), 1u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGL, FailedGetShowsTheBoxEveryTimeAndLeavesTheTextureAlone) {
    Write("Textures/overrun.tga",
          TgaHeader(TgaForm::RunLength, 2, 2, 24) + "\x82" + "abc" + "\x81" + "abc");
    WritePng("Textures/b.jpeg", 2, 2);
    TextureManager manager;
    for (const char* name : {"Textures/missing.png", "Textures/missing.png", "Textures/overrun.tga",
                             "Textures/b.jpeg"}) {
        uint32_t texture = 77;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(manager.Get(name, texture));
        const std::string output = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(output.find(std::string("Texture not found!: ") + name), std::string::npos)
            << output;
        EXPECT_EQ(texture, 77u);
    }
    EXPECT_EQ(manager.Count(), 0u);
}

TEST_F(TextureGL, WidePicturesShrinkToTheMaximumAndTallOnesStay) {
    WritePng("wide.png", 512, 256);
    WritePng("square.png", 512, 512);
    WritePng("tall.png", 256, 512);
    TextureManager manager;
    manager.Init(0, false, 256);
    uint32_t wide = 0, square = 0, tall = 0;
    ASSERT_TRUE(manager.Get("wide.png", wide));
    ASSERT_TRUE(manager.Get("square.png", square));
    ASSERT_TRUE(manager.Get("tall.png", tall));
    EXPECT_EQ(LevelParameter(wide, 0, GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(LevelParameter(wide, 0, GL_TEXTURE_HEIGHT), 256);
    EXPECT_EQ(LevelParameter(square, 0, GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(LevelParameter(square, 0, GL_TEXTURE_HEIGHT), 256);
    EXPECT_EQ(LevelParameter(tall, 0, GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(LevelParameter(tall, 0, GL_TEXTURE_HEIGHT), 512);
}

TEST_F(TextureGL, UploadSettingsFollowTheConfiguration) {
    WritePng("p.png", 8, 8);
    TextureLoader loader;
    loader.Configure(0, false, 256);
    uint32_t plain = 0;
    ASSERT_TRUE(loader.LoadTexture("p.png", plain));
    EXPECT_EQ(Parameter(plain, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(Parameter(plain, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(Parameter(plain, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(Parameter(plain, GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(LevelParameter(plain, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    GLint unpack = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    EXPECT_EQ(unpack, 1);

    ASSERT_TRUE(extensions_.generateMipmap && extensions_.textureCompression);
    loader.Configure(kCompressUncompressedPictures | 0x02, true, 256);
    uint32_t fancy = 0;
    ASSERT_TRUE(loader.LoadTexture("p.png", fancy));
    EXPECT_EQ(Parameter(fancy, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(Parameter(fancy, GL_GENERATE_MIPMAP_SGIS), GL_TRUE);
    EXPECT_EQ(LevelParameter(fancy, 0, GL_TEXTURE_COMPRESSED), GL_TRUE);
    EXPECT_EQ(LevelParameter(fancy, 3, GL_TEXTURE_WIDTH), 1);  // generated chain

    // Sampling only the nearest level, for renderers that draw on the CPU.
    loader.Configure(0, true, 256, Minification::NearestLevel);
    uint32_t cheap = 0;
    ASSERT_TRUE(loader.LoadTexture("p.png", cheap));
    EXPECT_EQ(Parameter(cheap, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(LevelParameter(cheap, 0, GL_TEXTURE_COMPRESSED), GL_FALSE);
    const GLuint names[] = {plain, fancy, cheap};
    glDeleteTextures(3, names);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGL, OddWidthBmpDrawsWithTightRows) {
    // 5 x 2, every pixel its own colour: drawn over the window, column 3 of
    // the bottom row must show as itself if rows were repacked.
    const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 255, 255,  //
                       255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 255, 255};
    Write("odd.bmp", BmpFile24(5, 2, rgb));
    TextureLoader loader;
    loader.Configure(0, false, 256);
    uint32_t texture = 0;
    ASSERT_TRUE(loader.LoadTexture("odd.bmp", texture));
    GLWindow& gl = window_.Get();
    gl.BeginFrame();
    gl.GetOverlay().DrawFullScreenImage(texture);
    const FramePixels frame(gl.width, gl.height);
    const int columnWidth = gl.width / 5;
    for (int column = 0; column < 5; ++column) {
        const Rgb want = {rgb[column * 3], rgb[column * 3 + 1], rgb[column * 3 + 2]};
        EXPECT_TRUE(Near(frame.At(column * columnWidth + columnWidth / 2, gl.height / 2), want, 4))
            << "column " << column << " " << frame.At(column * columnWidth + columnWidth / 2, 384);
    }
}

TEST_F(TextureGL, DdsLevelsGoUpAsStoredAndShortChainsStillDraw) {
    ASSERT_NE(qglCompressedTexImage2DARB, nullptr);
    // One level of solid red: complete with mipmap minification.
    Write("one.dds", DdsFile("DXT1", 4, 4, 8, 1, 0) + SolidDxt1Block(0xF800));
    // A mip count of 0 holds the same single level.
    Write("zero.dds", DdsFile("DXT1", 4, 4, 8, 0, 0) + SolidDxt1Block(0x07E0));
    // Two of the four levels of 8 x 8 (blue), the second cut short in the file.
    Write("short.dds", DdsFile("DXT1", 8, 8, 32, 4, 0) + SolidDxt1Block(0x001F) +
                           SolidDxt1Block(0x001F) + SolidDxt1Block(0x001F) +
                           SolidDxt1Block(0x001F) + "abc");
    TextureLoader loader;
    loader.Configure(0, true, 256);

    uint32_t one = 0;
    ASSERT_TRUE(loader.LoadTexture("one.dds", one));
    EXPECT_EQ(Parameter(one, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(Parameter(one, GL_TEXTURE_MAX_LEVEL), 0);
    EXPECT_EQ(LevelParameter(one, 0, GL_TEXTURE_INTERNAL_FORMAT), GL_COMPRESSED_RGBA_S3TC_DXT1_EXT);
    EXPECT_EQ(LevelParameter(one, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE), 8);
    EXPECT_TRUE(Near(DrawnCentre(one), {255, 0, 0}, 4)) << DrawnCentre(one);

    uint32_t zero = 0;
    ASSERT_TRUE(loader.LoadTexture("zero.dds", zero));
    EXPECT_TRUE(Near(DrawnCentre(zero), {0, 255, 0}, 4)) << DrawnCentre(zero);

    uint32_t cut = 0;
    ASSERT_TRUE(loader.LoadTexture("short.dds", cut));
    EXPECT_EQ(Parameter(cut, GL_TEXTURE_MAX_LEVEL), 0);
    EXPECT_EQ(LevelParameter(cut, 0, GL_TEXTURE_WIDTH), 8);
    EXPECT_TRUE(Near(DrawnCentre(cut), {0, 0, 255}, 4)) << DrawnCentre(cut);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGL, DdsWithoutTheCompressionEntryPointIsDecodedInSoftware) {
    // Red 8 x 8 level 0, then a green 4 x 4 level 1.
    Write("two.dds", DdsFile("DXT1", 8, 8, 32, 2, 0) + SolidDxt1Block(0xF800) +
                         SolidDxt1Block(0xF800) + SolidDxt1Block(0xF800) + SolidDxt1Block(0xF800) +
                         SolidDxt1Block(0x07E0));
    const PFNGLCOMPRESSEDTEXIMAGE2DARBPROC saved = qglCompressedTexImage2DARB;
    qglCompressedTexImage2DARB = nullptr;
    TextureLoader loader;
    uint32_t texture = 0;
    const bool loaded = loader.LoadTexture("two.dds", texture);
    qglCompressedTexImage2DARB = saved;
    ASSERT_TRUE(loaded);
    EXPECT_EQ(LevelParameter(texture, 0, GL_TEXTURE_COMPRESSED), GL_FALSE);
    EXPECT_EQ(LevelParameter(texture, 0, GL_TEXTURE_WIDTH), 8);
    EXPECT_EQ(LevelParameter(texture, 1, GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(Parameter(texture, GL_TEXTURE_MAX_LEVEL), 1);
    EXPECT_TRUE(Near(DrawnCentre(texture), {255, 0, 0}, 4)) << DrawnCentre(texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
