#pragma once
// The DirectInput-style data the input devices deliver.

#include <cstdint>

// One buffered keyboard record: the key code in the low byte of offset, bit 7
// of data set for key down.
struct KeyEventRecord {
    uint32_t offset = 0;
    uint32_t data = 0;
    uint32_t timeStamp = 0;
    uint32_t sequence = 0;
    uint32_t appData = 0;
};

// The extended mouse state: motion since the last reading, then 8 buttons
// (bit 7 set = down).
struct MouseStateRecord {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;  // wheel
    uint8_t buttons[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

// Game-controller buttons and axes, numbered as SDL's game-controller layer
// numbers them.
enum PadButton : int {
    PadButtonA,
    PadButtonB,
    PadButtonX,
    PadButtonY,
    PadButtonBack,
    PadButtonGuide,
    PadButtonStart,
    PadButtonLeftStick,
    PadButtonRightStick,
    PadButtonLeftShoulder,
    PadButtonRightShoulder,
    PadButtonDpadUp,
    PadButtonDpadDown,
    PadButtonDpadLeft,
    PadButtonDpadRight,
    kPadButtonCount
};

enum PadAxis : int {
    PadAxisLeftX,
    PadAxisLeftY,
    PadAxisRightX,
    PadAxisRightY,
    PadAxisLeftTrigger,
    PadAxisRightTrigger,
    kPadAxisCount
};

// The pad as it is now: sticks from -32768 to 32767 (y grows downwards),
// triggers from 0 to 32767, buttons with bit 7 set while down. All zero
// while no pad is connected.
struct PadStateRecord {
    bool connected = false;
    int16_t axes[kPadAxisCount] = {0, 0, 0, 0, 0, 0};
    uint8_t buttons[kPadButtonCount] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
};
