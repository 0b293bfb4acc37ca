#pragma once
// Input for the menu tests: a script fills in what one frame's reading holds
// (keys pressed, mouse motion, buttons) and NextFrame moves on to the next
// reading, keeping the buttons held and the previous state for presses.

#include <algorithm>
#include <vector>

#include "app/subsystems.h"

class ScriptedMenuInput : public InputSubsystem {
public:
    HRESULT Init(PlatformWindow*) override { return S_OK; }
    void ReadKeyboard() override {}
    void ReadMouse() override {}
    void Acquire() override {}
    void Release() override {}

    bool KeyPressed(int code) const override {
        return std::find(pressed_.begin(), pressed_.end(), code & 0xFF) != pressed_.end();
    }
    bool KeyHeld(int code) const override { return KeyPressed(code); }
    bool MouseButtonPressed(int button) const override {
        return (current_.buttons[button] & 0x80) && !(previous_.buttons[button] & 0x80);
    }
    MouseStateRecord MouseState() const override { return current_; }

    // This frame's reading.
    void Press(int code) { pressed_.push_back(code); }
    void Move(int dx, int dy) {
        current_.x += dx;
        current_.y += dy;
    }
    void SetLeftButton(bool down) { current_.buttons[0] = down ? 0x80 : 0; }

    // The next reading: no keys, no motion, the buttons as they were.
    void NextFrame() {
        pressed_.clear();
        previous_ = current_;
        current_.x = 0;
        current_.y = 0;
    }

private:
    std::vector<int> pressed_;
    MouseStateRecord current_;
    MouseStateRecord previous_;
};
