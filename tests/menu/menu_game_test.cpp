// The menus and the real game through the main loop, without a window: a new
// game, the in-game menu over the frozen game, restart and end game.

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "app/main_loop.h"
#include "core/app_state.h"
#include "core/event_list.h"
#include "game/game.h"
#include "input/input.h"
#include "menu/base_menu.h"
#include "menu/menu.h"
#include "support/game_folder.h"
#include "support/manual_clock.h"
#include "support/scripted_input.h"
#include "support/temp_dir.h"

namespace {

class MenuGameTest : public ::testing::Test {
protected:
    MenuGameTest() : workingDir_(folder_.Path()) { clock_.milliseconds = 1000; }

    void SetUp() override {
        // A ball falling freely from its start point at the origin.
        WriteCompiledLevel(folder_, "Levels/open.dme", "primitive START point 0 0\n");
        WriteLevelList(folder_, {"Levels/open.dme"});
        auto input = std::make_unique<ScriptedInput>();
        input_ = input.get();
        context_.input = std::move(input);
        context_.events = std::make_unique<EventList>();
        game_ = std::make_unique<Game>(clock_);
        game_->Attach(context_.events.get(), nullptr, input_, nullptr);
        menu_.Init(nullptr, input_, context_.events.get(), nullptr);
    }

    // 16 ms frames with the keys given tapped in the first.
    void Frames(int count, std::initializer_list<int> keys = {}) {
        for (int key : keys)
            input_->TapKey(key);
        for (int i = 0; i < count; ++i) {
            clock_.milliseconds += 16;
            clock_.counter += 16000;
            bool quit = false;
            ProduceFrame(context_, &menu_, game_.get(), &quit);
        }
    }
    void Pause() {
        ASSERT_EQ(context_.appState, StatePlaying);
        Frames(2, {DIK_ESCAPE});
        ASSERT_EQ(context_.appState, StatePaused);
        ASSERT_EQ(menu_.Current(), menu_.Screen(ScreenInGame));
    }

    TempDir folder_;
    ScopedWorkingDir workingDir_;
    ManualClock clock_;
    AppContext context_{clock_};
    ScriptedInput* input_ = nullptr;
    std::unique_ptr<Game> game_;
    TMenu menu_;
};

TEST_F(MenuGameTest, TheInGameMenuFreezesRestartsAndEndsTheGame) {
    Frames(1, {DIK_RETURN});
    ASSERT_EQ(context_.appState, StateNewGame);
    Frames(1);
    ASSERT_EQ(context_.appState, StatePlaying);
    ASSERT_TRUE(game_->LevelLoaded());
    const Vector2 start = game_->Ball().position;

    // The first key starts the run; the ball falls.
    Frames(30, {DIK_RETURN});
    ASSERT_TRUE(game_->RunStarted());
    EXPECT_LT(game_->Ball().position.y, start.y);

    Pause();
    const double fallen = game_->Ball().position.y;
    const uint64_t steps = game_->StepCount();
    Frames(30);
    EXPECT_EQ(game_->StepCount(), steps);
    EXPECT_EQ(game_->Ball().position.y, fallen);

    // Resume: the fall goes on from where it stopped.
    Frames(1, {DIK_RETURN});
    EXPECT_EQ(context_.appState, StatePlaying);
    Frames(10);
    EXPECT_LT(game_->Ball().position.y, fallen);

    // Restart: the game takes the event and puts the ball back on its start.
    Pause();
    Frames(1, {DIK_DOWN});
    Frames(1, {DIK_RETURN});
    EXPECT_EQ(context_.appState, StatePlaying);
    Frames(1);
    EXPECT_TRUE(context_.events->Empty());
    EXPECT_FALSE(game_->RunStarted());
    EXPECT_EQ(game_->Ball().position.x, start.x);
    EXPECT_EQ(game_->Ball().position.y, start.y);

    // End game: the level is freed and the main menu is back.
    Pause();
    Frames(1, {DIK_UP});
    Frames(1, {DIK_RETURN});
    EXPECT_EQ(context_.appState, StateEndGame);
    Frames(1);
    EXPECT_EQ(context_.appState, StateMenu);
    EXPECT_FALSE(game_->LevelLoaded());
    EXPECT_EQ(menu_.Current(), menu_.Screen(ScreenMain));
}

TEST_F(MenuGameTest, AGameThatEndsByItselfReturnsToTheMainMenu) {
    // The window procedure swallowed a screen-saver request before any game.
    context_.appState = StatePause;
    Frames(2);
    ASSERT_EQ(context_.appState, StatePaused);
    EXPECT_EQ(menu_.Current(), menu_.Screen(ScreenInGame));
    // Resumed without a level, the game ends itself; the next menu frame
    // runs the main menu.
    Frames(4, {DIK_RETURN});
    EXPECT_EQ(context_.appState, StateMenu);
    EXPECT_FALSE(game_->LevelLoaded());
    EXPECT_EQ(game_->StepCount(), 0u);
    EXPECT_EQ(menu_.Current(), menu_.Screen(ScreenMain));
    EXPECT_EQ(menu_.Current()->Selection(), 1);
}

}  // namespace
