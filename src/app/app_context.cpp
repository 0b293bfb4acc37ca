#include "app/app_context.h"

#include "app/gl_window.h"
#include "game/event_list.h"

AppContext* g_appContext = nullptr;

AppContext::AppContext() = default;

AppContext::~AppContext() {
    events.reset();
    input.reset();
    window.reset();
    sound.reset();
}
