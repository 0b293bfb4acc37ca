#pragma once
// The program's window and its GL context: the video settings, the
// perspective projection, the frame's begin and end, and the 2D overlay with
// its font. The world is drawn by a WorldRenderer through the camera it is
// given; the window only says what the GL offers it (lights, anisotropy).

#include <cstdint>
#include <memory>
#include <string>

#include "core/settings.h"
#include "platform/win_types.h"
#include "platform/window_messages.h"
#include "render/overlay.h"

class PlatformWindow;

class GLWindow {
public:
    // Reads the Video settings; opens nothing yet.
    GLWindow();
    // Takes the Video settings as given; opens nothing yet.
    explicit GLWindow(const VideoSettings& video);
    ~GLWindow();
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    // Opens the window and the GL context; the window procedure receives
    // every message of the window with `context`.
    HRESULT Create(WindowProcedure procedure, void* context = nullptr);
    void Destroy();  // also run by the destructor when the window is still open
    int Resize(int width, int height);
    void Perspective(float fovY, float aspect, float zNear, float zFar);
    void SetupAnisotropy(bool present);
    int BeginFrame();
    int EndFrame();
    void RequestScreenshot() { screenshotRequested = true; }
    // Where screenshots are written; "" (the default) is the current folder.
    void SetScreenshotFolder(const std::string& folder) { screenshotFolder_ = folder; }

    // Text and pictures over the frame; its font exists while the window is open.
    Overlay& GetOverlay() { return overlay_; }

    // What the GL offers world rendering: lights for the ball (at most 4,
    // set at creation) and anisotropic filtering (SetupAnisotropy).
    int lightCount = 0;
    bool screenshotRequested = false;
    bool anisotropic = false;
    float anisotropyLevel = 0.0f;

    // Video settings given at construction.
    int width = 640;
    int height = 480;
    int bitsPerPixel = 32;
    bool fullscreen = false;
    bool texcomp = true;
    float anisoFilter = 0.0f;

    // The platform window and GL context; null until Create succeeds.
    PlatformWindow* Window() const { return window_.get(); }

private:
    HRESULT CreateFailure(const char* message);

    std::unique_ptr<PlatformWindow> window_;  // released by Destroy
    int pixelFormatColorBits_ = 0;            // filled at the first creation, then kept
    std::string screenshotFolder_;
    Overlay overlay_;
};
