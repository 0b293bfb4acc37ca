#include "platform/message_queue.h"

#include <SDL.h>

#include <deque>

namespace {

std::deque<WindowMessage> g_posted;
WindowProcedure g_procedure = nullptr;
void* g_procedureContext = nullptr;
RawInputSink* g_inputSink = nullptr;

bool Minimised(Uint32 windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
}

WindowMessage Activate(uint32_t state, bool minimised) {
    return {WM_ACTIVATE, MakeLong(state, minimised ? 1 : 0), 0};
}

WindowMessage TranslateWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            return {WM_CLOSE, 0, 0};
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            return {WM_SIZE, 0, static_cast<intptr_t>(MakeLong(event.data1, event.data2))};
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            return Activate(WA_ACTIVE, Minimised(event.windowID));
        case SDL_WINDOWEVENT_FOCUS_LOST:
            return Activate(WA_INACTIVE, Minimised(event.windowID));
        case SDL_WINDOWEVENT_MINIMIZED:
            return Activate(WA_INACTIVE, true);
        case SDL_WINDOWEVENT_RESTORED:
            return Activate(WA_ACTIVE, false);
        default:
            return {};
    }
}

WindowMessage Translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:  // SIGTERM, SIGINT or the last window closed
            return {WM_CLOSE, 0, 0};
        case SDL_WINDOWEVENT:
            return TranslateWindowEvent(event.window);
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (g_inputSink && !event.key.repeat)
                g_inputSink->OnKey(event.key.keysym.scancode, event.type == SDL_KEYDOWN,
                                   event.key.timestamp);
            return {};
        case SDL_MOUSEMOTION:
            if (g_inputSink)
                g_inputSink->OnMouseMotion(event.motion.xrel, event.motion.yrel);
            return {};
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (g_inputSink)
                g_inputSink->OnMouseButton(event.button.button, event.type == SDL_MOUSEBUTTONDOWN);
            return {};
        case SDL_MOUSEWHEEL:
            if (g_inputSink)
                g_inputSink->OnMouseWheel(event.wheel.y);
            return {};
        case SDL_CONTROLLERDEVICEADDED:
            if (g_inputSink)
                g_inputSink->OnPadAdded(event.cdevice.which);
            return {};
        case SDL_CONTROLLERDEVICEREMOVED:
            if (g_inputSink)
                g_inputSink->OnPadRemoved(event.cdevice.which);
            return {};
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (g_inputSink)
                g_inputSink->OnPadButton(event.cbutton.button,
                                         event.type == SDL_CONTROLLERBUTTONDOWN);
            return {};
        case SDL_CONTROLLERAXISMOTION:
            if (g_inputSink)
                g_inputSink->OnPadAxis(event.caxis.axis, event.caxis.value);
            return {};
        default:
            return {};
    }
}

}  // namespace

bool PeekWindowMessage(WindowMessage* message) {
    if (!g_posted.empty()) {
        *message = g_posted.front();
        g_posted.pop_front();
        return true;
    }
    if (!SDL_WasInit(SDL_INIT_EVENTS))
        return false;
    SDL_Event event;
    if (!SDL_PollEvent(&event))
        return false;
    *message = Translate(event);
    return true;
}

intptr_t DispatchWindowMessage(const WindowMessage& message) {
    if (message.message == WM_QUIT || !g_procedure)
        return 0;
    return g_procedure(message, g_procedureContext);
}

void PostQuitMessage(int exitCode) {
    g_posted.push_back({WM_QUIT, static_cast<uintptr_t>(exitCode), 0});
}

void PostWindowMessage(const WindowMessage& message) {
    g_posted.push_back(message);
}

void ClearPostedMessages() {
    g_posted.clear();
}

void SetWindowProcedure(WindowProcedure procedure, void* context) {
    g_procedure = procedure;
    g_procedureContext = procedure ? context : nullptr;
}

void SetRawInputSink(RawInputSink* sink) {
    g_inputSink = sink;
}
