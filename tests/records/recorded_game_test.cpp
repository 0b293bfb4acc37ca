// A game played with its records kept: the best run stays the best, each
// split is compared with the best run's, and a loop through the list is
// recorded as a whole.

#include <gtest/gtest.h>

#include "core/app_state.h"
#include "game/game_frame.h"
#include "platform/file_store.h"
#include "records/recorded_game.h"
#include "records/shaft_level.h"
#include "support/game_folder.h"
#include "support/manual_clock.h"
#include "support/scripted_input.h"
#include "support/temp_dir.h"

namespace {

TEST(RecordedGameRuns, TheBestRunIsKeptAndEverySplitIsComparedWithIt) {
    TempDir dir;
    WriteCompiledLevel(dir, "Levels/shaft.dme", kShaftLevel);
    WriteLevelList(dir, {"Levels/shaft.dme"});
    ScopedWorkingDir inFolder(dir.Path());
    ManualClock clock;
    clock.milliseconds = 1000;
    EventList events;
    ScriptedInput input;
    RecordedGame recorded(std::make_unique<Game>(clock), clock);
    recorded.KeepRecordsIn(dir.File("data/quarn"));
    recorded.Attach(&events, nullptr, &input, nullptr);
    ASSERT_TRUE(StartGameFrame(recorded, clock));

    const auto frames = [&](int count) {
        for (int i = 0; i < count; ++i) {
            clock.milliseconds += 16;
            clock.counter += 16000;
            input.ReadKeyboard();
            input.ReadMouse();
            int32_t state = StatePlaying;
            PlayGameFrame(recorded, state);
        }
    };
    // Starts the level, hangs for a while, lets go and drops to the end.
    const auto run = [&](int hangFrames) {
        input.TapKey(28);
        frames(1 + hangFrames);
        input.ClickButton(1);
        frames(40);
    };

    run(3);
    const uint32_t first = recorded.BestSteps();
    ASSERT_GT(first, 0u);
    EXPECT_TRUE(recorded.SplitText().empty()) << "nothing to compare the first run with";

    run(10);  // 7 frames, 35 steps slower: 109.375 ms
    EXPECT_EQ(recorded.SplitText(), "+0:0:109");
    EXPECT_FALSE(recorded.SplitFaster());
    EXPECT_EQ(recorded.BestSteps(), first);

    run(1);  // 10 steps faster than the best
    EXPECT_EQ(recorded.SplitText(), "-0:0:031");
    EXPECT_TRUE(recorded.SplitFaster());
    EXPECT_EQ(recorded.BestSteps(), first - 10);

    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(dir.File("data/quarn/records.dat"), bytes));
    RecordBook book;
    std::string problem;
    ASSERT_TRUE(DecodeRecords(bytes, book, problem)) << problem;
    ASSERT_EQ(book.levels.size(), 1u);
    EXPECT_EQ(book.levels[0].steps, first - 10);
    ASSERT_EQ(book.levels[0].splits.size(), 2u);
    EXPECT_EQ(book.levels[0].splits[0].checkpoint, 4);
    ASSERT_EQ(book.loops.size(), 1u) << "a list of one level is a loop of one";
    EXPECT_EQ(book.loops[0].steps, first - 10);
}

}  // namespace
