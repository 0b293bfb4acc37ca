#include "core/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "render/gl_window.h"
#include "support/game_folder.h"
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

TEST_F(SettingsTest, PadBindingsReadTheirNamesAndFallBackOnTheirDefaults) {
    const PadBindings defaults = ReadPadBindings();
    EXPECT_EQ(defaults.fire.first, PadRightTrigger);
    EXPECT_EQ(defaults.fire.second, PadA);
    EXPECT_EQ(defaults.up.first, PadLeftStickUp);
    EXPECT_EQ(defaults.up.second, PadDpadUp);
    EXPECT_EQ(defaults.pause.first, PadStart);
    EXPECT_EQ(defaults.lock.first, PadNone);
    EXPECT_FLOAT_EQ(defaults.deadZone, 0.25f);
    EXPECT_EQ(ReadKeyBindings().fire, 0);  // the mouse buttons only
    EXPECT_TRUE(ReadPlaySettings().aimLine);

    folder_.Write("settings.ini",
                  "[Pad]\nfire = X\nlet_go=dpup, Y, b\nup=none\ndown=wheel dpdown\nleft=\n"
                  "dead_zone=0.5\n[Video]\naim_line=0\n");
    const PadBindings pad = ReadPadBindings();
    EXPECT_EQ(pad.fire.first, PadX);
    EXPECT_EQ(pad.fire.second, PadNone);
    EXPECT_EQ(pad.letGo.first, PadDpadUp);  // the first two that are controls
    EXPECT_EQ(pad.letGo.second, PadY);
    EXPECT_EQ(pad.up.first, PadNone);
    EXPECT_EQ(pad.down.first, PadDpadDown);
    EXPECT_EQ(pad.left.first, PadNone);
    EXPECT_EQ(pad.right.first, PadLeftStickRight);  // not in the file
    EXPECT_FLOAT_EQ(pad.deadZone, 0.5f);
    EXPECT_FALSE(ReadPlaySettings().aimLine);
}

TEST_F(SettingsTest, WrittenControlsReadBackAndTheRestOfTheFileStays) {
    const std::string before =
        "; my settings\n[Video]\nwidth=800\n\n[Keys]\n; reel in\nup=17\n\n[Sound]\nmusic=0\n";
    folder_.Write("settings.ini", before);
    KeyBindings keys;
    keys.fire = 33;
    keys.up = 200;
    PadBindings pad;
    pad.fire = {PadY, PadNone};
    pad.lock = {PadRightShoulder, PadLeftTrigger};
    std::string error;
    ASSERT_TRUE(WriteControlSettings(keys, pad, error)) << error;

    const KeyBindings keysRead = ReadKeyBindings();
    EXPECT_EQ(keysRead.fire, 33);
    EXPECT_EQ(keysRead.up, 200);
    EXPECT_EQ(keysRead.left, 30);
    const PadBindings padRead = ReadPadBindings();
    EXPECT_EQ(padRead.fire.first, PadY);
    EXPECT_EQ(padRead.fire.second, PadNone);
    EXPECT_EQ(padRead.lock.first, PadRightShoulder);
    EXPECT_EQ(padRead.lock.second, PadLeftTrigger);
    EXPECT_EQ(padRead.up.second, PadDpadUp);
    EXPECT_EQ(ReadSettingInt("Video", "width", "640"), 800);
    EXPECT_FALSE(ReadSettingBool("Sound", "music", "1"));
    const std::string after = ReadFileText(folder_.File("settings.ini"));
    EXPECT_EQ(after.rfind("; my settings\n[Video]\nwidth=800\n\n[Keys]\n; reel in\nup=200\n", 0),
              0u)
        << after;
}

}  // namespace
