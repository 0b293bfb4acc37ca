#pragma once
// The application state and the two flags the main loop and the window
// procedure share. One thread reads and writes them; nothing is locked.

#include <cstdint>

// Values of AppState. 2 is not used; any value outside the table makes a
// frame do nothing but begin and end.
enum AppStateValue : int32_t {
    StateMenu = 0,     // only the menu screens run
    StatePaused = 1,   // the game is frozen and drawn behind the in-game menu
    StateQuit = 3,     // the main loop ends after this frame
    StateNewGame = 4,  // a new game is started (lasts one frame)
    StatePlaying = 5,  // the game runs
    StatePause = 6,    // pause request (lasts one frame)
    StateEndGame = 7,  // the running game is ended (lasts one frame)
};

// The application state, initially StateMenu. Menus, the game and the window
// procedure write it; the main loop acts on it once per frame.
extern int32_t AppState;

// False while the window is minimised: no frame is produced then.
extern bool g_windowActive;

// True only while the main loop runs; the window procedure releases and
// acquires input on activation only then.
extern bool g_loopRunning;
