#pragma once
// The game's frames as the program's main loop and quarn-sim both run them,
// once input has been read for the frame.

#include <cstdint>

class Clock;
class GameSubsystem;

// The frame that starts a new game: settings, textures, the level list and
// its first level, the frame timer, the last simulated tick set to `clock`'s
// tick count, then one frame update. Nothing is drawn. False when the game
// cannot start; the failure has been shown.
bool StartGameFrame(GameSubsystem& game, const Clock& clock);

// One frame of play: the frame timer, the simulation steps with their events,
// the controls (which may write appState) and the drawing.
void PlayGameFrame(GameSubsystem& game, int32_t& appState);
