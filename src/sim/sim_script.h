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
//   pad connect         a pad is plugged in; pad disconnect pulls it out
//   pad button NAME down|up
//                       a pad button (a, b, x, y, back, guide, start, leftstick,
//                       rightstick, leftshoulder, rightshoulder, dpup, dpdown,
//                       dpleft, dpright) goes down or up
//   pad axis NAME VALUE a pad axis (leftx, lefty, rightx, righty: -32768 to
//                       32767, y down; lefttrigger, righttrigger: 0 to 32767)
//                       moves to VALUE

#include <cstdint>
#include <string>
#include <vector>

enum class SimCommandKind : uint8_t {
    Key,
    KeyUp,
    Move,
    Button,
    Frames,
    PadConnect,
    PadDisconnect,
    PadButton,
    PadAxis
};

struct SimCommand {
    SimCommandKind kind = SimCommandKind::Frames;
    int line = 0;   // 1-based line number in the script
    int32_t a = 0;  // key code, dx, button (PadButton for the pad), PadAxis or frame count
    int32_t b = 0;  // dy, 1 for button down / 0 for up, milliseconds per frame or axis value
};

struct SimScript {
    std::vector<SimCommand> commands;
};

// Parses a whole script. On a bad line returns false with error set to
// "LINE: bad script line: TEXT (why)"; commands hold the lines before it.
// Pad buttons and axes move only while a pad is connected.
bool ParseSimScript(const std::string& text, SimScript& script, std::string& error);
