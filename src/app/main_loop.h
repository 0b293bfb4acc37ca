#pragma once
// The main loop: one window message per iteration without waiting, and a frame
// whenever there is none and the window is not minimised. What a frame does is
// chosen by the context's application state.

struct AppContext;
class FrameStats;
class GameSubsystem;
class MenuSubsystem;

// Runs until the quit message or StateQuit. Returns the exit code: the quit
// message's parameter, or 0 when the loop ended through StateQuit. Stats,
// when given, see the start of every frame and the end of the loop.
int RunMainLoop(AppContext& context, MenuSubsystem* menu, GameSubsystem* game,
                FrameStats* stats = nullptr);

// One frame: input, begin, music, the state's work, end (flush, screenshot,
// swap). Sets *quit in StateQuit.
void ProduceFrame(AppContext& context, MenuSubsystem* menu, GameSubsystem* game, bool* quit);

// The state's work within a frame, with the one-frame transitions.
void ActOnAppState(AppContext& context, MenuSubsystem* menu, GameSubsystem* game, bool* quit);
