// The game played with a pad: SDL's virtual joystick plugged into this
// process, its events taken through the message queue into the input's pad
// device, as the program's main loop takes them.

#include <gtest/gtest.h>

#include <cmath>

#include "game/game_fixture.h"
#include "input/input.h"
#include "platform/input_devices.h"
#include "platform/message_queue.h"
#include "platform/virtual_pad.h"

namespace {

// The ball hangs from the ceiling 200 above it after the load.
constexpr const char* kCeilingLevel =
    "outline room\n"
    "    loop -300 -300  300 -300  300 300  -300 300\n"
    "end\n"
    "outline ceiling\n"
    "    solid -300 200  300 200  300 220  -300 220\n"
    "end\n"
    "primitive START point 0 0\n";

constexpr int kFullTilt = 32767;

class GamePadTest : public GameTest {
protected:
    void SetUp() override {
        ASSERT_EQ(padInput_.InitWithoutWindow(), S_OK);
        ASSERT_TRUE(padInput_.Devices()->pad.OpenControllers());
        ASSERT_TRUE(pad_.Attach());
        Level("Levels/ceiling.dme", kCeilingLevel);
        WriteLevelList(folder_, {"Levels/ceiling.dme"});
        game_ = std::make_unique<Game>(clock_);
        game_->Attach(&events_, nullptr, &padInput_, &sound_);
        ASSERT_TRUE(NewGame());
        PadFrames(1);  // the pad is opened when its arrival is taken
    }

    // Frames of the main loop with the pad's events taken first.
    void PadFrames(int count) {
        for (int i = 0; i < count; ++i) {
            Advance(16);
            WindowMessage message;
            while (PeekWindowMessage(&message))
                DispatchWindowMessage(message);
            padInput_.ReadKeyboard();
            padInput_.ReadMouse();
            padInput_.ReadPad();
            bool quit = false;
            ActOnAppState(context_, nullptr, game_.get(), &quit);
        }
    }
    // A button pressed in one frame and let go in the next.
    void Press(int button) {
        pad_.SetButton(button, true);
        PadFrames(1);
        pad_.SetButton(button, false);
        PadFrames(1);
    }
    void Stick(int axisX, int x, int y) {
        pad_.SetAxis(axisX, x);
        pad_.SetAxis(axisX + 1, y);
        PadFrames(1);
    }
    // The aim point the stick gives in this direction around the ball now.
    Vector2f AimAround(double x, double y) const {
        const Vector2 ball = game_->Ball().position;
        return ToVector2f(ball + Vector2{x, y} * static_cast<double>(game_->Rope().maxLength));
    }

    Input padInput_;
    VirtualPad pad_;
};

TEST_F(GamePadTest, TheRightStickAimsAroundTheBallOutsideItsDeadZoneAndKeepsItsLastAim) {
    Game& game = *game_;
    Press(PadButtonA);  // the first press of a level starts the run
    ASSERT_TRUE(game.RunStarted());
    const Vector2f resting = game.AimPoint();

    Stick(PadAxisRightX, kFullTilt / 5, 0);  // within the dead zone of a quarter
    EXPECT_FALSE(game.PadAiming());
    EXPECT_EQ(game.AimPoint().x, resting.x);

    Stick(PadAxisRightX, kFullTilt, 0);
    ASSERT_TRUE(game.PadAiming());
    EXPECT_EQ(game.AimPoint().x, AimAround(1.0, 0.0).x);
    EXPECT_EQ(game.AimPoint().y, AimAround(1.0, 0.0).y);

    // Let go, the stick keeps its direction round the moving ball.
    Stick(PadAxisRightX, 0, 0);
    PadFrames(3);
    EXPECT_TRUE(game.PadAiming());
    EXPECT_EQ(game.AimPoint().x, AimAround(1.0, 0.0).x);

    Stick(PadAxisRightX, -20000, -20000);  // up and to the left
    const double half = std::sqrt(0.5);
    EXPECT_FLOAT_EQ(game.AimPoint().x, AimAround(-half, half).x);
    EXPECT_FLOAT_EQ(game.AimPoint().y, AimAround(-half, half).y);
    Stick(PadAxisRightX, 0, 0);

    // The mouse takes over from the stick's aim.
    const Vector2f stickAim = game.AimPoint();
    padInput_.Devices()->mouse.OnMotion(10, 0);
    PadFrames(1);
    EXPECT_FALSE(game.PadAiming());
    EXPECT_NEAR(game.AimPoint().x, stickAim.x + 10.0f, 0.5f);
    EXPECT_NEAR(game.AimPoint().y, stickAim.y, 0.5f);
}

TEST_F(GamePadTest, ButtonsAndSticksFireLetGoReelSwingPauseAndRestart) {
    Game& game = *game_;
    // Each hold starts from the ball hanging still on the rope the load
    // settled: Back restarts the level, and the hold's first frame starts
    // the run. Reeling and swinging come from either control of the pairs.
    const struct {
        const char* what;
        bool stick;  // the left stick, else the d-pad
        int x, y;    // -1, 0 or 1, y up
    } holds[] = {{"stick up reels in", true, 0, 1},
                 {"d-pad down reels out", false, 0, -1},
                 {"stick left swings left", true, -1, 0},
                 {"d-pad right swings right", false, 1, 0}};
    for (const auto& hold : holds) {
        SCOPED_TRACE(hold.what);
        Press(PadButtonBack);
        ASSERT_FALSE(game.RunStarted());
        ASSERT_TRUE(game.Rope().attached);
        const double length = game.Rope().totalLength;
        const int button = hold.x < 0   ? PadButtonDpadLeft
                           : hold.x > 0 ? PadButtonDpadRight
                           : hold.y > 0 ? PadButtonDpadUp
                                        : PadButtonDpadDown;
        if (hold.stick)
            Stick(PadAxisLeftX, hold.x * kFullTilt, -hold.y * kFullTilt);
        else
            pad_.SetButton(button, true);
        PadFrames(10);
        EXPECT_TRUE(game.RunStarted());
        EXPECT_EQ(game.Rope().totalLength<length, hold.y> 0) << game.Rope().totalLength;
        EXPECT_EQ(game.Rope().totalLength > length, hold.y < 0) << game.Rope().totalLength;
        EXPECT_EQ(game.Ball().velocity.x < -0.1, hold.x < 0) << game.Ball().velocity.x;
        EXPECT_EQ(game.Ball().velocity.x > 0.1, hold.x > 0) << game.Ball().velocity.x;
        Stick(PadAxisLeftX, 0, 0);
        pad_.SetButton(button, false);
    }

    // Fire with the right trigger or A, let go with the left trigger or B,
    // aiming straight down.
    Stick(PadAxisRightX, 0, kFullTilt);
    const struct {
        int axis;  // a trigger, or -1 for the button
        int button;
        bool flying;
    } shots[] = {{PadAxisRightTrigger, -1, true},
                 {PadAxisLeftTrigger, -1, false},
                 {-1, PadButtonA, true},
                 {-1, PadButtonB, false}};
    for (const auto& shot : shots) {
        SCOPED_TRACE(shot.flying ? "fire" : "let go");
        if (shot.axis >= 0)
            pad_.SetAxis(shot.axis, kFullTilt);
        else
            pad_.SetButton(shot.button, true);
        PadFrames(1);
        EXPECT_EQ(game.Rope().flying, shot.flying);
        EXPECT_FALSE(game.Rope().attached);
        if (shot.axis >= 0)
            pad_.SetAxis(shot.axis, 0);
        else
            pad_.SetButton(shot.button, false);
        PadFrames(1);
    }

    pad_.SetButton(PadButtonStart, true);
    PadFrames(1);
    EXPECT_EQ(AppState(), StatePause);
}

TEST_F(GamePadTest, APadPulledOutMidGameLetsGoAndWorksAgainPluggedBackIn) {
    Game& game = *game_;
    Press(PadButtonA);
    ASSERT_TRUE(game.Rope().attached);
    Stick(PadAxisLeftX, 0, kFullTilt);  // reel out, held
    PadFrames(5);
    const double reeled = game.Rope().totalLength;
    EXPECT_GT(reeled, 200.0);

    pad_.Detach();
    PadFrames(5);
    EXPECT_FALSE(padInput_.PadState().connected);
    const double after = game.Rope().totalLength;
    EXPECT_LT(after - reeled, 1.0);  // at most the frame the pad went in
    PadFrames(10);
    EXPECT_EQ(game.Rope().totalLength, after);

    ASSERT_TRUE(pad_.Attach());
    PadFrames(2);
    EXPECT_TRUE(padInput_.PadState().connected);
    Press(PadButtonA);
    EXPECT_TRUE(game.Rope().flying);
}

}  // namespace
