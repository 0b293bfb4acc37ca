#pragma once
// The values of the application state. The state itself is one integer the
// application context holds: the menus, the game and the window procedure
// write it, the main loop acts on it once per frame.

#include <cstdint>

// Values of the application state. 2 is not used; any value outside the
// table makes a frame do nothing but begin and end.
enum AppStateValue : int32_t {
    StateMenu = 0,     // only the menu screens run
    StatePaused = 1,   // the game is frozen and drawn behind the in-game menu
    StateQuit = 3,     // the main loop ends after this frame
    StateNewGame = 4,  // a new game is started (lasts one frame)
    StatePlaying = 5,  // the game runs
    StatePause = 6,    // pause request (lasts one frame)
    StateEndGame = 7,  // the running game is ended (lasts one frame)
};
