#pragma once
// The built-in ball: the lower half of a subdivided icosahedron.

#include <cstdint>

constexpr uint32_t kBallVertexCount = 480;

struct BallMesh {
    float positions[kBallVertexCount * 3];
    float normals[kBallVertexCount * 3];
    float texCoords[kBallVertexCount * 2];
    uint32_t vertexCount = 0;
};

// Fills the ball mesh; the world renderer builds it once, when it is made.
void BuildBallMesh(BallMesh& mesh);
