#pragma once
// A game controller that exists only in this process: SDL's virtual joystick
// with a controller mapping, for tests and demonstrations. Attached, it is
// plugged in like a real pad: the game-controller layer reports it to the
// pad device, and its buttons and axes reach the device as events through
// the message queue.

#include <cstdint>

class VirtualPad {
public:
    VirtualPad();
    ~VirtualPad();  // detaches it if attached
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // Plugs the pad in; false when SDL cannot make it.
    bool Attach();
    // Pulls it out.
    void Detach();
    bool Attached() const { return deviceIndex_ >= 0; }

    // A button (PadButton) goes down or up; an axis (PadAxis) moves to a
    // value: sticks -32768 to 32767, triggers 0 to 32767. The change
    // reaches the event queue at the next pump.
    void SetButton(int button, bool down);
    void SetAxis(int axis, int value);

private:
    int deviceIndex_ = -1;
    void* joystick_ = nullptr;  // SDL_Joystick opened to drive it
    bool layerStarted_ = false;
};
