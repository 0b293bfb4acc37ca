#include "app/window_procedure.h"

#include "app/app_context.h"
#include "core/app_state.h"
#include "render/gl_window.h"
#include "platform/message_queue.h"

namespace {

InputSubsystem* CurrentInput() {
    return g_appContext ? g_appContext->input.get() : nullptr;
}

void ReleaseInput() {
    if (InputSubsystem* input = CurrentInput())
        input->Release();
}

void AcquireInput() {
    if (InputSubsystem* input = CurrentInput())
        input->Acquire();
}

void OnActivate(uintptr_t wParam) {
    g_windowActive = HighWord(wParam) == 0;
    switch (LowWord(wParam)) {
        case WA_INACTIVE:
            if (g_loopRunning) {
                ReleaseInput();
                if (AppState == StatePlaying)
                    AppState = StatePause;
            }
            break;
        case WA_ACTIVE:
            if (g_loopRunning)
                AcquireInput();
            break;
        default:  // click-activation changes nothing
            break;
    }
}

}  // namespace

intptr_t QuarnWindowProcedure(const WindowMessage& message) {
    switch (message.message) {
        case WM_CLOSE:
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            if (g_appContext && g_appContext->window && g_appContext->window->Window()) {
                const uintptr_t size = static_cast<uintptr_t>(message.lParam);
                g_appContext->window->Resize(LowWord(size), HighWord(size));
            }
            return 0;
        case WM_ACTIVATE:
            OnActivate(message.wParam);
            return 0;
        case WM_SYSCOMMAND:
            if (message.wParam == SC_SCREENSAVE || message.wParam == SC_MONITORPOWER) {
                AppState = StatePause;
                return 0;  // the request is swallowed
            }
            return 0;
        case WM_ENTERMENULOOP:
            ReleaseInput();
            return 0;
        case WM_EXITMENULOOP:
            AcquireInput();
            return 0;
        default:
            return 0;
    }
}
