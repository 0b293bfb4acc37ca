// The event pump of a real window: what the window system does reaches the
// window procedure as messages.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_context.h"
#include "app/window_procedure.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "platform/gl.h"
#include "platform/message_queue.h"
#include "platform/platform_window.h"
#include "render/gl_window.h"
#include "support/temp_dir.h"

namespace {

class WindowEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("settings.ini", "[Video]\nwidth=640\nheight=480\n");
        context_.window = std::make_unique<GLWindow>();
        ClearPostedMessages();
        ASSERT_EQ(context_.window->Create(QuarnWindowProcedure, &context_), S_OK);
    }
    void TearDown() override {
        context_.window->Destroy();
        ClearPostedMessages();
    }
    // Takes and dispatches messages for up to two seconds or until done().
    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < 400; ++i) {
            WindowMessage message;
            while (PeekWindowMessage(&message)) {
                DispatchWindowMessage(message);
                if (message.message == WM_QUIT)
                    sawQuit_ = true;
            }
            if (done())
                return true;
            context_.clock.Sleep(5);
        }
        return false;
    }

    TempDir folder_;
    ScopedWorkingDir inFolder_{folder_.Path()};
    AppContext context_{SystemClock()};
    bool sawQuit_ = false;
};

TEST_F(WindowEventsTest, AResizeByTheWindowSystemSetsTheViewportAndProjection) {
    const uint64_t id = context_.window->Window()->NativeHandle();
    ASSERT_NE(id, 0u);
    const std::string command = "xdotool windowsize " + std::to_string(id) + " 800 300";
    ASSERT_EQ(std::system(command.c_str()), 0);

    GLint viewport[4] = {};
    EXPECT_TRUE(PumpUntil([&viewport] {
        glGetIntegerv(GL_VIEWPORT, viewport);
        return viewport[2] == 800 && viewport[3] == 300;
    })) << "viewport "
        << viewport[2] << " x " << viewport[3];
    double m[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[5] / m[0], 800.0 / 300.0, 1e-4);  // the aspect of the client size
    // The configured size stays for the overlay and screenshots.
    EXPECT_EQ(context_.window->width, 640);
    EXPECT_EQ(context_.window->height, 480);
}

TEST_F(WindowEventsTest, FramesBeginAndEndOnTheRealWindow) {
    glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_EQ(context_.window->BeginFrame(), 0);
    unsigned char pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[2], 255);
    double m[16] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[0], 1.0);
    EXPECT_EQ(m[12], 0.0);
    context_.window->RequestScreenshot();
    EXPECT_EQ(context_.window->EndFrame(), 0);
    EXPECT_FALSE(context_.window->screenshotRequested);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
