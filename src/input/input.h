#pragma once
// Keyboard and mouse in the shape of DirectInput 8: the keyboard is read once
// per frame as a buffer of at most 10 key events (pressed = a key-down event
// this frame, held = down now); the mouse as an immediate state of relative
// motion and 8 buttons, keeping the previous reading for button presses; the
// pad likewise, as the state of its buttons and axes. Key
// codes are DirectInput scan codes (1 Escape, 28 Return, 57 Space, 183 Print
// Screen, 200 Up, 203 Left, 205 Right, 208 Down, ...).

#include <cstdint>
#include <memory>

#include "input/input_subsystem.h"
#include "platform/input_records.h"
#include "platform/win_types.h"

// DirectInput key codes the game and the menus name.
enum DikCode : int {
    DIK_ESCAPE = 1,
    DIK_RETURN = 28,
    DIK_H = 35,
    DIK_SPACE = 57,
    DIK_SYSRQ = 183,  // Print Screen
    DIK_UP = 200,
    DIK_LEFT = 203,
    DIK_RIGHT = 205,
    DIK_DOWN = 208,
};

constexpr int kKeyEventBufferSize = 10;

// Which devices Acquire and Release act on; the pad goes with both.
enum InputDeviceSelection : int {
    InputBoth = 0,
    InputMouseOnly = 1,
    InputKeyboardOnly = 2,
};

class InputDevices;

class Input : public InputSubsystem {
public:
    Input();
    ~Input() override;

    // Creates both devices on the window, sets their formats, cooperative
    // levels and the 10-event keyboard buffer, and acquires them. A failure
    // shows its message box (caption "Failure") and returns E_FAIL. The pad
    // comes with them when SDL's game-controller layer starts; without it
    // the game runs on keyboard and mouse.
    HRESULT Init(PlatformWindow* window) override;
    // Creates and acquires both devices with no window to cooperate with:
    // they then take only the events fed to them directly (Devices()), as
    // scripted input does.
    HRESULT InitWithoutWindow();
    HRESULT Acquire(int which);
    void Release(int which);
    void Acquire() override { Acquire(InputBoth); }
    void Release() override { Release(InputBoth); }

    void ReadKeyboard() override;
    void ReadMouse() override;
    void ReadPad() override;

    bool KeyPressed(int code) const override;  // only the low 8 bits count
    bool KeyHeld(int code) const override;
    bool MouseButtonPressed(int button) const override;
    MouseStateRecord MouseState() const override { return currentMouse_; }
    bool PadPressed(int control) const override;
    bool PadHeld(int control) const override;
    PadStateRecord PadState() const override { return currentPad_; }

    // The devices behind this input, null before Init; scripted input feeds
    // them directly.
    InputDevices* Devices() const { return devices_.get(); }

private:
    std::unique_ptr<InputDevices> devices_;
    MouseStateRecord previousMouse_;
    MouseStateRecord currentMouse_;
    PadStateRecord previousPad_;
    PadStateRecord currentPad_;
    uint8_t keyState_[256];
    KeyEventRecord keyEvents_[kKeyEventBufferSize];
    uint32_t keyEventCount_ = 0;
};
