#pragma once
// What lives for the whole run and what the main loop shares with the window
// procedure: the input, the window, the sound and the event list (each null
// until start-up creates it), the clock every timer reads, the application
// state and the two flags of the loop. The window procedure is handed the
// context with every message.

#include <cstdint>
#include <memory>

#include "audio/sound_subsystem.h"
#include "core/app_state.h"
#include "input/input_subsystem.h"

class Clock;
class EventList;
class GLWindow;

struct AppContext {
    explicit AppContext(Clock& clock);
    ~AppContext();  // destroys the event list, input, window and sound, in that order
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Clock& clock;
    std::unique_ptr<InputSubsystem> input;
    std::unique_ptr<GLWindow> window;
    std::unique_ptr<SoundSubsystem> sound;
    std::unique_ptr<EventList> events;

    // An AppStateValue. Menus, the game and the window procedure write it;
    // the main loop acts on it once per frame.
    int32_t appState = StateMenu;
    // False while the window is minimised: no frame is produced then.
    bool windowActive = true;
    // True only while the main loop runs; the window procedure releases and
    // acquires input on activation only then.
    bool loopRunning = false;
};
