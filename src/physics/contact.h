#pragma once
// Where a body's motion in this step meets a collision outline.

#include <cstdint>

#include "core/vector.h"

struct Contact {
    int32_t outline = 0;      // index of the Shape in the scene
    int32_t polyline = 0;     // index of the polyline within the outline
    int32_t edge = 0;         // index of the edge's first point
    Vector2 point{0.0, 0.0};  // ball: closest point of the edge; hook: crossing point
};
