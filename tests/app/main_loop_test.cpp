#include "app/main_loop.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "app/window_procedure.h"
#include "core/app_state.h"
#include "platform/message_queue.h"
#include "support/manual_clock.h"
#include "support/recording_subsystems.h"

namespace {

// While minimised the loop waits on the queue; with restoreAfter set, this
// clock restores the window after that many of those waits.
class RestoringClock : public ManualClock {
public:
    void Sleep(uint32_t ms) override {
        ManualClock::Sleep(ms);
        if (++waits == restoreAfter)
            PostWindowMessage({WM_ACTIVATE, MakeLong(WA_ACTIVE, 0), 0});
    }
    int waits = 0;
    int restoreAfter = 0;
};

// The frame without a window: everything but the clear and the swap.
class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        context_.input = std::make_unique<RecordingInput>(&log_);
        auto sound = std::make_unique<RecordingSound>(&log_);
        sound_ = sound.get();
        context_.sound = std::move(sound);
        context_.loopRunning = true;
        ClearPostedMessages();
        SetWindowProcedure(QuarnWindowProcedure, &context_);
    }
    void TearDown() override {
        SetWindowProcedure(nullptr, nullptr);
        ClearPostedMessages();
    }
    CallLog Frame() {
        log_.clear();
        bool quit = false;
        ProduceFrame(context_, &menu_, &game_, &quit);
        quit_ = quit;
        return log_;
    }

    CallLog log_;
    RestoringClock clock_;
    AppContext context_{clock_};
    RecordingSound* sound_ = nullptr;
    RecordingMenu menu_{&log_};
    RecordingGame game_{&log_};
    bool quit_ = false;
};

TEST_F(MainLoopTest, AMenuFrameReadsInputAdvancesMusicAndRunsTheMenus) {
    EXPECT_EQ(Frame(), (CallLog{"input.ReadKeyboard", "input.ReadMouse", "sound.Update",
                                "menu.Update", "menu.Draw"}));
    sound_->musicStopped = true;
    EXPECT_EQ(Frame(),
              (CallLog{"input.ReadKeyboard", "input.ReadMouse", "menu.Update", "menu.Draw"}));
    EXPECT_FALSE(quit_);
}

TEST_F(MainLoopTest, ANewGameStartsInOneFrameWithoutDrawingThenPlays) {
    clock_.milliseconds = 1000;
    sound_->musicStopped = true;
    menu_.nextState = StateNewGame;
    Frame();
    EXPECT_EQ(context_.appState, StateNewGame);

    EXPECT_EQ(Frame(),
              (CallLog{"input.ReadKeyboard", "input.ReadMouse", "game.StartGame", "game.TickTimer",
                       "game.SetLastSimulatedTick", "game.FrameUpdate"}));
    EXPECT_EQ(game_.lastSimulatedTick, clock_.TickCount());
    EXPECT_EQ(context_.appState, StatePlaying);

    EXPECT_EQ(Frame(), (CallLog{"input.ReadKeyboard", "input.ReadMouse", "game.TickTimer",
                                "game.FrameUpdate", "game.ControlStep", "game.Draw"}));
}

TEST_F(MainLoopTest, AGameThatCannotStartLeavesTheNewGameFrameForTheMenu) {
    sound_->musicStopped = true;
    context_.appState = StateNewGame;
    game_.startSucceeds = false;
    EXPECT_EQ(Frame(), (CallLog{"input.ReadKeyboard", "input.ReadMouse", "game.StartGame"}));
    EXPECT_EQ(context_.appState, StateMenu);
}

TEST_F(MainLoopTest, EscapeInTheGamePausesUnderTheInGameMenuAndEndGameReturnsToTheMenu) {
    sound_->musicStopped = true;
    context_.appState = StatePlaying;
    game_.nextState = StatePause;
    Frame();
    EXPECT_EQ(context_.appState, StatePause);

    EXPECT_EQ(Frame(),
              (CallLog{"input.ReadKeyboard", "input.ReadMouse", "game.TickTimer", "menu.Show(1)"}));
    EXPECT_EQ(context_.appState, StatePaused);

    menu_.nextState = StateEndGame;
    EXPECT_EQ(Frame(), (CallLog{"input.ReadKeyboard", "input.ReadMouse", "game.TickTimer",
                                "game.Draw(paused)", "menu.Update", "menu.Draw"}));
    EXPECT_EQ(Frame(), (CallLog{"input.ReadKeyboard", "input.ReadMouse", "game.EndGame"}));
    EXPECT_EQ(context_.appState, StateMenu);
}

TEST_F(MainLoopTest, UnusedStateValuesOnlyBeginAndEndTheFrame) {
    sound_->musicStopped = true;
    const int32_t values[] = {2, 8, -1, 1000};
    for (int32_t value : values) {
        context_.appState = value;
        EXPECT_EQ(Frame(), (CallLog{"input.ReadKeyboard", "input.ReadMouse"}));
        EXPECT_EQ(context_.appState, value);
        EXPECT_FALSE(quit_);
    }
    // Without a game or menus the states still move on.
    bool quit = false;
    context_.appState = StateNewGame;
    ActOnAppState(context_, nullptr, nullptr, &quit);
    EXPECT_EQ(context_.appState, StatePlaying);
    context_.appState = StateEndGame;
    ActOnAppState(context_, nullptr, nullptr, &quit);
    EXPECT_EQ(context_.appState, StateMenu);
}

TEST_F(MainLoopTest, QuitEndsTheLoopAfterCompletingItsFrame) {
    context_.appState = StateQuit;
    log_.clear();
    EXPECT_EQ(RunMainLoop(context_, &menu_, &game_), 0);
    EXPECT_EQ(log_, (CallLog{"input.ReadKeyboard", "input.ReadMouse", "sound.Update"}));
}

TEST_F(MainLoopTest, MessagesComeBeforeFramesAndTheQuitMessageGivesTheExitCode) {
    // A minimised window: the close is handled without any frame in between.
    PostWindowMessage({WM_ACTIVATE, MakeLong(WA_INACTIVE, 1), 0});
    PostWindowMessage({WM_CLOSE, 0, 0});
    log_.clear();
    EXPECT_EQ(RunMainLoop(context_, &menu_, &game_), 0);
    EXPECT_EQ(log_, CallLog{"input.Release"});
    EXPECT_FALSE(context_.windowActive);

    context_.windowActive = true;
    PostQuitMessage(3);
    EXPECT_EQ(RunMainLoop(context_, &menu_, &game_), 3);
}

TEST_F(MainLoopTest, AMinimisedWindowProducesNoFramesUntilRestored) {
    clock_.restoreAfter = 5;
    sound_->musicStopped = true;
    menu_.nextState = StateQuit;
    PostWindowMessage({WM_ACTIVATE, MakeLong(WA_INACTIVE, 1), 0});
    log_.clear();
    EXPECT_EQ(RunMainLoop(context_, &menu_, &game_), 0);
    EXPECT_EQ(clock_.waits, 5);
    EXPECT_EQ(log_,
              (CallLog{"input.Release", "input.Acquire", "input.ReadKeyboard", "input.ReadMouse",
                       "menu.Update", "menu.Draw", "input.ReadKeyboard", "input.ReadMouse"}));
}

}  // namespace
