#pragma once
// What the application frame, the game and the menus need of the keyboard,
// the mouse and the pad. Input implements it; tests put scripted input in its
// place.

#include "platform/input_records.h"
#include "platform/win_types.h"

class PlatformWindow;

// The keyboard and mouse (Input).
class InputSubsystem {
public:
    virtual ~InputSubsystem() = default;
    // Opens both devices on the window; failures show their own message box.
    virtual HRESULT Init(PlatformWindow* window) = 0;
    virtual void ReadKeyboard() = 0;
    virtual void ReadMouse() = 0;
    // The pad's state now, keeping the previous reading for presses.
    virtual void ReadPad() {}
    // Every device: keyboard, mouse and pad.
    virtual void Acquire() = 0;
    virtual void Release() = 0;

    // What the game and the menus ask of this frame's reading. Without devices
    // nothing is pressed, nothing held and the mouse does not move.
    virtual bool KeyPressed(int /*code*/) const { return false; }
    virtual bool KeyHeld(int /*code*/) const { return false; }
    virtual bool MouseButtonPressed(int /*button*/) const { return false; }
    virtual MouseStateRecord MouseState() const { return {}; }
    // Pad controls (platform/pad_controls.h): pressed when down in this
    // reading and up in the previous one.
    virtual bool PadPressed(int /*control*/) const { return false; }
    virtual bool PadHeld(int /*control*/) const { return false; }
    virtual PadStateRecord PadState() const { return {}; }
};
