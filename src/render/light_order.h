#pragma once
// The order in which the level's lights light the ball: nearest first, with
// directional lights (distance 0) ahead of every omni light.

#include <vector>

#include "render/gl_window.h"
#include "core/vector.h"

class Scene;

// Rebuilds `order` from the scene's lights that are not black: omni lights at
// their distance to the ball's world point (x, 0, y), the others at 0, sorted
// by ascending distance, equal distances in scene order.
void SortLights(const Scene& scene, const Vector2& ball, std::vector<LightOrderEntry>& order);
