#include "platform/platform_window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/message_queue.h"

namespace {

bool g_failingSteps[static_cast<int>(WindowStep::Count)] = {};

void ApplyPixelFormat(const PixelFormat& format) {
    // Colour bits as the display depth asks: 32 and 24 give 8 bits a channel,
    // 16 gives 5-6-5. No alpha, accumulation or stencil planes.
    const int channel = format.colorBits >= 24 ? 8 : (format.colorBits >= 15 ? 5 : 0);
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel == 5 ? 6 : channel);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// SDL's drivers that draw nowhere. SDL falls back on them when the display
// refuses a connection, as an X server does now and then while other clients
// come and go; the game would then run with no window at all.
bool DrawsNowhere(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
           std::strcmp(driver, "dummy") == 0;
}

// Starts SDL's video on a driver that shows windows, trying again for about a
// second; a driver asked for by name in SDL_VIDEODRIVER is taken as it is.
bool StartVideo() {
    constexpr int kAttempts = 10;
    const bool driverAsked = std::getenv("SDL_VIDEODRIVER") != nullptr;
    for (int attempt = 1;; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
            return false;
        }
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driverAsked || !DrawsNowhere(driver))
            return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (attempt == kAttempts) {
            std::fprintf(stderr, "SDL video: no display to open a window on (only \"%s\")\n",
                         driver != nullptr ? driver : "none");
            return false;
        }
        SDL_Delay(100);
    }
}

}  // namespace

PlatformWindow::~PlatformWindow() {
    if (fullscreen_)
        RestoreDisplayMode();
    if (context_) {
        SDL_GL_MakeCurrent(window_, nullptr);
        SDL_GL_DeleteContext(context_);
    }
    if (window_)
        SDL_DestroyWindow(window_);
    if (classRegistered_) {
        SetWindowProcedure(nullptr, nullptr);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

void PlatformWindow::FailStepForTesting(WindowStep step) {
    g_failingSteps[static_cast<int>(step)] = true;
}

bool PlatformWindow::StepFails(WindowStep step) {
    bool& failing = g_failingSteps[static_cast<int>(step)];
    const bool fails = failing;
    failing = false;
    return fails;
}

bool PlatformWindow::RegisterClass(WindowProcedure procedure, void* context) {
    if (StepFails(WindowStep::RegisterClass))
        return false;
    if (!StartVideo())
        return false;
    SDL_DisableScreenSaver();
    classRegistered_ = true;
    SetWindowProcedure(procedure, context);
    return true;
}

bool PlatformWindow::ChangeDisplayMode(int width, int height, int bitsPerPixel) {
    if (StepFails(WindowStep::ChangeDisplayMode))
        return false;
    SDL_DisplayMode wanted = {};
    wanted.w = width;
    wanted.h = height;
    wanted.format = bitsPerPixel <= 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    SDL_DisplayMode closest = {};
    if (!SDL_GetClosestDisplayMode(0, &wanted, &closest))
        return false;
    if (closest.w != width || closest.h != height)
        return false;
    modeChosen_ = true;
    modeWidth_ = closest.w;
    modeHeight_ = closest.h;
    modeBits_ = bitsPerPixel;
    return true;
}

bool PlatformWindow::CreateWindow(const char* title, int width, int height, bool fullscreen,
                                  const PixelFormat& format) {
    if (StepFails(WindowStep::CreateWindow))
        return false;
    ApplyPixelFormat(format);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN;
    else
        flags |= SDL_WINDOW_RESIZABLE;
    window_ = SDL_CreateWindow(title, 0, 0, width > 0 ? width : 1, height > 0 ? height : 1, flags);
    if (!window_) {
        std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
        return false;
    }
    if (fullscreen && modeChosen_) {
        SDL_DisplayMode mode = {};
        mode.w = modeWidth_;
        mode.h = modeHeight_;
        mode.format = modeBits_ <= 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
        SDL_SetWindowDisplayMode(window_, &mode);
        SDL_ShowCursor(SDL_DISABLE);
    }
    fullscreen_ = fullscreen;
    return true;
}

bool PlatformWindow::GetDeviceContext() {
    if (StepFails(WindowStep::GetDeviceContext) || !window_)
        return false;
    deviceContext_ = true;
    return true;
}

bool PlatformWindow::ChoosePixelFormat() {
    // The format was applied when the window opened (X11 picks the visual then).
    return !StepFails(WindowStep::ChoosePixelFormat) && window_;
}

bool PlatformWindow::SetPixelFormat() {
    return !StepFails(WindowStep::SetPixelFormat) && window_;
}

bool PlatformWindow::CreateContext() {
    if (StepFails(WindowStep::CreateContext) || !window_)
        return false;
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        std::fprintf(stderr, "SDL GL context: %s\n", SDL_GetError());
        return false;
    }
    // SDL makes a new context current; the next step does that explicitly.
    SDL_GL_MakeCurrent(window_, nullptr);
    return true;
}

bool PlatformWindow::MakeCurrent() {
    if (StepFails(WindowStep::MakeCurrent) || !context_)
        return false;
    return SDL_GL_MakeCurrent(window_, context_) == 0;
}

void PlatformWindow::Show() {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
}

void PlatformWindow::SwapBuffers() {
    if (window_)
        SDL_GL_SwapWindow(window_);
}

void PlatformWindow::RestoreDisplayMode() {
    if (window_ && fullscreen_)
        SDL_SetWindowFullscreen(window_, 0);
    fullscreen_ = false;
    modeChosen_ = false;
    SDL_ShowCursor(SDL_ENABLE);
}

// A failing release step still lets go of what it holds, so nothing leaks;
// the failure is only reported.
bool PlatformWindow::ReleaseCurrent() {
    const bool released = SDL_GL_MakeCurrent(window_, nullptr) == 0;
    return !StepFails(WindowStep::ReleaseCurrent) && released;
}

bool PlatformWindow::DeleteContext() {
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
    return !StepFails(WindowStep::DeleteContext);
}

bool PlatformWindow::ReleaseDeviceContext() {
    deviceContext_ = false;
    return !StepFails(WindowStep::ReleaseDeviceContext);
}

bool PlatformWindow::DestroyWindow() {
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    return !StepFails(WindowStep::DestroyWindow);
}

bool PlatformWindow::UnregisterClass() {
    if (classRegistered_) {
        SetWindowProcedure(nullptr, nullptr);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        classRegistered_ = false;
    }
    return !StepFails(WindowStep::UnregisterClass);
}

void PlatformWindow::ClientSize(int* width, int* height) const {
    *width = 0;
    *height = 0;
    if (window_)
        SDL_GL_GetDrawableSize(window_, width, height);
}

uint32_t PlatformWindow::WindowId() const {
    return window_ ? SDL_GetWindowID(window_) : 0;
}

uint64_t PlatformWindow::NativeHandle() const {
    if (!window_)
        return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window_, &info))
        return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11)
        return static_cast<uint64_t>(info.info.x11.window);
#endif
    return 0;
}
