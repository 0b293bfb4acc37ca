#pragma once
// The order in which the level's lights light the ball: nearest first, with
// directional lights (distance 0) ahead of every omni light.

#include <vector>

#include "core/vector.h"

class Scene;
struct Light;

// One entry of the light order: a scene light and its distance to the ball.
struct LightOrderEntry {
    const Light* light = nullptr;
    float distance = 0.0f;
};

// Rebuilds `order` from the scene's lights that are not black: omni lights at
// their distance to the ball's world point (x, 0, y), the others at 0, sorted
// by ascending distance, equal distances in scene order.
void SortLights(const Scene& scene, const Vector2& ball, std::vector<LightOrderEntry>& order);
