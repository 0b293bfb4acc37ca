#pragma once
// Levels made up for the benchmarks: a room holding a square grid of rocks,
// each a closed polygon of ten edges, 30 units across and 150 apart, so
// that a level of any size looks locally like a played one.

#include <cstddef>

#include "core/vector.h"

class Scene;

// Appends about `edges` outline edges to the scene.
void BuildRockField(Scene& scene, size_t edges);
// A free spot between rocks near the middle of the field.
Vector2 OpenSpot(const Scene& scene);
// Appends a mesh of `vertices` vertices (a multiple of three) with one UV channel.
void AddBigMesh(Scene& scene, size_t vertices);
