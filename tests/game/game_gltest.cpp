// The game with a real window: its textures, the level's textures, and the
// heads-up display drawn over the world.

#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "core/event_list.h"
#include "game/game.h"
#include "input/input.h"
#include "platform/gl.h"
#include "support/game_folder.h"
#include "support/gl_test_window.h"
#include "support/image_files.h"
#include "support/manual_clock.h"
#include "support/scripted_input.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

// A 2 x 2 picture of one colour.
void WritePicture(const TempDir& folder, const std::string& name, uint8_t r, uint8_t g, uint8_t b) {
    folder.Write(name, "");
    PngPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.rows = {r, g, b, r, g, b, r, g, b, r, g, b};
    WritePngFile(folder.File(name), picture);
}

// Pixels of the heads-up text colour within a rectangle of window pixels
// (origin at the top-left corner, as the text is placed; a line's glyphs
// lie within the 14 rows below its y).
int GreenPixels(int left, int top, int right, int bottom, int windowHeight) {
    glFinish();
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            unsigned char rgba[4] = {0, 0, 0, 0};
            glReadPixels(x, windowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
            if (rgba[1] > 200 && rgba[0] < 80 && rgba[2] < 80)
                ++count;
        }
    }
    return count;
}

const char* const kTexturedLevel =
    "material rock\n"
    "    colour 200 200 200\n"
    "    base rock.png\n"
    "end\n"
    "material moss\n"
    "    base missing.png\n"
    "end\n"
    "material slate\n"
    "    base sub\\slate.png\n"  // written by a Windows tool: a folder separator
    "end\n"
    "outline floor\n"
    "    material rock\n"
    "    line -300 -60 300 -60\n"
    "end\n"
    "outline wall\n"
    "    material moss\n"
    "    line 200 -60 200 100\n"
    "end\n"
    "primitive START point 0 0\n";

TEST(GameWithWindow, LoadsItsTexturesAndDrawsTheHeadsUpDisplayOverTheWorld) {
    GLTestWindow window(std::string(kGLTestSettings) + "show_fps=1\n");
    ASSERT_TRUE(window.Created());
    const TempDir& folder = window.Folder();
    WritePicture(folder, "Textures/quarn.png", 0, 0, 255);
    WritePicture(folder, "Textures/rope.png", 255, 255, 255);
    WritePicture(folder, "Menu/cursor.png", 255, 0, 0);
    WritePicture(folder, "Textures/rock.png", 90, 60, 30);
    WritePicture(folder, "Textures/sub/slate.png", 60, 60, 70);
    WriteCompiledLevel(folder, "Levels/rock.dme", kTexturedLevel);
    WriteLevelList(folder, {"Levels/rock.dme"});

    ManualClock clock;
    EventList events;
    ScriptedInput input;
    Game game(clock);
    GLWindow& glWindow = window.Get();
    game.Attach(&events, &glWindow, &input, nullptr);

    CaptureStderr();
    ASSERT_TRUE(game.StartGame());
    const std::string shown = GetCapturedStderr();
    EXPECT_NE(shown.find("Texture not found!: Textures/missing.png"), std::string::npos) << shown;
    EXPECT_TRUE(glIsTexture(game.BallAndRopeTextures().ball));
    EXPECT_TRUE(glIsTexture(game.BallAndRopeTextures().rope));
    const Scene& scene = game.GetScene();
    ASSERT_EQ(scene.materials.size(), 3u);
    const uint32_t rockTexture = scene.materials[0].maps[0].texture;
    EXPECT_TRUE(glIsTexture(rockTexture));
    // Mesa's llvmpipe draws on the CPU: the level's textures stay uncompressed
    // and mipmaps are sampled from the nearest level.
    GLint compressed = GL_TRUE, minification = 0;
    glBindTexture(GL_TEXTURE_2D, rockTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressed);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minification);
    EXPECT_EQ(compressed, GL_FALSE);
    EXPECT_EQ(minification, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(scene.materials[1].maps[0].texture, 0u);  // missing: left at 0, the game runs on
    EXPECT_EQ(scene.materials[2].maps[0].name, "sub\\slate.png");
    EXPECT_TRUE(glIsTexture(scene.materials[2].maps[0].texture));

    // A new game reloads the game's own textures and lets the old ones go.
    const uint32_t firstBall = game.BallAndRopeTextures().ball;
    EXPECT_TRUE(game.StartGame());
    EXPECT_FALSE(glIsTexture(firstBall));
    EXPECT_TRUE(glIsTexture(game.BallAndRopeTextures().ball));

    const int height = glWindow.height;
    const int promptX = glWindow.width / 2 - 30;
    const int promptY = height / 2;
    glWindow.BeginFrame();
    game.TickTimer();
    game.Draw(false);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(GreenPixels(promptX, promptY, promptX + 120, promptY + 14, height), 20);
    EXPECT_GT(GreenPixels(10, 35, 80, 35 + 14, height), 5);  // FPS
    EXPECT_GT(GreenPixels(10, 80, 80, 80 + 14, height), 5);  // TT
    EXPECT_EQ(GreenPixels(10, 100, 80, 130, height), 0);     // nothing below the lines
    glWindow.EndFrame();

    // The first key takes the prompt away; Print Screen asks for a screenshot.
    input.TapKey(DIK_RETURN);
    input.TapKey(DIK_SYSRQ);
    input.ReadKeyboard();
    input.ReadMouse();
    int32_t state = StatePlaying;
    game.ControlStep(state);
    EXPECT_TRUE(game.RunStarted());
    EXPECT_TRUE(glWindow.screenshotRequested);
    glWindow.screenshotRequested = false;
    glWindow.BeginFrame();
    game.Draw(false);
    EXPECT_EQ(GreenPixels(promptX, promptY, promptX + 120, promptY + 14, height), 0);
    glWindow.EndFrame();

    // Without show_fps the FPS line goes and the others keep their places.
    game.EndGame();
    EXPECT_FALSE(glIsTexture(rockTexture));
    folder.Write("settings.ini", kGLTestSettings);
    ASSERT_TRUE(game.StartGame());
    glWindow.BeginFrame();
    game.Draw(true);
    EXPECT_EQ(GreenPixels(10, 35, 80, 35 + 14, height), 0);
    EXPECT_GT(GreenPixels(10, 50, 80, 50 + 14, height), 5);  // Collisions
    EXPECT_GT(GreenPixels(10, 80, 80, 80 + 14, height), 5);  // TT
    glWindow.EndFrame();
    game.EndGame();
}

}  // namespace
