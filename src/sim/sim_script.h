#pragma once
// Scripts for the headless simulator: one command a line, blank lines and
// lines starting with # ignored.
//
//   key CODE            a key-down event of DirectInput code CODE
//   keyup CODE          a key-up event
//   move DX DY          relative mouse motion
//   button N down|up    mouse button N (0-7) goes down or up
//   frames N [MS]       N frames, the clock advancing MS milliseconds (1-1000,
//                       default 16) before each

#include <cstdint>
#include <string>
#include <vector>

enum class SimCommandKind : uint8_t { Key, KeyUp, Move, Button, Frames };

struct SimCommand {
    SimCommandKind kind = SimCommandKind::Frames;
    int line = 0;   // 1-based line number in the script
    int32_t a = 0;  // key code, dx, button or frame count
    int32_t b = 0;  // dy, 1 for button down / 0 for up, or milliseconds per frame
};

struct SimScript {
    std::vector<SimCommand> commands;
};

// Parses a whole script. On a bad line returns false with error set to
// "LINE: bad script line: TEXT (why)"; commands hold the lines before it.
bool ParseSimScript(const std::string& text, SimScript& script, std::string& error);
