#pragma once
// The window procedure: what the application does with the messages of its
// window. It runs inside message dispatch, between frames, and reaches the
// window and input through g_appContext.

#include <cstdint>

#include "platform/window_messages.h"

intptr_t QuarnWindowProcedure(const WindowMessage& message);
