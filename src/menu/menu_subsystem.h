#pragma once
// What the application frame needs of the menus. TMenu implements it.

#include <cstdint>

class EventList;
class GLWindow;
class InputSubsystem;
struct GLExtensions;

// The menu root (TMenu).
class MenuSubsystem {
public:
    virtual ~MenuSubsystem() = default;
    virtual void Init(GLWindow* window, InputSubsystem* input, EventList* events,
                      GLExtensions* extensions) = 0;
    // May overwrite the state (quit, new game, playing, end game).
    virtual void Update(int32_t& appState) = 0;
    virtual void Draw() = 0;
    // Shows the screen with this index (1: the in-game menu).
    virtual void Show(int screen) = 0;
};
