#include "core/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "render/gl_window.h"
#include "support/temp_dir.h"

namespace {

// Every test runs in a folder of its own: settings.ini is found in the
// current directory.
class SettingsTest : public ::testing::Test {
protected:
    TempDir folder_;
    ScopedWorkingDir inFolder_{folder_.Path()};
};

TEST_F(SettingsTest, WithoutAFileEveryKeyReadsItsDefault) {
    EXPECT_EQ(SettingsPath(), folder_.Path() + "/settings.ini");
    EXPECT_EQ(ReadSetting("Video", "width", "640"), "640");
    EXPECT_EQ(ReadSettingInt("Keys", "left", "30"), 30);
    EXPECT_FLOAT_EQ(ReadSettingFloat("Physics", "gravity", "-0.689"), -0.689f);
    EXPECT_TRUE(ReadSettingBool("Video", "texcomp", "1"));
    EXPECT_FALSE(ReadSettingBool("Video", "fullscreen", "0"));

    // The window's video settings: windowed 640 x 480 at 32 bits.
    const GLWindow window;
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.height, 480);
    EXPECT_EQ(window.bitsPerPixel, 32);
    EXPECT_FALSE(window.fullscreen);
    EXPECT_TRUE(window.texcomp);
    EXPECT_EQ(window.anisoFilter, 0.0f);
}

TEST_F(SettingsTest, AMissingKeyOrSectionReadsItsDefaultBesideOthersThatAreSet) {
    folder_.Write("settings.ini", "[Video]\nwidth=1024\n[Sound]\nmusic=0\n");
    EXPECT_EQ(ReadSettingInt("Video", "width", "640"), 1024);
    EXPECT_EQ(ReadSettingInt("Video", "height", "480"), 480);
    EXPECT_FALSE(ReadSettingBool("Sound", "music", "1"));
    EXPECT_FLOAT_EQ(ReadSettingFloat("Camera", "z", "-700.0"), -700.0f);
}

TEST_F(SettingsTest, VideoAndLowerCaseVideoAreOneSection) {
    folder_.Write("settings.ini", "[Video]\nshow_fps=1\nfps_limit=1\n");
    EXPECT_TRUE(ReadSettingBool("video", "show_fps", "0"));
    EXPECT_TRUE(ReadSettingBool("video", "FPS_LIMIT", "0"));
    folder_.Write("settings.ini", "[video]\nwidth=800\n");
    EXPECT_EQ(ReadSettingInt("Video", "width", "640"), 800);
}

TEST_F(SettingsTest, NumbersConvertLikeAtoiAndAtofAndMalformedOnesReadZero) {
    folder_.Write("settings.ini",
                  "[Video]\nwidth=abc\nheight=\nbpp=16bit\nfullscreen=yes\ntexcomp=2\n"
                  "aniso_filter=4.5x\n[Physics]\ngravity=-1.5e1\nrope_push=.5\nball_mass=x2\n");
    EXPECT_EQ(ReadSettingInt("Video", "width", "640"), 0);
    EXPECT_EQ(ReadSettingInt("Video", "height", "480"), 0);  // present but empty
    EXPECT_EQ(ReadSettingInt("Video", "bpp", "32"), 16);
    EXPECT_FALSE(ReadSettingBool("Video", "fullscreen", "0"));  // "yes" is 0
    EXPECT_TRUE(ReadSettingBool("Video", "texcomp", "1"));
    EXPECT_FLOAT_EQ(ReadSettingFloat("Video", "aniso_filter", "0.0"), 4.5f);
    EXPECT_FLOAT_EQ(ReadSettingFloat("Physics", "gravity", "-0.689"), -15.0f);
    EXPECT_FLOAT_EQ(ReadSettingFloat("Physics", "rope_push", "10.25"), 0.5f);
    EXPECT_EQ(ReadSettingFloat("Physics", "ball_mass", "2.0"), 0.0f);

    // A malformed size gives a window of size 0 (the viewport takes height 1).
    const GLWindow window;
    EXPECT_EQ(window.width, 0);
    EXPECT_EQ(window.height, 0);
}

TEST_F(SettingsTest, ValuesAreCutAt63Characters) {
    const std::string digits =
        "1234567890123456789012345678901234567890123456789012345678901234567890";
    folder_.Write("settings.ini", "[Physics]\nmax_length=" + digits + "\n");
    EXPECT_EQ(ReadSetting("Physics", "max_length", "350.0"), digits.substr(0, 63));
}

TEST_F(SettingsTest, TheFileIsReadAgainAtEveryReadAndFromTheCurrentDirectory) {
    folder_.Write("settings.ini", "[Camera]\nz=-700.0\n");
    EXPECT_FLOAT_EQ(ReadSettingFloat("Camera", "z", "-1"), -700.0f);
    folder_.Write("settings.ini", "[Camera]\nz=-900.0\n");
    EXPECT_FLOAT_EQ(ReadSettingFloat("Camera", "z", "-1"), -900.0f);

    TempDir other;
    other.Write("settings.ini", "[Camera]\nz=-100.0\n");
    {
        ScopedWorkingDir inOther(other.Path());
        EXPECT_FLOAT_EQ(ReadSettingFloat("Camera", "z", "-1"), -100.0f);
    }
    EXPECT_FLOAT_EQ(ReadSettingFloat("Camera", "z", "-1"), -900.0f);
}

}  // namespace
