#pragma once
// The ball, rope and world wiring the physics tests share: a ball of mass 2
// on a rope of mass 1. The world keeps what happens in its own event list.

#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"

inline void WireBallAndWorld(TPlayer& ball, TRope& rope, PhysicsWorld& world) {
    ball.rope = &rope;
    ball.mass = 2.0f;
    rope.mass = 1.0f;
    world.SetPlayer(&ball);
}
