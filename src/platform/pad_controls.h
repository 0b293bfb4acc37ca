#pragma once
// The pad controls an action can be bound to: every button, and each half of
// the sticks' axes and each trigger pushed past half way. settings.ini names
// them in the words of SDL's game-controller mappings ("a", "dpup",
// "lefttrigger", "lefty-" for the left stick pushed up); the controls screen
// shows them with their labels.

#include <string>

#include "platform/input_records.h"

enum PadControl : int {
    PadNone = 0,
    // 1 to kPadButtonCount: the buttons, PadButton + 1.
    PadA = 1 + PadButtonA,
    PadB = 1 + PadButtonB,
    PadX = 1 + PadButtonX,
    PadY = 1 + PadButtonY,
    PadBack = 1 + PadButtonBack,
    PadStart = 1 + PadButtonStart,
    PadRightShoulder = 1 + PadButtonRightShoulder,
    PadDpadUp = 1 + PadButtonDpadUp,
    PadDpadDown = 1 + PadButtonDpadDown,
    PadDpadLeft = 1 + PadButtonDpadLeft,
    PadDpadRight = 1 + PadButtonDpadRight,
    PadLeftStickLeft = 1 + kPadButtonCount,
    PadLeftStickRight,
    PadLeftStickUp,
    PadLeftStickDown,
    PadRightStickLeft,
    PadRightStickRight,
    PadRightStickUp,
    PadRightStickDown,
    PadLeftTrigger,
    PadRightTrigger,
    kPadControlCount
};

// A stick half or trigger counts as down from this far on.
constexpr int kPadAxisPressThreshold = 16384;

// Whether the control is down in the state; false for PadNone and numbers
// that are no control.
bool PadControlDown(const PadStateRecord& state, int control);

// The name settings.ini uses ("righttrigger"), "none" for PadNone.
const char* PadControlName(int control);
// The control a name stands for, matched without regard to case; PadNone
// for "none" and for names that are no control.
int PadControlFromName(const std::string& name);
// What the controls screen shows ("Right trigger", "D-pad up").
const char* PadControlLabel(int control);
