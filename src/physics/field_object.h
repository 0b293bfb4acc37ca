#pragma once
// A force source of the level: the world's gravity, a magnet or a black hole.

#include <cstdint>

#include "core/vector.h"

enum FieldObjectType : int32_t {
    FieldRadial = 0,   // pushes or pulls towards its centre within its radius
    FieldUniform = 1,  // the same force everywhere, scaled by the body's mass
};

constexpr int kFieldObjectNameLength = 15;

struct FieldObject {
    char name[kFieldObjectNameLength + 1];  // for identification only; longer names are cut
    Vector2 position;                       // radial: the centre; uniform: the force direction
    uint8_t magnet;                         // 1 for magnets, 0 for black holes and gravity
    double strength;  // radial: force at the edge of the radius; uniform: per unit mass
    double radius;    // radial: radius of action
    int32_t type;     // FieldObjectType
};
