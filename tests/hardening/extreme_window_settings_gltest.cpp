// Window sizes no one should write in settings.ini: the window still opens
// (or says why not), frames are drawn and a screenshot request is harmless.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/gl.h"
#include "platform/platform_window.h"
#include "render/gl_window.h"
#include "support/message_box_recorder.h"
#include "support/temp_dir.h"

namespace {

intptr_t NoMessages(const WindowMessage&, void*) {
    return 0;
}

int ScreenshotCount(const TempDir& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        count += entry.path().filename().string().rfind("screenshot", 0) == 0 ? 1 : 0;
    return count;
}

class ExtremeWindowSettings : public ::testing::Test {
protected:
    TempDir folder_;
    ScopedWorkingDir inFolder_{folder_.Path()};
};

TEST_F(ExtremeWindowSettings, ZeroAndNegativeSizesOpenATinyWindowThatDrawsAndNeverSavesAPicture) {
    const char* sizes[] = {"width=0\nheight=0\n", "width=-640\nheight=-480\n",
                           "width=640\nheight=0\n", "width=0\nheight=480\n",
                           "width=-2147483648\nheight=-2147483648\n"};
    for (const char* size : sizes) {
        folder_.Write("settings.ini", std::string("[Video]\n") + size);
        MessageBoxRecorder boxes;
        GLWindow window;
        ASSERT_EQ(window.Create(NoMessages), S_OK) << size;
        EXPECT_TRUE(boxes.Boxes().empty()) << size;
        int w = 0;
        int h = 0;
        window.Window()->ClientSize(&w, &h);
        EXPECT_GE(w, 1) << size;
        EXPECT_GE(h, 1) << size;
        // A frame with text and a screenshot request: nothing to save for a
        // size with no pixels, and nothing breaks.
        window.BeginFrame();
        window.GetOverlay().PrintText(10, 10, "Time: %s", "00:00:00");
        window.RequestScreenshot();
        window.EndFrame();
        EXPECT_EQ(ScreenshotCount(folder_), 0) << size;
        while (glGetError() != GL_NO_ERROR) {
        }
        window.Destroy();
        EXPECT_TRUE(boxes.Boxes().empty()) << size;
    }
}

TEST_F(ExtremeWindowSettings, AOnePixelWindowSavesAOnePixelScreenshot) {
    folder_.Write("settings.ini", "[Video]\nwidth=1\nheight=1\n");
    MessageBoxRecorder boxes;
    GLWindow window;
    ASSERT_EQ(window.Create(NoMessages), S_OK);
    window.BeginFrame();
    window.RequestScreenshot();
    window.EndFrame();
    window.Destroy();
    ASSERT_EQ(ScreenshotCount(folder_), 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ExtremeWindowSettings, AHugeSizeEitherOpensOrFailsWithTheWindowCreationMessage) {
    const char* sizes[] = {"width=100000\nheight=100000\n", "width=2147483647\nheight=1\n"};
    for (const char* size : sizes) {
        folder_.Write("settings.ini", std::string("[Video]\n") + size);
        MessageBoxRecorder boxes;
        GLWindow window;
        if (window.Create(NoMessages) == S_OK) {
            window.BeginFrame();
            window.GetOverlay().PrintText(10, 10, "FPS: %d", 60);
            window.EndFrame();
            while (glGetError() != GL_NO_ERROR) {
            }
            window.Destroy();
            EXPECT_TRUE(boxes.Boxes().empty()) << size;
        } else {
            ASSERT_EQ(boxes.Boxes().size(), 1u) << size;
            EXPECT_EQ(boxes.Boxes()[0].text, "Window Creation Error.") << size;
            EXPECT_EQ(window.Window(), nullptr) << size;
        }
    }
}

}  // namespace
