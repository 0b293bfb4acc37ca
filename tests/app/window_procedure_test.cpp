#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "core/app_state.h"
#include "platform/message_queue.h"
#include "support/recording_subsystems.h"

namespace {

WindowMessage Activate(uint32_t state, bool minimised) {
    return {WM_ACTIVATE, MakeLong(state, minimised ? 1 : 0), 0};
}

class WindowProcedureTest : public ::testing::Test {
protected:
    void SetUp() override {
        context_.input = std::make_unique<RecordingInput>(&log_);
        g_appContext = &context_;
        AppState = StateMenu;
        g_windowActive = true;
        g_loopRunning = true;
        ClearPostedMessages();
    }
    void TearDown() override {
        g_appContext = nullptr;
        AppState = StateMenu;
        g_windowActive = true;
        g_loopRunning = false;
        ClearPostedMessages();
    }

    CallLog log_;
    AppContext context_;
};

TEST_F(WindowProcedureTest, DeactivationWhilePlayingReleasesInputAndPauses) {
    AppState = StatePlaying;
    EXPECT_EQ(QuarnWindowProcedure(Activate(WA_INACTIVE, false)), 0);
    EXPECT_EQ(AppState, StatePause);
    EXPECT_TRUE(g_windowActive);  // not minimised: frames go on
    EXPECT_EQ(log_, CallLog{"input.Release"});

    log_.clear();
    EXPECT_EQ(QuarnWindowProcedure(Activate(WA_ACTIVE, false)), 0);
    EXPECT_EQ(AppState, StatePause);  // reactivation does not resume
    EXPECT_EQ(log_, CallLog{"input.Acquire"});
}

TEST_F(WindowProcedureTest, DeactivationInTheMenuOrPausedChangesNoState) {
    const int32_t states[] = {StateMenu, StatePaused, StateNewGame, StateEndGame};
    for (int32_t state : states) {
        AppState = state;
        QuarnWindowProcedure(Activate(WA_INACTIVE, false));
        EXPECT_EQ(AppState, state);
    }
    EXPECT_EQ(log_.size(), 4u);
}

TEST_F(WindowProcedureTest, MinimisingStopsFramesAndRestoringResumesThem) {
    AppState = StatePlaying;
    QuarnWindowProcedure(Activate(WA_INACTIVE, true));
    EXPECT_FALSE(g_windowActive);
    EXPECT_EQ(AppState, StatePause);
    QuarnWindowProcedure(Activate(WA_ACTIVE, false));
    EXPECT_TRUE(g_windowActive);

    // Click-activation sets the flag but touches neither input nor state.
    log_.clear();
    QuarnWindowProcedure(Activate(WA_CLICKACTIVE, true));
    EXPECT_FALSE(g_windowActive);
    EXPECT_TRUE(log_.empty());
}

TEST_F(WindowProcedureTest, ActivationOutsideTheLoopLeavesInputAndStateAlone) {
    g_loopRunning = false;
    AppState = StatePlaying;
    QuarnWindowProcedure(Activate(WA_INACTIVE, false));
    QuarnWindowProcedure(Activate(WA_ACTIVE, false));
    EXPECT_EQ(AppState, StatePlaying);
    EXPECT_TRUE(log_.empty());

    // Without an input object nothing is released either.
    g_loopRunning = true;
    context_.input.reset();
    QuarnWindowProcedure(Activate(WA_INACTIVE, false));
    EXPECT_EQ(AppState, StatePause);
}

TEST_F(WindowProcedureTest, ScreenSaverAndMonitorPowerRequestsPauseAndAreSwallowed) {
    const uintptr_t requests[] = {SC_SCREENSAVE, SC_MONITORPOWER};
    for (uintptr_t request : requests) {
        AppState = StateMenu;  // even with no game running
        EXPECT_EQ(QuarnWindowProcedure({WM_SYSCOMMAND, request, 0}), 0);
        EXPECT_EQ(AppState, StatePause);
    }
    AppState = StateMenu;
    QuarnWindowProcedure({WM_SYSCOMMAND, 0xF020 /* minimise */, 0});
    EXPECT_EQ(AppState, StateMenu);
}

TEST_F(WindowProcedureTest, CloseAndDestroyPostTheQuitMessageWithCodeZero) {
    const uint32_t closers[] = {WM_CLOSE, WM_DESTROY};
    for (uint32_t closer : closers) {
        EXPECT_EQ(QuarnWindowProcedure({closer, 0, 0}), 0);
        WindowMessage message;
        ASSERT_TRUE(PeekWindowMessage(&message));
        EXPECT_EQ(message.message, static_cast<uint32_t>(WM_QUIT));
        EXPECT_EQ(message.wParam, 0u);
        EXPECT_FALSE(PeekWindowMessage(&message));
    }
}

TEST_F(WindowProcedureTest, MenuLoopReleasesAndReacquiresInput) {
    QuarnWindowProcedure({WM_ENTERMENULOOP, 0, 0});
    QuarnWindowProcedure({WM_EXITMENULOOP, 0, 0});
    EXPECT_EQ(log_, (CallLog{"input.Release", "input.Acquire"}));
}

}  // namespace
