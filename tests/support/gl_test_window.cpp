#include "support/gl_test_window.h"

#include "platform/win_types.h"

const char kGLTestSettings[] =
    "[Video]\n"
    "width=640\n"
    "height=480\n"
    "bpp=32\n"
    "fullscreen=0\n";

namespace {

intptr_t IgnoreMessages(const WindowMessage&, void*) {
    return 0;
}

std::string WriteSettings(const TempDir& folder, const std::string& settings) {
    folder.Write("settings.ini", settings);
    return folder.Path();
}

}  // namespace

GLTestWindow::GLTestWindow(const std::string& settings, WindowProcedure procedure, void* context)
    : workingDir_(WriteSettings(folder_, settings)), window_(std::make_unique<GLWindow>()) {
    created_ = Succeeded(window_->Create(procedure ? procedure : IgnoreMessages, context));
}

GLTestWindow::~GLTestWindow() {
    if (created_)
        window_->Destroy();
}
