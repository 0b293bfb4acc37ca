#include "app/app_context.h"

#include "render/gl_window.h"
#include "core/event_list.h"

AppContext* g_appContext = nullptr;

AppContext::AppContext() = default;

AppContext::~AppContext() {
    events.reset();
    input.reset();
    window.reset();
    sound.reset();
}
