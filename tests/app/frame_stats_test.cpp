#include "app/frame_stats.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "app/main_loop.h"
#include "core/app_state.h"
#include "platform/message_queue.h"
#include "support/manual_clock.h"
#include "support/recording_subsystems.h"
#include "support/scoped_env.h"

namespace {

void Advance(ManualClock& clock, int64_t microseconds) {
    clock.counter += microseconds;
    clock.milliseconds += static_cast<uint64_t>(microseconds / 1000);
}

TEST(FrameStats, CountsFramesOfPlayAndTheirTimeUpToTheNextFrame) {
    ManualClock clock;
    FrameStats stats(clock);
    stats.FrameStarting(false, 1);  // a menu frame; the step of the new game's load
    Advance(clock, 300000);
    for (int i = 0; i < 4; ++i) {
        stats.FrameStarting(true, 1 + 5 * i);
        Advance(clock, 2500);
    }
    // Paused: neither the time nor the steps until the next frame are play.
    stats.FrameStarting(false, 21);
    Advance(clock, 1000000);
    stats.FrameStarting(true, 22);
    Advance(clock, 5000);
    stats.LoopEnded(27);
    EXPECT_EQ(stats.Frames(), 5u);
    EXPECT_EQ(stats.Steps(), 25u);
    EXPECT_DOUBLE_EQ(stats.Seconds(), 0.015);
    EXPECT_EQ(stats.Summary(),
              "frames of play: 5 in 0.015 s, 333.3 per second\n"
              "simulation steps: 25 in 0.015 s, 1666.7 per second");
}

TEST(FrameStats, WithoutAPerformanceCounterTheMillisecondClockTimesThem) {
    ManualClock clock(0);
    FrameStats stats(clock);
    stats.FrameStarting(true);
    clock.milliseconds += 40;
    stats.FrameStarting(true);
    clock.milliseconds += 60;
    stats.LoopEnded();
    EXPECT_EQ(stats.Frames(), 2u);
    EXPECT_DOUBLE_EQ(stats.Seconds(), 0.1);
    FrameStats none(clock);
    none.LoopEnded();
    EXPECT_EQ(none.Summary(),
              "frames of play: 0 in 0.000 s, 0.0 per second\n"
              "simulation steps: 0 in 0.000 s, 0.0 per second");
}

TEST(FrameStats, OnlyASetNonZeroVariableAsksForTheFigures) {
    {
        ScopedEnv unset("QUARN_FRAME_STATS", "");
        unsetenv("QUARN_FRAME_STATS");
        EXPECT_FALSE(FrameStats::Requested());
    }
    {
        ScopedEnv empty("QUARN_FRAME_STATS", "");
        EXPECT_FALSE(FrameStats::Requested());
    }
    {
        ScopedEnv zero("QUARN_FRAME_STATS", "0");
        EXPECT_FALSE(FrameStats::Requested());
    }
    ScopedEnv one("QUARN_FRAME_STATS", "1");
    EXPECT_TRUE(FrameStats::Requested());
}

// Loads for half a second, plays 30 frames of 10 ms, pauses for two frames of
// a second each, plays 20 more frames and quits.
class TimedGame : public RecordingGame {
public:
    TimedGame(CallLog* log, ManualClock* clock, RecordingMenu* menu)
        : RecordingGame(log), clock_(clock), menu_(menu) {}
    bool StartGame() override {
        Advance(*clock_, 500000);
        return RecordingGame::StartGame();
    }
    void FrameUpdate() override {
        RecordingGame::FrameUpdate();
        Advance(*clock_, 10000);
    }
    void ControlStep(int32_t& appState) override {
        ++played;
        if (played == 30) {
            appState = StatePause;
            menu_->nextState = -1;
        } else if (played == 50) {
            appState = StateQuit;
        }
    }
    uint64_t SimulationSteps() const override { return 5u * static_cast<uint64_t>(played); }
    void Draw(bool paused) override {
        if (paused && ++pausedFrames == 2)
            menu_->nextState = StatePlaying;
        if (paused)
            Advance(*clock_, 1000000);
    }

    int played = 0;
    int pausedFrames = 0;

private:
    ManualClock* clock_;
    RecordingMenu* menu_;
};

TEST(FrameStats, TheMainLoopCountsOnlyTheFramesInWhichTheGamePlays) {
    ManualClock clock;
    CallLog log;
    AppContext context(clock);
    RecordingMenu menu(&log);
    TimedGame game(&log, &clock, &menu);
    context.loopRunning = true;
    ClearPostedMessages();
    menu.nextState = StateNewGame;

    FrameStats stats(clock);
    EXPECT_EQ(RunMainLoop(context, &menu, &game, &stats), 0);
    EXPECT_EQ(game.played, 50);
    EXPECT_EQ(game.pausedFrames, 2);
    EXPECT_EQ(stats.Frames(), 50u);
    EXPECT_EQ(stats.Steps(), 250u);
    EXPECT_NEAR(stats.Seconds(), 0.5, 1e-9);
}

}  // namespace
