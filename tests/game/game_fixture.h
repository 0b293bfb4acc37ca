#pragma once
// Runs a Game without a window in a temporary game folder, on a manual clock,
// with scripted input and a recording sound stand-in, through the main loop's
// own state handling.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/main_loop.h"
#include "core/app_state.h"
#include "core/event_list.h"
#include "game/game.h"
#include "support/game_folder.h"
#include "support/manual_clock.h"
#include "support/recording_subsystems.h"
#include "support/scripted_input.h"
#include "support/temp_dir.h"

// A ball starting at the origin and falling freely: no outline at all.
constexpr const char* kOpenLevel = "primitive START point 0 0\n";

// A ball starting 30 units above a floor it bounces on.
constexpr const char* kFloorLevel =
    "outline floor\n"
    "    line -300 -30 300 -30\n"
    "end\n"
    "primitive START point 0 0\n";

class GameTest : public ::testing::Test {
protected:
    GameTest() : workingDir_(folder_.Path()) { clock_.milliseconds = 1000; }

    Game& MakeGame() {
        game_ = std::make_unique<Game>(clock_);
        game_->Attach(&events_, nullptr, &input_, &sound_);
        return *game_;
    }

    void Level(const std::string& name, const std::string& source) {
        WriteCompiledLevel(folder_, name, source);
    }
    void Settings(const std::string& text) { folder_.Write("settings.ini", text); }

    // Both clocks the game reads move together.
    void Advance(uint64_t milliseconds) {
        clock_.milliseconds += milliseconds;
        clock_.counter += static_cast<int64_t>(milliseconds) * 1000;
    }

    // One frame of the main loop: input, then the state's work.
    void Frame() {
        input_.ReadKeyboard();
        input_.ReadMouse();
        bool quit = false;
        ActOnAppState(context_, nullptr, game_.get(), &quit);
    }
    void Frames(int count, uint64_t milliseconds = 16) {
        for (int i = 0; i < count; ++i) {
            Advance(milliseconds);
            Frame();
        }
    }
    // Runs 16 ms frames until `done` holds, at most `limit` of them; false
    // when it never did.
    template <typename Done>
    bool FramesUntil(Done done, int limit = 500) {
        for (int i = 0; i < limit && !done(); ++i)
            Frames(1);
        return done();
    }
    // The new-game frame; true when the game is then playing.
    bool NewGame() {
        AppState() = StateNewGame;
        Frame();
        return AppState() == StatePlaying;
    }
    // The application state the frames act on.
    int32_t& AppState() { return context_.appState; }
    // The first key of the level, in its own frame.
    void StartRun() {
        input_.TapKey(28);  // Enter
        Advance(16);
        Frame();
        ASSERT_TRUE(game_->RunStarted());
    }
    // Sound calls since the last look.
    CallLog TakeSoundLog() {
        CallLog taken;
        taken.swap(soundLog_);
        return taken;
    }
    bool Logged(const CallLog& log, const std::string& call) const {
        for (const std::string& entry : log) {
            if (entry == call)
                return true;
        }
        return false;
    }

    TempDir folder_;
    ScopedWorkingDir workingDir_;
    ManualClock clock_;
    AppContext context_{clock_};
    CallLog soundLog_;
    RecordingSound sound_{&soundLog_};
    ScriptedInput input_;
    EventList events_;
    std::unique_ptr<Game> game_;
};
