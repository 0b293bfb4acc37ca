#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/gl.h"
#include "resources/image.h"
#include "resources/screenshot.h"
#include "support/gl_test_window.h"

namespace fs = std::filesystem;

namespace {

// The screenshot files in the current folder.
std::vector<std::string> Screenshots() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::current_path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("screenshot", 0) == 0)
            names.push_back(name);
    }
    return names;
}

// Clears a rectangle given from the top-left of the window to a colour.
void Fill(int x, int yFromTop, int w, int h, int windowHeight, float r, float g, float b) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, windowHeight - yFromTop - h, w, h);
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
}

// A frame whose top-left quarter is red, top-right green, bottom half blue.
void DrawKnownPicture(int width, int height) {
    Fill(0, 0, width / 2, height / 2, height, 1, 0, 0);
    Fill(width / 2, 0, width - width / 2, height / 2, height, 0, 1, 0);
    Fill(0, height / 2, width, height - height / 2, height, 0, 0, 1);
}

// Checks the decoded screenshot (bottom row first) against the known picture.
void ExpectKnownPicture(const Image& image, int width, int height, int tolerance) {
    ASSERT_EQ(image.width, static_cast<uint32_t>(width));
    ASSERT_EQ(image.height, static_cast<uint32_t>(height));
    ASSERT_EQ(image.bitsPerPixel, 24);
    auto pixel = [&](int x, int yFromTop, int channel) {
        const size_t row = static_cast<size_t>(height - 1 - yFromTop);
        return static_cast<int>(image.pixels[(row * width + x) * 3 + channel]);
    };
    const int quarterX = width / 4;
    const int quarterY = height / 4;
    EXPECT_NEAR(pixel(quarterX, quarterY, 0), 255, tolerance);  // top-left red
    EXPECT_NEAR(pixel(quarterX, quarterY, 1), 0, tolerance);
    EXPECT_NEAR(pixel(3 * quarterX, quarterY, 1), 255, tolerance);  // top-right green
    EXPECT_NEAR(pixel(3 * quarterX, quarterY, 0), 0, tolerance);
    EXPECT_NEAR(pixel(quarterX, 3 * quarterY, 2), 255, tolerance);  // bottom blue
    EXPECT_NEAR(pixel(quarterX, 3 * quarterY, 0), 0, tolerance);
    // The corners, exactly where rows of the wrong stride would drift.
    EXPECT_NEAR(pixel(width - 1, 0, 1), 255, tolerance);
    EXPECT_NEAR(pixel(0, height - 1, 2), 255, tolerance);
    EXPECT_NEAR(pixel(width - 1, height - 1, 2), 255, tolerance);
}

class ScreenshotGL : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window_.Created()); }

    // Takes one screenshot of the known picture and loads it back.
    void Capture(int width, int height, int8_t format, const char* extension) {
        for (const std::string& name : Screenshots())
            fs::remove(name);
        window_.Get().BeginFrame();
        DrawKnownPicture(window_.Get().width, window_.Get().height);
        TakeScreenshot(width, height, format);
        const std::vector<std::string> written = Screenshots();
        ASSERT_EQ(written.size(), 1u);
        name_ = written[0];
        ASSERT_EQ(name_.size(), std::string("screenshot20261206093015.").size() + 3) << name_;
        EXPECT_EQ(name_.substr(name_.size() - 3), extension);
        ASSERT_EQ(image_.Load(name_.c_str()), ImageOk) << name_;
    }

    GLTestWindow window_;
    std::string name_;
    Image image_;
};

TEST_F(ScreenshotGL, PngJpegAndTgaReadBackUpright) {
    Capture(640, 480, ScreenshotPNG, "png");
    ExpectKnownPicture(image_, 640, 480, 0);
    Capture(640, 480, ScreenshotTGA, "tga");
    ExpectKnownPicture(image_, 640, 480, 0);
    Capture(640, 480, ScreenshotJPEG, "jpg");
    ExpectKnownPicture(image_, 640, 480, 12);
}

TEST_F(ScreenshotGL, WidthsThatAreNotAMultipleOfFourKeepTheirRows) {
    Capture(637, 480, ScreenshotTGA, "tga");
    // The capture covers columns 0-636 of the 640-wide frame: its right edge
    // is still the green quarter at the top and blue at the bottom.
    ExpectKnownPicture(image_, 637, 480, 0);
}

TEST_F(ScreenshotGL, OtherCodesWriteNothing) {
    window_.Get().BeginFrame();
    for (int8_t format : {-3, 0, 1, 5})
        TakeScreenshot(640, 480, format);
    EXPECT_TRUE(Screenshots().empty());
}

TEST_F(ScreenshotGL, EndFrameServesARequestOnceAsPng) {
    GLWindow& gl = window_.Get();
    gl.BeginFrame();
    DrawKnownPicture(gl.width, gl.height);
    gl.RequestScreenshot();
    gl.EndFrame();
    EXPECT_FALSE(gl.screenshotRequested);
    const std::vector<std::string> written = Screenshots();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].substr(written[0].size() - 4), ".png");
    ASSERT_EQ(image_.Load(written[0].c_str()), ImageOk);
    ExpectKnownPicture(image_, gl.width, gl.height, 0);

    fs::remove(written[0]);
    gl.BeginFrame();
    gl.EndFrame();
    EXPECT_TRUE(Screenshots().empty());
}

}  // namespace
