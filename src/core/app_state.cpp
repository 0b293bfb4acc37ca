#include "core/app_state.h"

int32_t AppState = StateMenu;
bool g_windowActive = true;
bool g_loopRunning = false;
