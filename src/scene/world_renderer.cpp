// The GL-free helpers of world rendering: camera translation, light fading,
// the rope's polyline and its ribbon.

#include "scene/world_renderer.h"

#include "game/camera.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"

Vector3d CameraTranslation(const Camera& camera) {
    const double lag = camera.drawingLag;
    return {camera.previousPosition.x + camera.step.x * lag,
            -(camera.previousPosition.y + camera.step.y * lag),
            camera.previousPosition.z + camera.step.z * lag};
}

float AttenuatedIntensity(const Light& light, float distance) {
    if (!light.IsOmni())
        return light.intensity;
    const float start = light.attenuationStart;
    const float end = light.attenuationEnd;
    if (distance < start)
        return light.intensity;
    if (distance > end)
        return 0.0f;
    if (!(end > start))
        return 0.0f;  // start == end: the light ends exactly at this distance
    return light.intensity * (1.0f - (distance - start) / (end - start));
}

Vector2 DrawnPosition(const TBaseObject& body, double lag) {
    return body.position - body.velocity * lag;
}

void BuildRopePolyline(const TPlayer& ball, double lag, std::vector<Vector2>& points) {
    points.clear();
    const TRope* rope = ball.rope;
    if (rope == nullptr || !(rope->flying || rope->attached))
        return;
    points.push_back(rope->flying ? DrawnPosition(*rope, lag) : rope->position);
    size_t wrapCount = rope->wrapPoints.size();
    // A flying hook's newest wrap point is only a candidate until it catches.
    if (!rope->attached && wrapCount > 0)
        --wrapCount;
    for (size_t i = 0; i < wrapCount; ++i)
        points.push_back(rope->wrapPoints[i].position);
    points.push_back(DrawnPosition(ball, lag));
}

namespace {

// Unit normal of the segment from b to a: (a - b) turned a quarter turn.
Vector2 SegmentNormal(const Vector2& a, const Vector2& b) {
    Vector2 normal = (a - b).RotateQuarter(9);
    normal.Normalize();
    return normal;
}

struct RibbonJoint {
    Vector2 point;
    Vector2 offset;  // half the ribbon's width, across the rope
    double v;
};

void AppendRibbonVertex(RopeRibbon& ribbon, const RibbonJoint& joint, double side, float u) {
    ribbon.positions.push_back(static_cast<float>(joint.point.x + joint.offset.x * side));
    ribbon.positions.push_back(0.0f);
    ribbon.positions.push_back(static_cast<float>(joint.point.y + joint.offset.y * side));
    ribbon.texCoords.push_back(u);
    ribbon.texCoords.push_back(static_cast<float>(joint.v));
}

void AppendRibbonQuad(RopeRibbon& ribbon, const RibbonJoint& from, const RibbonJoint& to) {
    AppendRibbonVertex(ribbon, from, 1.0, 0.0f);
    AppendRibbonVertex(ribbon, to, 1.0, 0.0f);
    AppendRibbonVertex(ribbon, to, -1.0, 1.0f);
    AppendRibbonVertex(ribbon, from, -1.0, 1.0f);
}

}  // namespace

void BuildRopeRibbon(const std::vector<Vector2>& points, RopeRibbon& ribbon) {
    ribbon.positions.clear();
    ribbon.texCoords.clear();
    const size_t count = points.size();
    if (count < 2)
        return;
    ribbon.positions.reserve((count - 1) * 4 * 3);
    ribbon.texCoords.reserve((count - 1) * 4 * 2);

    Vector2 normal = SegmentNormal(points[0], points[1]);
    RibbonJoint joint{points[0], normal * kRopeHalfWidth, 0.0};
    for (size_t j = 0; j + 1 < count; ++j) {
        RibbonJoint next{points[j + 1], normal * kRopeHalfWidth,
                         joint.v + kRopeTextureRate * Distance(points[j], points[j + 1])};
        if (j + 2 < count) {
            // An inner joint sits on the mean of the two segments' normals.
            const Vector2 nextNormal = SegmentNormal(points[j + 1], points[j + 2]);
            Vector2 mean = (nextNormal + normal) * 0.5;
            mean.Normalize();
            next.offset = mean * kRopeHalfWidth;
            normal = nextNormal;
        }
        AppendRibbonQuad(ribbon, joint, next);
        joint = next;
    }
}
