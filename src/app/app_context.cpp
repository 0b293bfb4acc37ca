#include "app/app_context.h"

#include "core/event_list.h"
#include "render/gl_window.h"

AppContext::AppContext(Clock& clock) : clock(clock) {}

AppContext::~AppContext() {
    events.reset();
    input.reset();
    window.reset();
    sound.reset();
}
