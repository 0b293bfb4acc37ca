// Creation and destruction failures of the window, forced step by step, and
// the full-screen fallback.

#include <gtest/gtest.h>

#include <string>

#include "platform/gl.h"
#include "platform/message_box.h"
#include "platform/platform_window.h"
#include "render/gl_window.h"
#include "support/message_box_recorder.h"
#include "support/temp_dir.h"

namespace {

intptr_t NoMessages(const WindowMessage&, void*) {
    return 0;
}

class WindowFailureTest : public ::testing::Test {
protected:
    void Settings(const std::string& video) { folder_.Write("settings.ini", "[Video]\n" + video); }

    TempDir folder_;
    ScopedWorkingDir inFolder_{folder_.Path()};
};

TEST_F(WindowFailureTest, EveryCreationStepReportsItsOwnFailureAndCleansUp) {
    struct Case {
        WindowStep step;
        const char* message;
    };
    const Case cases[] = {
        {WindowStep::RegisterClass, "Failed To Register The Window Class."},
        {WindowStep::CreateWindow, "Window Creation Error."},
        {WindowStep::GetDeviceContext, "Can't Create A GL Device Context."},
        {WindowStep::ChoosePixelFormat, "Can't Find A Suitable PixelFormat."},
        {WindowStep::SetPixelFormat, "Can't Set The PixelFormat."},
        {WindowStep::CreateContext, "Can't Create A GL Rendering Context."},
        {WindowStep::MakeCurrent, "Can't Activate The GL Rendering Context."},
    };
    for (const Case& c : cases) {
        MessageBoxRecorder boxes;
        GLWindow window;
        PlatformWindow::FailStepForTesting(c.step);
        EXPECT_EQ(window.Create(NoMessages), E_FAIL) << c.message;
        ASSERT_EQ(boxes.Boxes().size(), 1u) << c.message;  // no shut-down errors either
        EXPECT_EQ(boxes.Boxes()[0].text, c.message);
        EXPECT_EQ(boxes.Boxes()[0].caption, "ERROR");
        EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(window.Window(), nullptr) << c.message;
        EXPECT_EQ(window.GetOverlay().FontBase(), 0u);
    }
    // After all that a window still opens.
    MessageBoxRecorder boxes;
    GLWindow window;
    EXPECT_EQ(window.Create(NoMessages), S_OK);
    EXPECT_TRUE(boxes.Boxes().empty());
    window.Destroy();
}

TEST_F(WindowFailureTest, DestroyReportsEachFailingStepAndGoesOn) {
    MessageBoxRecorder boxes;
    GLWindow window;
    ASSERT_EQ(window.Create(NoMessages), S_OK);
    const WindowStep steps[] = {WindowStep::ReleaseCurrent, WindowStep::DeleteContext,
                                WindowStep::ReleaseDeviceContext, WindowStep::DestroyWindow,
                                WindowStep::UnregisterClass};
    for (WindowStep step : steps)
        PlatformWindow::FailStepForTesting(step);
    window.Destroy();
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Release Of DC And RC Failed.",
                                        "Release Rendering Context Failed.",
                                        "Release Device Context Failed.", "Could Not Release hWnd.",
                                        "Could Not Unregister Class."}));
    for (const RecordedBox& box : boxes.Boxes()) {
        EXPECT_EQ(box.caption, "SHUTDOWN ERROR");
        EXPECT_EQ(box.flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_EQ(window.Window(), nullptr);
    EXPECT_EQ(window.GetOverlay().FontBase(), 0u);

    // A window opens again afterwards, and a clean Destroy says nothing.
    boxes.Clear();
    ASSERT_EQ(window.Create(NoMessages), S_OK);
    window.Destroy();
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WindowFailureTest, AnUnsupportedFullScreenModeAsksAndYesContinuesWindowed) {
    // The test display is 1024 x 768 and offers no 640 x 480 mode.
    Settings("fullscreen=1\nwidth=640\nheight=480\n");
    MessageBoxRecorder boxes(IDYES);
    GLWindow window;
    ASSERT_EQ(window.Create(NoMessages), S_OK);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
              "Mode Instead?");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Oxel GL");
    EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_FALSE(window.fullscreen);
    EXPECT_FALSE(window.Window()->IsFullscreen());
    int w = 0;
    int h = 0;
    window.Window()->ClientSize(&w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    window.Destroy();
}

TEST_F(WindowFailureTest, AnUnsupportedFullScreenModeAnsweredNoEndsTheProgram) {
    Settings("fullscreen=1\nwidth=640\nheight=480\n");
    MessageBoxRecorder boxes(IDNO);
    GLWindow window;
    EXPECT_EQ(window.Create(NoMessages), E_FAIL);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, "Program Will Now Close.");
    EXPECT_EQ(boxes.Boxes()[1].caption, "ERROR");
    EXPECT_EQ(boxes.Boxes()[1].flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(window.Window(), nullptr);
}

TEST_F(WindowFailureTest, AWindowLeftOpenIsClosedWithItsObject) {
    MessageBoxRecorder boxes;
    {
        GLWindow window;
        ASSERT_EQ(window.Create(NoMessages), S_OK);
        ASSERT_NE(window.GetOverlay().FontBase(), 0u);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    GLWindow again;  // the window class can be registered again
    EXPECT_EQ(again.Create(NoMessages), S_OK);
}

TEST_F(WindowFailureTest, ASupportedFullScreenModeOpensFullScreenAndIsRestored) {
    Settings("fullscreen=1\nwidth=1024\nheight=768\n");
    MessageBoxRecorder boxes;
    GLWindow window;
    ASSERT_EQ(window.Create(NoMessages), S_OK);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(window.fullscreen);
    EXPECT_TRUE(window.Window()->IsFullscreen());
    window.Destroy();
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(WindowFailureTest, AnisotropyNeedsTheExtensionAndASettingAboveOneAndIsClamped) {
    struct Case {
        const char* setting;
        bool present;
        bool expectOn;
    };
    const Case cases[] = {
        {"0.0", true, false}, {"1.0", true, false}, {"4.0", false, false}, {"4.0", true, true}};
    for (const Case& c : cases) {
        Settings(std::string("aniso_filter=") + c.setting + "\n");
        GLWindow window;
        ASSERT_EQ(window.Create(NoMessages), S_OK);
        window.SetupAnisotropy(c.present);
        EXPECT_EQ(window.anisotropic, c.expectOn) << c.setting << " " << c.present;
        if (c.expectOn) {
            EXPECT_EQ(window.anisotropyLevel, 4.0f);
        }
        window.Destroy();
    }

    Settings("aniso_filter=100000\n");
    GLWindow window;
    ASSERT_EQ(window.Create(NoMessages), S_OK);
    GLfloat maximum = 0.0f;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
    ASSERT_GT(maximum, 1.0f);
    window.SetupAnisotropy(true);
    EXPECT_TRUE(window.anisotropic);
    EXPECT_EQ(window.anisotropyLevel, maximum);
    window.Destroy();
}

}  // namespace
