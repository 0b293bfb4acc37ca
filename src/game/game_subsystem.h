#pragma once
// What the application frame needs of the running game. Game implements it;
// tests put a recording stand-in in its place.

#include <cstdint>

class EventList;
class GLWindow;
class InputSubsystem;
class SoundSubsystem;
struct GLExtensions;

// The running game (Game).
class GameSubsystem {
public:
    virtual ~GameSubsystem() = default;
    // The GL extension table the game holds; probed at start-up.
    virtual GLExtensions& Extensions() = 0;
    // Hands the game the context's event list, window, input and sound.
    virtual void Attach(EventList* events, GLWindow* window, InputSubsystem* input,
                        SoundSubsystem* sound) = 0;
    // False when the game cannot start (no level list, a level that does not
    // load); the failure has been shown and the frame returns to the menu.
    virtual bool StartGame() = 0;
    virtual void EndGame() = 0;
    // Ticks the game's frame timer.
    virtual void TickTimer() = 0;
    // The tick count the next simulation steps measure from.
    virtual void SetLastSimulatedTick(uint32_t tickCount) = 0;
    virtual void FrameUpdate() = 0;
    // Keys and mouse; may set StatePause.
    virtual void ControlStep(int32_t& appState) = 0;
    virtual void Draw(bool paused) = 0;
    // Simulation steps run since the game was made (for the frame figures).
    virtual uint64_t SimulationSteps() const { return 0; }
};
