// The application states the menus drive, frame by frame through the main
// loop: the real menu root on scripted input, a recording game.

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "app/main_loop.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/event_list.h"
#include "input/input.h"
#include "menu/base_menu.h"
#include "menu/menu.h"
#include "support/recording_subsystems.h"
#include "support/scripted_input.h"

namespace {

const CallLog kStartFrame = {"game.StartGame", "game.TickTimer", "game.SetLastSimulatedTick",
                             "game.FrameUpdate"};
const CallLog kPlayFrame = {"game.TickTimer", "game.FrameUpdate", "game.ControlStep", "game.Draw"};
const CallLog kPausedFrame = {"game.TickTimer", "game.Draw(paused)"};

class MenuMainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto input = std::make_unique<ScriptedInput>();
        input_ = input.get();
        context_.input = std::move(input);
        context_.events = std::make_unique<EventList>();
        menu_.Init(nullptr, input_, context_.events.get(), nullptr);
    }

    // One frame with the keys given pressed; returns what the game was asked.
    CallLog Frame(std::initializer_list<int> keys = {}) {
        for (int key : keys)
            input_->TapKey(key);
        log_.clear();
        quit_ = false;
        ProduceFrame(context_, &menu_, &game_, &quit_);
        return log_;
    }
    // Escape in the game: a pause request, then the in-game menu.
    void PauseTheGame() {
        ASSERT_EQ(context_.appState, StatePlaying);
        game_.nextState = StatePause;
        EXPECT_EQ(Frame(), kPlayFrame);
        EXPECT_EQ(context_.appState, StatePause);
        EXPECT_EQ(Frame(), CallLog{"game.TickTimer"});
        EXPECT_EQ(context_.appState, StatePaused);
        EXPECT_EQ(menu_.Current(), menu_.Screen(ScreenInGame));
        EXPECT_EQ(menu_.Current()->Selection(), 1);
    }

    CallLog log_;
    AppContext context_{SystemClock()};
    ScriptedInput* input_ = nullptr;
    TMenu menu_;
    RecordingGame game_{&log_};
    bool quit_ = false;
};

TEST_F(MenuMainLoopTest, AGameIsStartedPausedResumedRestartedEndedAndTheProgramQuits) {
    // The menu alone: the game is not touched.
    EXPECT_EQ(Frame({DIK_DOWN}), CallLog{});
    EXPECT_EQ(Frame({DIK_UP, DIK_RETURN}), CallLog{});
    EXPECT_EQ(context_.appState, StateNewGame);
    // New game: one frame that starts the game and draws nothing.
    EXPECT_EQ(Frame(), kStartFrame);
    EXPECT_EQ(context_.appState, StatePlaying);
    EXPECT_EQ(Frame(), kPlayFrame);

    PauseTheGame();
    // Paused: the frozen game under the in-game menu, until resumed.
    EXPECT_EQ(Frame({DIK_DOWN}), kPausedFrame);
    EXPECT_EQ(Frame({DIK_UP}), kPausedFrame);
    EXPECT_EQ(context_.appState, StatePaused);
    EXPECT_EQ(Frame({DIK_RETURN}), kPausedFrame);
    EXPECT_EQ(context_.appState, StatePlaying);
    EXPECT_EQ(Frame(), kPlayFrame);
    EXPECT_TRUE(context_.events->Empty());

    PauseTheGame();
    EXPECT_EQ(Frame({DIK_DOWN, DIK_RETURN}), kPausedFrame);
    EXPECT_EQ(context_.appState, StatePlaying);
    ASSERT_EQ(context_.events->Size(), 1u);
    EXPECT_EQ((*context_.events)[0].type, EventRestart);
    EXPECT_EQ(Frame(), kPlayFrame);

    PauseTheGame();
    EXPECT_EQ(Frame({DIK_UP, DIK_RETURN}), kPausedFrame);
    EXPECT_EQ(context_.appState, StateEndGame);
    // End game: one frame that frees the level and returns to the main menu.
    EXPECT_EQ(Frame(), CallLog{"game.EndGame"});
    EXPECT_EQ(context_.appState, StateMenu);
    EXPECT_EQ(menu_.Current(), menu_.Screen(ScreenMain));

    EXPECT_EQ(Frame({DIK_UP}), CallLog{});  // the controls, below Quit
    EXPECT_EQ(Frame({DIK_UP, DIK_RETURN}), CallLog{});
    EXPECT_EQ(context_.appState, StateQuit);
    EXPECT_FALSE(quit_);
    EXPECT_EQ(Frame(), CallLog{});
    EXPECT_TRUE(quit_);
}

TEST_F(MenuMainLoopTest, APauseRequestInTheMenuShowsTheInGameMenu) {
    // The window procedure asks for a pause while the credits are shown.
    Frame({DIK_DOWN});
    Frame({DIK_DOWN, DIK_RETURN});
    ASSERT_EQ(menu_.Current(), menu_.Screen(ScreenCredits));
    context_.appState = StatePause;
    EXPECT_EQ(Frame(), CallLog{"game.TickTimer"});
    EXPECT_EQ(context_.appState, StatePaused);
    EXPECT_EQ(menu_.Current(), menu_.Screen(ScreenInGame));
    EXPECT_EQ(Frame(), kPausedFrame);
}

}  // namespace
