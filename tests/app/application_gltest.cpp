// The program from start-up to shut-down with recording subsystems in a real
// window.

#include "app/application.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "render/gl_window.h"
#include "support/message_box_recorder.h"
#include "support/recording_subsystems.h"
#include "support/temp_dir.h"

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    SubsystemFactory Recording(int32_t menuChoice) {
        SubsystemFactory factory;
        factory.createInput = [this] { return std::make_unique<RecordingInput>(&log_); };
        factory.createSound = [this] { return std::make_unique<RecordingSound>(&log_); };
        factory.createMenu = [this, menuChoice] {
            auto menu = std::make_unique<RecordingMenu>(&log_);
            menu->nextState = menuChoice;
            return menu;
        };
        factory.createGame = [this] { return std::make_unique<RecordingGame>(&log_); };
        return factory;
    }

    TempDir folder_;
    ScopedWorkingDir inFolder_{folder_.Path()};
    CallLog log_;
};

TEST_F(ApplicationTest, StartsUpRunsAndShutsDownInTheFixedOrder) {
    MessageBoxRecorder boxes;
    // The menu chooses quit in the first frame; the next frame ends the loop.
    EXPECT_EQ(RunApplication(Recording(StateQuit), SystemClock()), 0);
    EXPECT_TRUE(boxes.Boxes().empty());

    const CallLog startUp = {"input.Init",
                             "game.Attach",
                             "menu.Init",
                             "sound.Init",
                             "sound.LoadEffects(Sounds/effects.m3u)",
                             "sound.LoadMusicPlaylist(Music/playlist.m3u)"};
    ASSERT_GE(log_.size(), startUp.size());
    EXPECT_EQ(CallLog(log_.begin(), log_.begin() + startUp.size()), startUp);

    const CallLog shutDown = {"sound.Shutdown", "~menu", "~game", "~input", "~sound"};
    ASSERT_GE(log_.size(), shutDown.size());
    EXPECT_EQ(CallLog(log_.end() - shutDown.size(), log_.end()), shutDown);

    // Between them, frames: the quit frame still runs to its end.
    const CallLog frames(log_.begin() + startUp.size(), log_.end() - shutDown.size());
    int menuUpdates = 0;
    int keyboardReads = 0;
    for (const std::string& call : frames) {
        menuUpdates += call == "menu.Update" ? 1 : 0;
        keyboardReads += call == "input.ReadKeyboard" ? 1 : 0;
    }
    EXPECT_EQ(menuUpdates, 1);
    EXPECT_GE(keyboardReads, 2);
}

TEST_F(ApplicationTest, AWindowThatCannotOpenEndsTheProgramWithExitCodeZero) {
    folder_.Write("settings.ini", "[Video]\nfullscreen=1\nwidth=640\nheight=480\n");
    MessageBoxRecorder boxes(IDNO);  // no windowed mode instead
    EXPECT_EQ(RunApplication(Recording(StateQuit), SystemClock()), 0);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, "Program Will Now Close.");
    // Nothing after the window was started up; the objects are still freed.
    EXPECT_EQ(log_, (CallLog{"~menu", "~game", "~input", "~sound"}));
}

}  // namespace
