#pragma once
// The parts of world rendering that need no GL: the camera's translation,
// the fading of omni lights, where the ball and the rope are drawn, and the
// rope's ribbon of textured quads. The drawing itself is GLWindow's
// (DrawBallAndRope, DrawWorld, DrawCursorMarker in world_renderer.cpp).

#include <cstddef>
#include <vector>

#include "core/vector.h"

class Camera;
class TBaseObject;
class TPlayer;
struct Light;

constexpr double kRopeHalfWidth = 2.5;
// Texture v per unit of rope length: the rope texture repeats every 10 units.
constexpr double kRopeTextureRate = 0.1;

// The model-view translation that follows the camera's rotation:
// previous position + step x drawing lag, with y negated. The camera holds
// the negated plane point it looks at in x and z, but its distance from the
// plane in y as the eye's own coordinate (-700: the eye stands on the -y
// side, looking along +y), so the view moves the world by -y to bring the
// eye to the origin.
Vector3d CameraTranslation(const Camera& camera);

// Intensity of a light for a ball at `distance`: omni lights keep their
// intensity nearer than the attenuation start, fade linearly to zero at the
// end, and give nothing beyond it. With start equal to end the light stops
// there: a ball exactly at that distance gets nothing. Directional lights
// never fade.
float AttenuatedIntensity(const Light& light, float distance);

// Where a body is drawn between two steps: position - velocity x lag.
Vector2 DrawnPosition(const TBaseObject& body, double lag);

// The rope from the hook to the ball: the hook, the wrap points (all of them
// while the hook is caught, all but the newest while it flies), the ball.
// Empty while the rope is idle or the ball has none.
void BuildRopePolyline(const TPlayer& ball, double lag, std::vector<Vector2>& points);

// A flat ribbon 5 units wide in the plane y = 0 along a polyline: one quad
// per segment, corners A_j, A_j+1, B_j+1, B_j, texture u 0 on the A side
// and 1 on the B side, v growing with the rope length.
struct RopeRibbon {
    std::vector<float> positions;  // x, y, z per vertex
    std::vector<float> texCoords;  // u, v per vertex

    size_t VertexCount() const { return positions.size() / 3; }
};

// Fills the ribbon for `points`; fewer than two points give no quad.
void BuildRopeRibbon(const std::vector<Vector2>& points, RopeRibbon& ribbon);
