#include "app/window_procedure.h"

#include "app/app_context.h"
#include "core/app_state.h"
#include "platform/message_queue.h"
#include "render/gl_window.h"

namespace {

void ReleaseInput(AppContext* context) {
    if (context && context->input)
        context->input->Release();
}

void AcquireInput(AppContext* context) {
    if (context && context->input)
        context->input->Acquire();
}

void OnActivate(AppContext* context, uintptr_t wParam) {
    if (!context)
        return;
    context->windowActive = HighWord(wParam) == 0;
    switch (LowWord(wParam)) {
        case WA_INACTIVE:
            if (context->loopRunning) {
                ReleaseInput(context);
                if (context->appState == StatePlaying)
                    context->appState = StatePause;
            }
            break;
        case WA_ACTIVE:
            if (context->loopRunning)
                AcquireInput(context);
            break;
        default:  // click-activation changes nothing
            break;
    }
}

}  // namespace

intptr_t QuarnWindowProcedure(const WindowMessage& message, void* procedureContext) {
    AppContext* context = static_cast<AppContext*>(procedureContext);
    switch (message.message) {
        case WM_CLOSE:
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            if (context && context->window && context->window->Window()) {
                const uintptr_t size = static_cast<uintptr_t>(message.lParam);
                context->window->Resize(LowWord(size), HighWord(size));
            }
            return 0;
        case WM_ACTIVATE:
            OnActivate(context, message.wParam);
            return 0;
        case WM_SYSCOMMAND:
            if (message.wParam == SC_SCREENSAVE || message.wParam == SC_MONITORPOWER) {
                if (context)
                    context->appState = StatePause;
                return 0;  // the request is swallowed
            }
            return 0;
        case WM_ENTERMENULOOP:
            ReleaseInput(context);
            return 0;
        case WM_EXITMENULOOP:
            AcquireInput(context);
            return 0;
        default:
            return 0;
    }
}
