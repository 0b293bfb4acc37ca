#pragma once
// The ball: a body with its rope and the swing request of the control step.

#include <cstdint>

#include "physics/base_object.h"

class TRope;

class TObject : public TBaseObject {
public:
    TObject();

    TRope* rope = nullptr;  // not owned; set by the game at every level load
    // -1, 0 or +1: a one-step request, consumed by the next ApplyForces.
    int32_t swingDirection = 0;
};
