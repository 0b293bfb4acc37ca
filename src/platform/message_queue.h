#pragma once
// The thread's message queue: SDL events translated into window messages, one
// per call, plus the messages the program posts itself (the quit message).
// Like SDL's own event queue underneath it, the queue is one for the process:
// the posted messages, the installed window procedure with its context and
// the sink of key and mouse events are this layer's state (message_queue.cpp).

#include <cstdint>

#include "platform/window_messages.h"

// Takes one message without waiting. Returns false when the queue is empty.
// Posted messages come first; then one SDL event is taken and translated. An
// event the window procedure has no message for (keys, mouse) still counts as
// a message taken: it comes back as WM_NULL after feeding the input devices.
bool PeekWindowMessage(WindowMessage* message);

// Hands a message to the installed window procedure with its context
// (WM_QUIT goes nowhere).
intptr_t DispatchWindowMessage(const WindowMessage& message);

// Posts WM_QUIT with the exit code in wParam.
void PostQuitMessage(int exitCode);

// Posts any message; it is taken before the next SDL event.
void PostWindowMessage(const WindowMessage& message);

// Drops every posted message (a fresh queue for the next run or test).
void ClearPostedMessages();

// Installs the window procedure and the context it is called with (done when
// the window class is registered).
void SetWindowProcedure(WindowProcedure procedure, void* context);

// Where key, mouse and pad events go; the input devices install themselves here.
class RawInputSink {
public:
    virtual ~RawInputSink() = default;
    virtual void OnKey(int sdlScancode, bool down, uint32_t timeMs) = 0;
    virtual void OnMouseMotion(int dx, int dy) = 0;
    virtual void OnMouseButton(int button, bool down) = 0;
    virtual void OnMouseWheel(int dz) = 0;
    // Game controllers: plugged in (SDL's device index), out (instance id),
    // a button (PadButton) or an axis (PadAxis) of one that is open.
    virtual void OnPadAdded(int /*deviceIndex*/) {}
    virtual void OnPadRemoved(int /*instanceId*/) {}
    virtual void OnPadButton(int /*button*/, bool /*down*/) {}
    virtual void OnPadAxis(int /*axis*/, int /*value*/) {}
};
void SetRawInputSink(RawInputSink* sink);
