// The game with a real window: its textures, the level's textures, and the
// heads-up display drawn over the world.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/event_list.h"
#include "game/game.h"
#include "input/input.h"
#include "platform/gl.h"
#include "support/game_folder.h"
#include "support/gl_pixels.h"
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

// The game's own pictures: the ball blue, the rope white, the cursor red.
void WriteGamePictures(const TempDir& folder) {
    WritePicture(folder, "Textures/quarn.png", 0, 0, 255);
    WritePicture(folder, "Textures/rope.png", 255, 255, 255);
    WritePicture(folder, "Menu/cursor.png", 255, 0, 0);
}

// A game drawing into the test window, on a manual clock with scripted input.
struct WindowGame {
    explicit WindowGame(GLWindow& window) : game(clock) {
        game.Attach(&events, &window, &input, nullptr);
    }
    ManualClock clock;
    EventList events;
    ScriptedInput input;
    Game game;
};

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
    WriteGamePictures(folder);
    WritePicture(folder, "Textures/rock.png", 90, 60, 30);
    WritePicture(folder, "Textures/sub/slate.png", 60, 60, 70);
    WriteCompiledLevel(folder, "Levels/rock.dme", kTexturedLevel);
    WriteLevelList(folder, {"Levels/rock.dme"});

    GLWindow& glWindow = window.Get();
    WindowGame played(glWindow);
    Game& game = played.game;
    ScriptedInput& input = played.input;

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

// The ball hangs from the ceiling; a wall stands to its right, nothing to its
// left. The outlines are drawn only as the outline display draws them.
const char* const kWallLevel =
    "outline ceiling\n"
    "    hidden\n"
    "    line -400 150 400 150\n"
    "end\n"
    "outline wall\n"
    "    hidden\n"
    "    line 120 -200 120 100\n"
    "end\n"
    "primitive START point 0 0\n";

struct LineExtent {
    int pixels = 0;
    int left = 1 << 20, right = -1;
    int rightRow = -1;  // the row of the rightmost pixel
};

LineExtent PixelsOf(const FramePixels& frame, const LineColour& colour) {
    const Rgb want{static_cast<int>(colour.red * 255.0f + 0.5f),
                   static_cast<int>(colour.green * 255.0f + 0.5f),
                   static_cast<int>(colour.blue * 255.0f + 0.5f)};
    LineExtent extent;
    for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
            if (!Near(frame.At(x, y), want))
                continue;
            ++extent.pixels;
            extent.left = std::min(extent.left, x);
            if (x > extent.right) {
                extent.right = x;
                extent.rightRow = y;
            }
        }
    }
    return extent;
}

// The aim line drawn over the level ends on the wall the hook then catches,
// in its catching colour; aimed where nothing is within reach it ends in the
// other colour; a setting hides it. The hook fired catches where the line
// ended, to the last bit.
TEST(GameWithWindow, TheAimLineEndsWhereTheHookThenCatches) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    const TempDir& folder = window.Folder();
    WriteGamePictures(folder);
    WriteCompiledLevel(folder, "Levels/wall.dme", kWallLevel);
    WriteLevelList(folder, {"Levels/wall.dme"});

    GLWindow& glWindow = window.Get();
    WindowGame played(glWindow);
    Game& game = played.game;
    ScriptedInput& input = played.input;
    ASSERT_TRUE(game.StartGame());
    int32_t state = StatePlaying;
    auto frame = [&](int count) {
        for (int i = 0; i < count; ++i) {
            played.clock.milliseconds += 16;
            played.clock.counter += 16000;
            input.ReadKeyboard();
            input.ReadMouse();
            glWindow.BeginFrame();
            game.TickTimer();
            game.FrameUpdate();
            game.ControlStep(state);
            game.Draw(false);
        }
    };
    input.TapKey(DIK_RETURN);
    input.TapKey(DIK_H);  // the outlines drawn too
    frame(1);
    input.MoveMouse(200, 0);  // right of the ball, at its height
    frame(3);
    const FramePixels towardsTheWall(glWindow.width, glWindow.height);
    const std::vector<Vector2> line = game.AimLine().path;
    ASSERT_TRUE(game.AimLine().catches);
    ASSERT_GE(line.size(), 2u);
    EXPECT_EQ(line.back().x, 120.0);
    const LineExtent catching = PixelsOf(towardsTheWall, kAimLineCatches);
    EXPECT_GT(catching.pixels, 40);
    EXPECT_EQ(PixelsOf(towardsTheWall, kAimLineMisses).pixels, 0);
    // In the row where the line stops, the wall's outline is drawn beside it.
    int wallColumn = -1;
    for (int x = catching.right - 2; x <= catching.right + 2; ++x) {
        if (Near(towardsTheWall.At(x, catching.rightRow), {255, 0, 128}))
            wallColumn = x;
    }
    EXPECT_NE(wallColumn, -1) << "no outline beside the line's end at (" << catching.right << ", "
                              << catching.rightRow << ")";
    EXPECT_LT(catching.left, catching.right - 40);
    glWindow.EndFrame();

    input.ClickButton(0);
    frame(1);
    ASSERT_TRUE(game.Rope().flying);
    for (int i = 0; i < 20 && !game.Rope().attached; ++i)
        frame(1);
    ASSERT_TRUE(game.Rope().attached);
    EXPECT_EQ(game.Rope().position.x, line.back().x);
    EXPECT_EQ(game.Rope().position.y, line.back().y);
    glWindow.EndFrame();

    // Aimed left, where nothing is within the rope's reach.
    input.MoveMouse(-400, 0);
    frame(2);
    const FramePixels awayFromTheWall(glWindow.width, glWindow.height);
    EXPECT_FALSE(game.AimLine().catches);
    EXPECT_GT(PixelsOf(awayFromTheWall, kAimLineMisses).pixels, 40);
    EXPECT_EQ(PixelsOf(awayFromTheWall, kAimLineCatches).pixels, 0);
    glWindow.EndFrame();

    folder.Write("settings.ini", std::string(kGLTestSettings) + "aim_line=0\n");
    ASSERT_TRUE(game.StartGame());
    frame(2);
    const FramePixels hidden(glWindow.width, glWindow.height);
    EXPECT_TRUE(game.AimLine().path.empty());
    EXPECT_EQ(PixelsOf(hidden, kAimLineMisses).pixels + PixelsOf(hidden, kAimLineCatches).pixels,
              0);
    glWindow.EndFrame();
    game.EndGame();
}

}  // namespace
