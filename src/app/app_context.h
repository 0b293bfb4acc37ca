#pragma once
// The objects that live for the whole run, owned by one context reachable
// through a global. Each is null until start-up creates it.

#include <memory>

#include "app/subsystems.h"

class EventList;
class GLWindow;

struct AppContext {
    AppContext();
    ~AppContext();  // destroys the event list, input, window and sound, in that order
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    std::unique_ptr<InputSubsystem> input;
    std::unique_ptr<GLWindow> window;
    std::unique_ptr<SoundSubsystem> sound;
    std::unique_ptr<EventList> events;
};

// The context of the running program, or null outside it. The window
// procedure reaches the window and the input through it.
extern AppContext* g_appContext;
