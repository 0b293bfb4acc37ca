// A game that cannot go on (no level list, a level that does not load) shows
// what failed, keeps nothing loaded and returns to the menu.

#include <gtest/gtest.h>

#include <string>

#include "game/game.h"
#include "game/game_fixture.h"
#include "support/image_files.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void ExpectNothingLoaded(const Game& game) {
    EXPECT_FALSE(game.LevelLoaded());
    EXPECT_TRUE(game.GetScene().primitives.empty());
    EXPECT_TRUE(game.GetScene().meshes.empty());
    EXPECT_TRUE(game.GetScene().shapes.empty());
    EXPECT_TRUE(game.Triggers().startPoints.empty());
    EXPECT_TRUE(game.World().FieldObjects().empty());
    EXPECT_FALSE(game.RunStarted());
}

TEST_F(GameTest, AMissingOrEmptyLevelListIsReportedAndTheMenuReturns) {
    Game& game = MakeGame();
    CaptureStderr();
    EXPECT_FALSE(NewGame());
    std::string shown = GetCapturedStderr();
    EXPECT_EQ(AppState(), StateMenu);
    EXPECT_TRUE(Contains(shown, "ERROR: ")) << shown;
    EXPECT_TRUE(Contains(shown, "error")) << shown;
    EXPECT_TRUE(Contains(shown, "Levels/levels.m3u")) << shown;
    ExpectNothingLoaded(game);

    folder_.Write("Levels/levels.m3u", "#EXTM3U\r\n");
    CaptureStderr();
    EXPECT_FALSE(NewGame());
    shown = GetCapturedStderr();
    EXPECT_TRUE(Contains(shown, "Levels/levels.m3u names no level")) << shown;

    folder_.Write("Levels/levels.m3u", "Levels/a.dme\r\n");  // no header line
    CaptureStderr();
    EXPECT_FALSE(NewGame());
    shown = GetCapturedStderr();
    EXPECT_TRUE(Contains(shown, "not an extended M3U list")) << shown;
    EXPECT_EQ(AppState(), StateMenu);

    // A path line too long for the list leaves an empty entry in its place.
    WriteLevelList(folder_, {std::string(300, 'x')});
    CaptureStderr();
    EXPECT_FALSE(NewGame());
    shown = GetCapturedStderr();
    EXPECT_TRUE(Contains(shown, "cannot load an empty level path")) << shown;

    // Paused or resumed without a level, the game ends itself.
    AppState() = StatePlaying;
    Frames(1);
    EXPECT_EQ(AppState(), StateEndGame);
    Frames(1);
    EXPECT_EQ(AppState(), StateMenu);
}

TEST_F(GameTest, ADamagedFirstLevelIsReportedWithNothingOfItKept) {
    Level("Levels/good.dme", kFloorLevel);
    const std::string bytes = ReadFile(folder_.File("Levels/good.dme"));
    folder_.Write("Levels/bad.dme", bytes.substr(0, bytes.size() - 40));
    WriteLevelList(folder_, {"Levels/bad.dme", "Levels/good.dme"});
    Game& game = MakeGame();
    CaptureStderr();
    EXPECT_FALSE(NewGame());
    const std::string shown = GetCapturedStderr();
    EXPECT_EQ(AppState(), StateMenu);
    EXPECT_TRUE(Contains(shown, "Level error: cannot load Levels/bad.dme")) << shown;
    EXPECT_TRUE(Contains(shown, "LoadTruncated")) << shown;
    ExpectNothingLoaded(game);
    EXPECT_TRUE(Logged(TakeSoundLog(), "sound.FreeLevelSounds"));

    // The files are put right: the next new game plays.
    WriteLevelList(folder_, {"Levels/good.dme"});
    EXPECT_TRUE(NewGame());
    EXPECT_TRUE(game.LevelLoaded());
}

TEST_F(GameTest, ANextLevelThatFailsDuringPlayEndsTheGameInTheMenu) {
    Level("Levels/a.dme",
          "primitive START point 0 0\n"
          "primitive END box -50 -80 50 -60\n");
    WriteLevelList(folder_, {"Levels/a.dme", "Levels/missing.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());
    StartRun();
    CaptureStderr();
    const bool left = FramesUntil([this] { return AppState() != StatePlaying; });
    const std::string shown = GetCapturedStderr();
    ASSERT_TRUE(left);
    EXPECT_EQ(AppState(), StateEndGame);
    EXPECT_TRUE(Contains(shown, "cannot load Levels/missing.dme: the file cannot be opened"))
        << shown;
    EXPECT_TRUE(game.LevelLost());
    ExpectNothingLoaded(game);
    Frames(1);
    EXPECT_EQ(AppState(), StateMenu);
    EXPECT_FALSE(game.LevelLost());

    // A new game starts again from the first level.
    ASSERT_TRUE(NewGame());
    EXPECT_EQ(game.GetScene().path, "Levels/a.dme");
}

TEST_F(GameTest, AStartInsideAnEndZoneOrTouchingDeathNeitherHangsNorRecursesForever) {
    Level("Levels/end.dme",
          "primitive START point 0 0\n"
          "primitive END box -50 -50 50 50\n");
    WriteLevelList(folder_, {"Levels/end.dme"});
    Game& game = MakeGame();
    ASSERT_TRUE(NewGame());  // the load's own step does not finish the level
    EXPECT_FALSE(game.RunStarted());
    StartRun();
    Frames(1);  // the first step of the run does, and the one-level list wraps
    EXPECT_FALSE(game.RunStarted());
    EXPECT_EQ(game.Levels().Index(), 0u);
    EXPECT_TRUE(game.LevelLoaded());

    AppState() = StateEndGame;
    Frame();
    Level("Levels/spikes.dme",
          "outline DEATH_spikes\n"
          "    line -100 -3 100 -3\n"
          "end\n"
          "primitive START point 0 0\n");
    WriteLevelList(folder_, {"Levels/spikes.dme"});
    ASSERT_TRUE(NewGame());
    Frames(5);  // one restart per frame, and the game still answers its keys
    input_.TapKey(1);
    Frames(1);
    EXPECT_EQ(AppState(), StatePause);
}

}  // namespace
