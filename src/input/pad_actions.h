#pragma once
// What the pad asks of the game in one frame, read through its bindings:
// the actions a button or stick half starts (pressed this frame) or keeps up
// (held), and the aim of the right stick.

#include "core/settings.h"
#include "core/vector.h"
#include "input/input_subsystem.h"

struct PadActions {
    // Pressed this frame.
    bool fire = false;
    bool letGo = false;
    bool pause = false;
    bool reset = false;
    // Held now.
    bool reelIn = false;
    bool reelOut = false;
    bool swingLeft = false;
    bool swingRight = false;
    bool lock = false;
    // A control of fire, let go, reeling, swinging or the lock went down:
    // the first key of a level.
    bool anyPressed = false;
    // The right stick is pushed beyond its dead zone; aim is then its
    // direction as a unit vector of the plane (y up).
    bool aiming = false;
    Vector2 aim{0.0, 1.0};
};

// All false without a pad.
PadActions ReadPadActions(const InputSubsystem& input, const PadBindings& bindings);
