#pragma once
// A real GLWindow on the current display for GL tests: it runs in a fresh
// temporary folder (the current directory while it lives) holding the given
// settings.ini, and its GL context is current once Create succeeded.
//
//   TEST(Something, Draws) {
//       GLTestWindow window;                  // 640 x 480, windowed
//       ASSERT_TRUE(window.Created());
//       window.Get().BeginFrame();
//       ...
//   }
//
// The folder can be filled with data files through Folder() before use.

#include <memory>
#include <string>

#include "render/gl_window.h"
#include "support/temp_dir.h"

// The settings a test window uses unless it is given its own.
extern const char kGLTestSettings[];

class GLTestWindow {
public:
    explicit GLTestWindow(const std::string& settings = kGLTestSettings,
                          WindowProcedure procedure = nullptr, void* context = nullptr);
    ~GLTestWindow();  // destroys the window, then leaves and removes the folder
    GLTestWindow(const GLTestWindow&) = delete;
    GLTestWindow& operator=(const GLTestWindow&) = delete;

    bool Created() const { return created_; }
    GLWindow& Get() { return *window_; }
    const TempDir& Folder() const { return folder_; }

private:
    TempDir folder_;
    ScopedWorkingDir workingDir_;
    std::unique_ptr<GLWindow> window_;
    bool created_ = false;
};
