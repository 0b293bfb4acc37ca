#pragma once
// Collision outlines as a level holds them: named sets of polylines of scene
// points. The scene reader fills them, the physics walks them through an
// OutlineView, the renderer draws them for debugging.

#include <cstdint>
#include <string>
#include <vector>

#include "core/vector.h"

struct Polyline {
    uint8_t closed = 0;
    uint32_t pointCount = 0;
    std::vector<Vector> points;
};

struct Shape {
    Vector firstVector{0, 0, 0};
    Vector secondVector{0, 0, 0};
    uint32_t polylineCount = 0;
    uint32_t nameHash = 0;
    std::string name;
    std::vector<Polyline> polylines;
};

// What the physics reads of a level: its outlines in scene order, and a
// counter their owner changes whenever it reloads or clears them, so that
// what was derived from them can tell it is out of date. Both point into the
// owner, which outlives the view's use.
struct OutlineView {
    const std::vector<Shape>* shapes = nullptr;
    const uint32_t* revision = nullptr;

    bool Empty() const { return shapes == nullptr; }
};

// Outlines whose name starts with "DEATH" kill the ball and cut the rope.
bool IsDeadlyOutline(const std::string& name);
