#include "render/gl_window.h"

#include <cmath>
#include <cstdio>

#include "platform/gl.h"
#include "platform/message_box.h"
#include "platform/platform_window.h"
#include "resources/screenshot.h"

namespace {

constexpr char kWindowTitle[] = "Quarn";
constexpr char kCreateCaption[] = "ERROR";
constexpr char kShutdownCaption[] = "SHUTDOWN ERROR";
constexpr char kFullscreenQuestion[] =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
    "Instead?";
constexpr char kFullscreenCaption[] = "Oxel GL";
constexpr char kProgramWillClose[] = "Program Will Now Close.";

constexpr int kMaxLights = 4;

constexpr float kFieldOfView = 45.0f;
constexpr float kNearPlane = 10.0f;
constexpr float kFarPlane = 5000.0f;

void ShutdownFailure(const char* message) {
    ShowMessageBox(message, kShutdownCaption, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

GLWindow::GLWindow() : GLWindow(ReadVideoSettings()) {}

GLWindow::GLWindow(const VideoSettings& video)
    : width(video.width),
      height(video.height),
      bitsPerPixel(video.bitsPerPixel),
      fullscreen(video.fullscreen),
      texcomp(video.texcomp),
      anisoFilter(video.anisoFilter) {
    overlay_.SetWindowHeight(height);
}

GLWindow::~GLWindow() {
    Destroy();  // nothing left to do after an explicit Destroy
}

HRESULT GLWindow::CreateFailure(const char* message) {
    Destroy();
    ShowMessageBox(message, kCreateCaption, MB_OK | MB_ICONEXCLAMATION);
    return E_FAIL;
}

HRESULT GLWindow::Create(WindowProcedure procedure, void* context) {
    window_ = std::make_unique<PlatformWindow>();
    if (!window_->RegisterClass(procedure, context)) {
        window_.reset();
        ShowMessageBox("Failed To Register The Window Class.", kCreateCaption,
                       MB_OK | MB_ICONEXCLAMATION);
        return E_FAIL;
    }

    if (fullscreen && !window_->ChangeDisplayMode(width, height, bitsPerPixel)) {
        if (ShowMessageBox(kFullscreenQuestion, kFullscreenCaption,
                           MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
            fullscreen = false;
        } else {
            ShowMessageBox(kProgramWillClose, kCreateCaption, MB_OK | MB_ICONSTOP);
            window_.reset();
            return E_FAIL;
        }
    }

    if (pixelFormatColorBits_ == 0)
        pixelFormatColorBits_ = bitsPerPixel;
    PixelFormat format;
    format.colorBits = pixelFormatColorBits_;
    if (!window_->CreateWindow(kWindowTitle, width, height, fullscreen, format))
        return CreateFailure("Window Creation Error.");
    if (!window_->GetDeviceContext())
        return CreateFailure("Can't Create A GL Device Context.");
    if (!window_->ChoosePixelFormat())
        return CreateFailure("Can't Find A Suitable PixelFormat.");
    if (!window_->SetPixelFormat())
        return CreateFailure("Can't Set The PixelFormat.");
    if (!window_->CreateContext())
        return CreateFailure("Can't Create A GL Rendering Context.");
    if (!window_->MakeCurrent())
        return CreateFailure("Can't Activate The GL Rendering Context.");

    window_->Show();
    // A height of 0 (a malformed setting) is taken as 1 here as on resizing,
    // so the aspect ratio never divides by zero.
    Resize(width, height);

    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    GLint maxLights = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
    lightCount = maxLights < kMaxLights ? maxLights : kMaxLights;

    overlay_.BuildFont();
    return S_OK;
}

void GLWindow::Destroy() {
    if (!window_)
        return;
    if (window_->HasContext())
        overlay_.FreeFont();
    if (fullscreen)
        window_->RestoreDisplayMode();
    if (window_->HasContext()) {
        if (!window_->ReleaseCurrent())
            ShutdownFailure("Release Of DC And RC Failed.");
        if (!window_->DeleteContext())
            ShutdownFailure("Release Rendering Context Failed.");
    }
    if (window_->HasDeviceContext() && !window_->ReleaseDeviceContext())
        ShutdownFailure("Release Device Context Failed.");
    if (window_->HasWindow() && !window_->DestroyWindow())
        ShutdownFailure("Could Not Release hWnd.");
    if (!window_->UnregisterClass())
        ShutdownFailure("Could Not Unregister Class.");
    window_.reset();
}

int GLWindow::Resize(int newWidth, int newHeight) {
    if (newHeight < 1)
        newHeight = 1;
    glViewport(0, 0, newWidth, newHeight);
    overlay_.SetDrawableSize(newWidth, newHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    Perspective(kFieldOfView, static_cast<float>(newWidth) / static_cast<float>(newHeight),
                kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return 0;
}

void GLWindow::Perspective(float fovY, float aspect, float zNear, float zFar) {
    const double pi = 3.14159265358979323846;
    const double top = std::tan(fovY * pi * 0.5 / 180.0) * zNear;
    const float right = static_cast<float>(top * aspect);
    glFrustum(-right, right, -top, top, zNear, zFar);
}

void GLWindow::SetupAnisotropy(bool present) {
    if (!present || anisoFilter <= 1.0f)
        return;
    anisotropic = true;
    anisotropyLevel = anisoFilter;
    GLfloat maximum = 0.0f;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
    if (anisotropyLevel > maximum)
        anisotropyLevel = maximum;
}

int GLWindow::BeginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    return 0;
}

int GLWindow::EndFrame() {
    glFlush();
    if (screenshotRequested) {
        screenshotRequested = false;
        TakeScreenshot(width, height, ScreenshotPNG, screenshotFolder_);
    }
    if (window_)
        window_->SwapBuffers();
    return 0;
}
