// The ghost on the screen: the level's best run, kept in the records folder,
// drawn translucent over the live game where its ball was at the live run's
// step, with the best time below the heads-up lines.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "core/app_state.h"
#include "core/event_list.h"
#include "platform/gl.h"
#include "records/recorded_game.h"
#include "records/shaft_level.h"
#include "render/world_renderer.h"
#include "sim/game_simulator.h"
#include "support/game_folder.h"
#include "support/gl_pixels.h"
#include "support/gl_test_window.h"
#include "support/image_files.h"
#include "support/manual_clock.h"
#include "support/scripted_input.h"

namespace {

void WritePicture(const TempDir& folder, const std::string& name, uint8_t grey) {
    folder.Write(name, "");
    PngPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.rows.assign(12, grey);
    WritePngFile(folder.File(name), picture);
}

// Window pixel (from the top-left corner) where a point of the play plane is drawn.
bool ProjectToWindow(const Camera& camera, const Vector2& point, int windowHeight, int& x, int& y) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vector3d t = CameraTranslation(camera);
    glRotated(camera.rotationAngle, camera.rotationAxis.x, camera.rotationAxis.y,
              camera.rotationAxis.z);
    glTranslated(t.x, t.y, t.z);
    double modelView[16];
    double projection[16];
    int viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double world[4] = {point.x, 0.0, point.y, 1.0};
    double eye[4] = {0, 0, 0, 0};
    double clip[4] = {0, 0, 0, 0};
    for (int row = 0; row < 4; ++row) {
        for (int k = 0; k < 4; ++k)
            eye[row] += modelView[k * 4 + row] * world[k];
    }
    for (int row = 0; row < 4; ++row) {
        for (int k = 0; k < 4; ++k)
            clip[row] += projection[k * 4 + row] * eye[k];
    }
    if (clip[3] <= 0.0)
        return false;
    x = static_cast<int>(viewport[0] + (clip[0] / clip[3] + 1.0) * 0.5 * viewport[2]);
    const int fromBottom =
        static_cast<int>(viewport[1] + (clip[1] / clip[3] + 1.0) * 0.5 * viewport[3]);
    y = windowHeight - 1 - fromBottom;
    return true;
}

int GreenPixels(const FramePixels& pixels, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Rgb c = pixels.At(x, y);
            count += c.g > 200 && c.r < 80 && c.b < 80;
        }
    }
    return count;
}

TEST(GhostOnScreen, TheBestRunIsDrawnTranslucentWhereItsBallWasAtTheLiveStep) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    const TempDir& folder = window.Folder();
    WritePicture(folder, "Textures/quarn.png", 255);
    WritePicture(folder, "Textures/rope.png", 255);
    WritePicture(folder, "Menu/cursor.png", 255);
    WriteCompiledLevel(folder, "Levels/shaft.dme", kShaftLevel);
    WriteLevelList(folder, {"Levels/shaft.dme"});

    // The best run: a shot that lets go of the ceiling, and the drop to the end.
    std::ostringstream trace;
    GameSimulator simulator(SimulatorOptions{}, trace);
    SimScript script;
    std::string error;
    ASSERT_TRUE(
        ParseSimScript("key 28\nframes 1\nkeyup 28\nmove 40 -150\nbutton 0 down\n"
                       "frames 2\nbutton 0 up\nframes 40\n",
                       script, error));
    ASSERT_TRUE(simulator.StartNewGame(error));
    ASSERT_TRUE(simulator.Run(script, error));
    ASSERT_FALSE(simulator.FinishedRuns().empty());
    const Replay best = simulator.FinishedRuns().front();
    const std::string records = folder.File("data/quarn");
    {
        RecordStore store(records);
        ASSERT_TRUE(store.Open());
        ASSERT_TRUE(store.OfferRun(best, 0));
    }
    ReplayPlayer reference;  // where the best run's ball is, step by step
    ASSERT_TRUE(reference.Start(best, error)) << error;

    // The live run starts and keeps hanging from the ceiling.
    ManualClock clock;
    clock.milliseconds = 1000;
    EventList events;
    ScriptedInput input;
    GLWindow& glWindow = window.Get();
    RecordedGame recorded(std::make_unique<Game>(clock), clock);
    recorded.KeepRecordsIn(records);
    recorded.Attach(&events, &glWindow, &input, nullptr);
    ASSERT_TRUE(recorded.StartGame());
    EXPECT_EQ(recorded.BestSteps(), best.steps);
    ASSERT_TRUE(recorded.GhostShown());
    input.TapKey(28);
    for (int frame = 0; frame < 4; ++frame) {
        clock.milliseconds += 16;
        clock.counter += 16000;
        input.ReadKeyboard();
        input.ReadMouse();
        int32_t state = StatePlaying;
        recorded.TickTimer();
        recorded.FrameUpdate();
        recorded.ControlStep(state);
    }
    const uint32_t liveSteps = recorded.Recorder().RunSteps();
    ASSERT_EQ(liveSteps, 15u);
    while (reference.RunSteps() < liveSteps && reference.PlayFrame()) {
    }
    const TPlayer* ghost = recorded.Ghost().Ball();
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->position.x, reference.GetGame().Ball().position.x);
    EXPECT_EQ(ghost->position.y, reference.GetGame().Ball().position.y);
    const Game& live = recorded.Inner();
    EXPECT_GT(live.Ball().position.y - ghost->position.y, 50.0) << "the live ball still hangs";

    const int height = glWindow.height;
    glWindow.BeginFrame();
    recorded.Inner().Draw(false);
    const FramePixels without(glWindow.width, height);
    glWindow.BeginFrame();
    recorded.Draw(false);
    const FramePixels with(glWindow.width, height);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    int x = 0;
    int y = 0;
    ASSERT_TRUE(ProjectToWindow(live.GetCamera(), DrawnPosition(*ghost, 1.0), height, x, y));
    ASSERT_TRUE(x > 0 && x < glWindow.width && y > 0 && y < height) << x << ", " << y;
    const Rgb under = without.At(x, y);
    const Rgb over = with.At(x, y);
    const auto blended = [](int below) {
        return static_cast<int>(std::lround(kGhostAlpha * 255 + (1 - kGhostAlpha) * below));
    };
    EXPECT_NEAR(over.r, blended(under.r), 4) << under << " -> " << over;
    EXPECT_NEAR(over.g, blended(under.g), 4) << under << " -> " << over;
    EXPECT_NEAR(over.b, blended(under.b), 4) << under << " -> " << over;
    EXPECT_LT(over.r, 250) << "translucent, not opaque";
    EXPECT_GT(over.r, under.r + 40) << "but there";
    int liveX = 0;
    int liveY = 0;
    ASSERT_TRUE(
        ProjectToWindow(live.GetCamera(), DrawnPosition(live.Ball(), 1.0), height, liveX, liveY));
    const Rgb liveBall = with.At(liveX, liveY);
    EXPECT_EQ(liveBall.r, without.At(liveX, liveY).r) << "the live ball is drawn as it was";
    EXPECT_EQ(with.At(5, height - 5).r, without.At(5, height - 5).r);

    // "Best: 0:0:..." under the heads-up lines, only with the records.
    EXPECT_GT(GreenPixels(with, 10, 95, 90, 109), 5);
    EXPECT_EQ(GreenPixels(without, 10, 95, 90, 109), 0);
}

}  // namespace
