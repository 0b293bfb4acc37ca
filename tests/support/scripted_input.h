#pragma once
// Input driven by a test or a script instead of devices. Key events and mouse
// changes are queued between frames and become this frame's reading at the
// next ReadKeyboard / ReadMouse, as the device buffers deliver them:
//
//   input.TapKey(DIK_RETURN);       // pressed in the next frame, not held after it
//   input.HoldKey(17);              // pressed in the next frame, held until released
//   input.MoveMouse(40, -10);       // motion of the next reading
//   input.ClickButton(0);           // down at the next reading, up at the one after
//   input.ReadKeyboard(); input.ReadMouse();
//
// Like the keyboard device, at most 10 key events reach one frame; more are lost.

#include <cstdint>
#include <vector>

#include "input/input_subsystem.h"
#include "platform/input_records.h"

class ScriptedInput : public InputSubsystem {
public:
    ScriptedInput();

    HRESULT Init(PlatformWindow* window) override;
    void ReadKeyboard() override;
    void ReadMouse() override;
    void Acquire() override { ++acquireCount; }
    void Release() override { ++releaseCount; }

    bool KeyPressed(int code) const override;
    bool KeyHeld(int code) const override;
    bool MouseButtonPressed(int button) const override;
    MouseStateRecord MouseState() const override { return current_; }

    // Queue for the next reading.
    void HoldKey(int code);     // key down
    void ReleaseKey(int code);  // key up
    void TapKey(int code);      // key down and up
    void MoveMouse(int32_t dx, int32_t dy);
    void HoldButton(int button);
    void ReleaseButton(int button);
    void ClickButton(int button);  // down for one reading

    // Drops everything queued and read: no key held, no button down.
    void Reset();

    int initCount = 0;
    int acquireCount = 0;
    int releaseCount = 0;

private:
    void Queue(int code, bool down);

    std::vector<KeyEventRecord> queuedKeys_;
    std::vector<KeyEventRecord> frameKeys_;
    uint8_t keyState_[256];
    MouseStateRecord pending_;
    MouseStateRecord previous_;
    MouseStateRecord current_;
    bool releaseAfterRead_[8];
};
