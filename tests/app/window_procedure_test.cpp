#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include "app/app_context.h"
#include "core/app_state.h"
#include "core/clock.h"
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
        context_.loopRunning = true;
        ClearPostedMessages();
    }
    void TearDown() override { ClearPostedMessages(); }

    intptr_t Send(const WindowMessage& message) { return QuarnWindowProcedure(message, &context_); }

    CallLog log_;
    AppContext context_{SystemClock()};
};

TEST_F(WindowProcedureTest, DeactivationWhilePlayingReleasesInputAndPauses) {
    context_.appState = StatePlaying;
    EXPECT_EQ(Send(Activate(WA_INACTIVE, false)), 0);
    EXPECT_EQ(context_.appState, StatePause);
    EXPECT_TRUE(context_.windowActive);  // not minimised: frames go on
    EXPECT_EQ(log_, CallLog{"input.Release"});

    log_.clear();
    EXPECT_EQ(Send(Activate(WA_ACTIVE, false)), 0);
    EXPECT_EQ(context_.appState, StatePause);  // reactivation does not resume
    EXPECT_EQ(log_, CallLog{"input.Acquire"});
}

TEST_F(WindowProcedureTest, DeactivationInTheMenuOrPausedChangesNoState) {
    const int32_t states[] = {StateMenu, StatePaused, StateNewGame, StateEndGame};
    for (int32_t state : states) {
        context_.appState = state;
        Send(Activate(WA_INACTIVE, false));
        EXPECT_EQ(context_.appState, state);
    }
    EXPECT_EQ(log_.size(), 4u);
}

TEST_F(WindowProcedureTest, MinimisingStopsFramesAndRestoringResumesThem) {
    context_.appState = StatePlaying;
    Send(Activate(WA_INACTIVE, true));
    EXPECT_FALSE(context_.windowActive);
    EXPECT_EQ(context_.appState, StatePause);
    Send(Activate(WA_ACTIVE, false));
    EXPECT_TRUE(context_.windowActive);

    // Click-activation sets the flag but touches neither input nor state.
    log_.clear();
    Send(Activate(WA_CLICKACTIVE, true));
    EXPECT_FALSE(context_.windowActive);
    EXPECT_TRUE(log_.empty());
}

TEST_F(WindowProcedureTest, ActivationOutsideTheLoopLeavesInputAndStateAlone) {
    context_.loopRunning = false;
    context_.appState = StatePlaying;
    Send(Activate(WA_INACTIVE, false));
    Send(Activate(WA_ACTIVE, false));
    EXPECT_EQ(context_.appState, StatePlaying);
    EXPECT_TRUE(log_.empty());

    // Without an input object nothing is released either.
    context_.loopRunning = true;
    context_.input.reset();
    Send(Activate(WA_INACTIVE, false));
    EXPECT_EQ(context_.appState, StatePause);
}

TEST_F(WindowProcedureTest, ScreenSaverAndMonitorPowerRequestsPauseAndAreSwallowed) {
    const uintptr_t requests[] = {SC_SCREENSAVE, SC_MONITORPOWER};
    for (uintptr_t request : requests) {
        context_.appState = StateMenu;  // even with no game running
        EXPECT_EQ(Send({WM_SYSCOMMAND, request, 0}), 0);
        EXPECT_EQ(context_.appState, StatePause);
    }
    context_.appState = StateMenu;
    Send({WM_SYSCOMMAND, 0xF020 /* minimise */, 0});
    EXPECT_EQ(context_.appState, StateMenu);
}

TEST_F(WindowProcedureTest, CloseAndDestroyPostTheQuitMessageWithCodeZero) {
    const uint32_t closers[] = {WM_CLOSE, WM_DESTROY};
    for (uint32_t closer : closers) {
        EXPECT_EQ(Send({closer, 0, 0}), 0);
        WindowMessage message;
        ASSERT_TRUE(PeekWindowMessage(&message));
        EXPECT_EQ(message.message, static_cast<uint32_t>(WM_QUIT));
        EXPECT_EQ(message.wParam, 0u);
        EXPECT_FALSE(PeekWindowMessage(&message));
    }
}

TEST_F(WindowProcedureTest, MenuLoopReleasesAndReacquiresInput) {
    Send({WM_ENTERMENULOOP, 0, 0});
    Send({WM_EXITMENULOOP, 0, 0});
    EXPECT_EQ(log_, (CallLog{"input.Release", "input.Acquire"}));
}

}  // namespace
