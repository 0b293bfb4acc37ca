#pragma once
// The one SDL window with its OpenGL context, opened and closed in the steps of
// a Win32 window's life (class, display mode, window, device context, pixel
// format, rendering context) so that each step can fail with its own message.
// Steps without a Linux meaning succeed unless a test makes them fail.

#include <cstdint>

#include "platform/window_messages.h"

struct SDL_Window;

// The steps of opening and closing a window, in order.
enum class WindowStep : uint8_t {
    RegisterClass,
    ChangeDisplayMode,
    CreateWindow,
    GetDeviceContext,
    ChoosePixelFormat,
    SetPixelFormat,
    CreateContext,
    MakeCurrent,
    ReleaseCurrent,
    DeleteContext,
    ReleaseDeviceContext,
    DestroyWindow,
    UnregisterClass,
    Count,
};

// The requested pixel format: double-buffered RGBA for drawing to a window.
struct PixelFormat {
    int colorBits = 0;
    int depthBits = 16;
};

class PlatformWindow {
public:
    PlatformWindow() = default;
    ~PlatformWindow();  // closes whatever is still open
    PlatformWindow(const PlatformWindow&) = delete;
    PlatformWindow& operator=(const PlatformWindow&) = delete;

    // Starts the video subsystem and installs the window procedure that
    // DispatchWindowMessage calls with `context`. Disables the screen saver
    // while it runs.
    bool RegisterClass(WindowProcedure procedure, void* context = nullptr);
    // Looks for a display mode of exactly width x height (bpp for the colour
    // bits); the mode is set when the full-screen window opens.
    bool ChangeDisplayMode(int width, int height, int bitsPerPixel);
    // Opens the hidden window "title" at (0, 0) with the pixel format set up.
    bool CreateWindow(const char* title, int width, int height, bool fullscreen,
                      const PixelFormat& format);
    bool GetDeviceContext();
    bool ChoosePixelFormat();
    bool SetPixelFormat();
    bool CreateContext();
    bool MakeCurrent();
    // Shows the window, raises it and gives it the keyboard focus.
    void Show();
    void SwapBuffers();

    // Closing, in the order of a Win32 window's destruction.
    void RestoreDisplayMode();  // also shows the mouse cursor again
    bool ReleaseCurrent();
    bool DeleteContext();
    bool ReleaseDeviceContext();
    bool DestroyWindow();
    bool UnregisterClass();

    bool HasContext() const { return context_ != nullptr; }
    bool HasDeviceContext() const { return deviceContext_; }
    bool HasWindow() const { return window_ != nullptr; }
    bool IsFullscreen() const { return fullscreen_; }
    // The client size as the window system reports it now.
    void ClientSize(int* width, int* height) const;
    uint32_t WindowId() const;
    // The window system's id of the window (the X11 window), 0 without one.
    uint64_t NativeHandle() const;
    SDL_Window* Handle() const { return window_; }

    // Makes the given step fail once, for tests of the failure paths.
    static void FailStepForTesting(WindowStep step);

private:
    static bool StepFails(WindowStep step);

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool classRegistered_ = false;
    bool deviceContext_ = false;
    bool fullscreen_ = false;
    bool modeChosen_ = false;
    int modeWidth_ = 0;
    int modeHeight_ = 0;
    int modeBits_ = 0;
};
