// The game without a window: frames, sub-steps, the first key, restarts, the
// level cycle, the settings' moments and the control keys.

#include "game/game.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/game_fixture.h"

namespace {

constexpr int kKeyEnter = 28;
constexpr int kKeyUp = 17;
constexpr int kKeyEscape = 1;
constexpr int kKeyH = 35;
constexpr int kKeyReset = 88;
constexpr double kGravityStep = 2.0 * static_cast<double>(-0.689f);  // ball mass 2

TEST_F(GameTest, FiveSubStepsWhenTheTickHasAdvancedAndNoneWhenItHasNot) {
    Level("Levels/open.dme", kOpenLevel);
    WriteLevelList(folder_, {"Levels/open.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    StartRun();

    const uint64_t steps = game.StepCount();
    Frame();  // same tick
    EXPECT_EQ(game.StepCount(), steps);
    Frames(1);
    EXPECT_EQ(game.StepCount(), steps + 5);
    Frames(1, 200);  // many ticks still make five steps
    EXPECT_EQ(game.StepCount(), steps + 10);
    EXPECT_LT(game.Ball().position.y, -1.0);

    // A tick count that went backwards (it wraps after 49.7 days) does not
    // stop the simulation until it catches up.
    game.SetLastSimulatedTick(0xFFFFFF00u);
    Frame();
    EXPECT_EQ(game.StepCount(), steps + 10);
    Frames(1);
    EXPECT_EQ(game.StepCount(), steps + 15);
}

TEST_F(GameTest, NothingMovesBeforeTheFirstKeyWhileTheCursorAlreadyMoves) {
    Level("Levels/open.dme", kOpenLevel);
    WriteLevelList(folder_, {"Levels/open.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    EXPECT_FALSE(game.RunStarted());
    // The level load ran one step: gravity has started the ball moving.
    const Vector2 waiting = game.Ball().position;
    EXPECT_DOUBLE_EQ(waiting.y, kGravityStep);
    const uint64_t steps = game.StepCount();

    input_.MoveMouse(30, -20);
    Frames(20);
    EXPECT_EQ(game.Ball().position.x, waiting.x);
    EXPECT_EQ(game.Ball().position.y, waiting.y);
    EXPECT_EQ(game.StepCount(), steps);
    EXPECT_FLOAT_EQ(game.CursorOffset().x, 30.0f);
    EXPECT_FLOAT_EQ(game.CursorOffset().y, 20.0f);
    const Vector2f centre = ToVector2f(game.GetCamera().Centre());
    EXPECT_FLOAT_EQ(game.AimPoint().x, 30.0f + centre.x);
    EXPECT_FLOAT_EQ(game.AimPoint().y, 20.0f + centre.y);

    input_.MoveMouse(5000, 5000);  // the cursor stays near the camera centre
    Frames(1);
    EXPECT_FLOAT_EQ(game.CursorOffset().x, 370.0f);
    EXPECT_FLOAT_EQ(game.CursorOffset().y, -280.0f);

    // A mouse button starts the run as a key does.
    input_.ClickButton(1);
    Frames(1);
    EXPECT_TRUE(game.RunStarted());
    Frames(1);
    EXPECT_LT(game.Ball().position.y, waiting.y);
}

TEST_F(GameTest, TheFourthCollisionRestartsTheLevelAtTheNextStep) {
    Level("Levels/floor.dme", kFloorLevel);
    WriteLevelList(folder_, {"Levels/floor.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    StartRun();
    TakeSoundLog();

    ASSERT_TRUE(FramesUntil([&] { return game.Stats().current.collisions >= 4; }));
    // Shown until the next step restarts.
    EXPECT_TRUE(game.RunStarted());
    EXPECT_NE(game.Ball().position.y, kGravityStep);
    const CallLog sounds = TakeSoundLog();
    EXPECT_GE(std::count(sounds.begin(), sounds.end(), "sound.PlayEffect(0)"), 4);

    Frames(1);
    EXPECT_FALSE(game.RunStarted());
    EXPECT_EQ(game.Stats().current.collisions, 0);
    EXPECT_DOUBLE_EQ(game.Ball().position.y, kGravityStep);
    EXPECT_STREQ(game.Stats().currentTimeText, "0:0:000");
    EXPECT_TRUE(Logged(TakeSoundLog(), "sound.StopLevelSounds"));
}

TEST_F(GameTest, ADeadlyOutlineRestartsTheLevel) {
    Level("Levels/pit.dme",
          "outline DEATH_pit\n"
          "    line -300 -40 300 -40\n"
          "end\n"
          "primitive START point 0 0\n");
    WriteLevelList(folder_, {"Levels/pit.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    StartRun();

    double lowest = 0.0;
    ASSERT_TRUE(FramesUntil([&] {
        lowest = std::min(lowest, game.Ball().position.y);
        return !game.RunStarted();
    }));
    EXPECT_LT(lowest, -20.0);                                // it fell towards the pit ...
    EXPECT_DOUBLE_EQ(game.Ball().position.y, kGravityStep);  // ... and waits at the start again
    EXPECT_EQ(game.Stats().current.collisions, 0);
    EXPECT_TRUE(Logged(TakeSoundLog(), "sound.StopLevelSounds"));
}

const char* const kFirstLevel =
    "primitive START point 0 0\n"
    "primitive END2 box -50 -80 50 -60\n";
const char* const kSecondLevel =
    "primitive START1 point 300 0\n"
    "primitive START2 point 1000 0\n"
    "primitive END7 box 950 -80 1050 -60\n";

TEST_F(GameTest, AnEndZoneLoadsTheNextLevelAtTheStartNumberedLikeItAndTheLastWraps) {
    Level("Levels/a.dme", kFirstLevel);
    Level("Levels/b.dme", kSecondLevel);
    WriteLevelList(folder_, {"Levels/a.dme", "Levels/b.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    EXPECT_EQ(game.Levels().Count(), 2u);
    EXPECT_EQ(game.GetScene().path, "Levels/a.dme");
    StartRun();
    TakeSoundLog();

    ASSERT_TRUE(FramesUntil([&] { return game.Levels().Index() == 1; }));
    EXPECT_EQ(game.GetScene().path, "Levels/b.dme");
    EXPECT_EQ(game.Triggers().entryNumber, 2);
    EXPECT_DOUBLE_EQ(game.Ball().position.x, 1000.0);  // START2, not the smaller START1
    EXPECT_FALSE(game.RunStarted());
    EXPECT_TRUE(Logged(TakeSoundLog(), "sound.FreeLevelSounds"));
    // The new level waits for its key; the clock has not been stopped.
    const uint64_t steps = game.StepCount();
    Frames(10);
    EXPECT_EQ(game.StepCount(), steps);

    StartRun();
    ASSERT_TRUE(FramesUntil([&] { return game.Levels().Index() == 0; }));
    EXPECT_EQ(game.GetScene().path, "Levels/a.dme");
    EXPECT_EQ(game.Triggers().entryNumber, 7);
    EXPECT_DOUBLE_EQ(game.Ball().position.x, 0.0);      // no START7: the default start
    EXPECT_EQ(game.World().FieldObjects().size(), 1u);  // gravity only, not one per load
}

TEST_F(GameTest, TheEntryNumberSurvivesANewGame) {
    Level("Levels/a.dme",
          "primitive START point 0 0\n"
          "primitive END4 box -50 -80 50 -60\n");
    WriteLevelList(folder_, {"Levels/a.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    StartRun();
    const uint64_t steps = game.StepCount();
    ASSERT_TRUE(FramesUntil([&] { return !game.RunStarted(); }));
    EXPECT_GT(game.StepCount(), steps);
    EXPECT_EQ(game.Triggers().entryNumber, 4);  // and the list wrapped onto itself

    AppState() = StateEndGame;
    Frame();
    EXPECT_EQ(AppState(), StateMenu);
    EXPECT_FALSE(game.LevelLoaded());
    EXPECT_TRUE(game.GetScene().primitives.empty());

    Level("Levels/c.dme",
          "primitive START1 point 0 0\n"
          "primitive START4 point 700 0\n");
    WriteLevelList(folder_, {"Levels/c.dme"});
    ASSERT_TRUE(NewGame());
    EXPECT_DOUBLE_EQ(game.Ball().position.x, 700.0);
}

TEST_F(GameTest, KeysAndVideoFlagsAreReadAtANewGamePhysicsAndCameraAtALevelLoad) {
    Level("Levels/a.dme", kFirstLevel);
    Level("Levels/b.dme", kOpenLevel);
    WriteLevelList(folder_, {"Levels/a.dme", "Levels/b.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    EXPECT_EQ(game.Keys().startGame, kKeyEnter);
    EXPECT_FALSE(game.ShowFps());
    EXPECT_FALSE(game.FrameLimit());
    EXPECT_EQ(game.World().FieldObjects()[0].strength, static_cast<double>(-0.689f));
    EXPECT_EQ(game.GetCamera().position.y, -700.0);

    Settings(
        "[Keys]\nstart_game=20\n"
        "[Video]\nshow_fps=1\nfps_limit=1\n"
        "[Physics]\ngravity=-0.5\nball_mass=3\n"
        "[Camera]\nz=-450\n");
    // A restart keeps the values of the level load.
    input_.TapKey(kKeyReset);
    Frames(1);
    EXPECT_EQ(game.World().FieldObjects()[0].strength, static_cast<double>(-0.689f));
    EXPECT_EQ(game.GetCamera().position.y, -700.0);
    EXPECT_EQ(game.Ball().mass, 2.0f);

    StartRun();  // Enter still starts: the keys stay until the next game
    ASSERT_TRUE(FramesUntil([&] { return game.Levels().Index() == 1; }));
    EXPECT_EQ(game.World().FieldObjects()[0].strength, static_cast<double>(-0.5f));
    EXPECT_EQ(game.Ball().mass, 3.0f);
    EXPECT_EQ(game.GetCamera().position.y, -450.0);
    EXPECT_EQ(game.Keys().startGame, kKeyEnter);
    EXPECT_FALSE(game.ShowFps());

    AppState() = StateEndGame;
    Frame();
    ASSERT_TRUE(NewGame());
    EXPECT_EQ(game.Keys().startGame, 20);
    EXPECT_TRUE(game.ShowFps());
    EXPECT_TRUE(game.FrameLimit());
    input_.TapKey(kKeyEnter);
    Frames(1);
    EXPECT_FALSE(game.RunStarted());
    input_.TapKey(20);
    Frames(1);
    EXPECT_TRUE(game.RunStarted());
}

TEST_F(GameTest, TheFrameLimitWaitsOutTheRestOfASixtiethOfASecond) {
    Level("Levels/open.dme", kOpenLevel);
    WriteLevelList(folder_, {"Levels/open.dme"});
    Settings("[video]\nfps_limit=1\n");
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    ASSERT_TRUE(game.FrameLimit());
    Frames(1);

    uint64_t slept = clock_.slept;
    Frames(1, 6);  // 10.67 ms left: whole milliseconds are slept
    EXPECT_EQ(clock_.slept - slept, 10u);
    slept = clock_.slept;
    Frames(1, 20);  // a slow frame is not held back
    EXPECT_EQ(clock_.slept, slept);
}

const char* const kCeilingLevel =
    "outline ceiling\n"
    "    line -300 40 300 40\n"
    "end\n"
    "primitive START point 0 0\n";

TEST_F(GameTest, AShotNeedsTheTimeBetweenShotsAndAZeroTimeForbidsThem) {
    Level("Levels/open.dme", kOpenLevel);
    WriteLevelList(folder_, {"Levels/open.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    StartRun();
    Frames(3);
    EXPECT_TRUE(game.Stats().shotReady);
    input_.MoveMouse(0, -60);
    input_.ClickButton(0);
    Frames(1);
    EXPECT_TRUE(game.Rope().flying);
    EXPECT_FALSE(game.Stats().shotReady);
    TakeSoundLog();
    Frames(1);
    EXPECT_TRUE(Logged(TakeSoundLog(), "sound.PlayEffect(3)"));

    AppState() = StateEndGame;
    Frame();
    Settings("[Physics]\ntime_between_shoot=0\n");
    ASSERT_TRUE(NewGame());
    StartRun();
    Frames(100);
    EXPECT_FALSE(game.Stats().shotReady);
    input_.ClickButton(0);
    Frames(1);
    EXPECT_FALSE(game.Rope().flying);
    TakeSoundLog();
    Frames(1);
    EXPECT_FALSE(Logged(TakeSoundLog(), "sound.PlayEffect(3)"));
}

TEST_F(GameTest, HookRopeAndMusicKeysReachTheRopeAndTheSound) {
    Level("Levels/ceiling.dme", kCeilingLevel);
    WriteLevelList(folder_, {"Levels/ceiling.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    ASSERT_TRUE(game.Rope().attached);  // the settled hook caught the ceiling
    StartRun();
    Frames(2);

    // Reeling in at 10.25 units per second of frame time.
    const double before = game.Rope().freeLength;
    input_.HoldKey(kKeyUp);
    Frames(10);
    input_.ReleaseKey(kKeyUp);
    Frames(1);
    EXPECT_NEAR(before - game.Rope().freeLength, 10 * 0.016 * 10.25, 1e-6);

    // Button 0 fires the hook, which catches; button 1 releases the rope.
    TakeSoundLog();
    input_.MoveMouse(0, -80);
    input_.ClickButton(0);
    Frames(1);
    EXPECT_TRUE(game.Rope().flying);
    EXPECT_TRUE(FramesUntil([&] { return game.Rope().attached; }, 50));
    input_.ClickButton(1);
    Frames(1);
    EXPECT_FALSE(game.Rope().attached);
    EXPECT_FALSE(game.Rope().flying);
    Frames(1);
    const CallLog sounds = TakeSoundLog();
    EXPECT_TRUE(Logged(sounds, "sound.PlayEffect(3)"));
    EXPECT_TRUE(Logged(sounds, "sound.PlayEffect(2)"));
    EXPECT_TRUE(Logged(sounds, "sound.PlayEffect(1)"));

    input_.TapKey(66);
    input_.TapKey(63);
    input_.TapKey(65);
    input_.TapKey(64);
    input_.TapKey(kKeyH);
    Frames(1);
    EXPECT_EQ(TakeSoundLog(), (CallLog{"sound.NextTrack", "sound.PrevTrack", "sound.PlayTrack(0)",
                                       "sound.StopMusic"}));
    EXPECT_TRUE(game.ShowOutlines());

    input_.TapKey(kKeyEscape);
    Frames(1);
    EXPECT_EQ(AppState(), StatePause);
}

TEST_F(GameTest, SoundAreasBecomeLevelSoundsAndPlayAsTheBallMoves) {
    Level("Levels/sound.dme",
          "primitive START point 0 0\n"
          "primitive SOUND3 sphere 0 0 200\n"
          "primitive SOUND3b sphere 500 0 50\n"
          "primitive SOUND1 sphere 900 0 50\n");
    WriteLevelList(folder_, {"Levels/sound.dme"});
    MakeGame();
    ASSERT_TRUE(NewGame());
    const CallLog sounds = TakeSoundLog();
    const CallLog expected{"sound.FreeLevelSounds", "sound.AddLevelSound(0, 3, SOUND3)",
                           "sound.AddLevelSound(-1, 3, SOUND3b)",
                           "sound.AddLevelSound(1, 1, SOUND1)", "sound.PlayLevelSound(0, 99)"};
    EXPECT_EQ(sounds, expected);

    StartRun();
    Frames(1);
    bool volume = false;
    for (const std::string& call : TakeSoundLog())
        volume = volume || call.rfind("sound.SetLevelSoundVolume(0, ", 0) == 0;
    EXPECT_TRUE(volume);
}

TEST_F(GameTest, TheGameTimeRunsFromTheFirstKeyAndARestartOnlyResetsItsText) {
    Level("Levels/open.dme", kOpenLevel);
    WriteLevelList(folder_, {"Levels/open.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    Frames(30);  // waiting time is not counted
    StartRun();
    Frames(21, 250);  // 5.25 s
    EXPECT_STREQ(game.Stats().currentTimeText, "0:5.250");
    EXPECT_STREQ(game.Stats().totalTimeText, "0:5.250");

    input_.TapKey(kKeyReset);
    Frame();  // within the same tick: no step adds time before the restart
    EXPECT_STREQ(game.Stats().currentTimeText, "0:0:000");
    EXPECT_FALSE(game.Stats().clockRunning);
    Frames(20);
    StartRun();
    Frames(281, 250);  // 70.25 s more: the game time goes on from 5.25 s
    EXPECT_STREQ(game.Stats().currentTimeText, "1:15.500");
    EXPECT_STREQ(game.Stats().totalTimeText, "1:15.500");
}

}  // namespace
