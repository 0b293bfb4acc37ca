#pragma once
// The window procedure: what the application does with the messages of its
// window. It runs inside message dispatch, between frames, and is handed the
// application context (an AppContext) it was installed with; without one it
// only posts the quit message.

#include <cstdint>

#include "platform/window_messages.h"

intptr_t QuarnWindowProcedure(const WindowMessage& message, void* context);
