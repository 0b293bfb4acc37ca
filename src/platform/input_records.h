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
