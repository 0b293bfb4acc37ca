#include "render/world_renderer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "physics/player.h"
#include "physics/rope.h"
#include "render/camera.h"
#include "scene/scene.h"
#include "support/scene_builder.h"

namespace {

struct Vertex {
    float x, y, z, u, v;
};

Vertex RibbonVertex(const RopeRibbon& ribbon, size_t i) {
    return {ribbon.positions[i * 3], ribbon.positions[i * 3 + 1], ribbon.positions[i * 3 + 2],
            ribbon.texCoords[i * 2], ribbon.texCoords[i * 2 + 1]};
}

void ExpectVertex(const RopeRibbon& ribbon, size_t i, float x, float z, float u, float v) {
    const Vertex vertex = RibbonVertex(ribbon, i);
    EXPECT_NEAR(vertex.x, x, 1e-4) << "vertex " << i;
    EXPECT_EQ(vertex.y, 0.0f) << "vertex " << i;
    EXPECT_NEAR(vertex.z, z, 1e-4) << "vertex " << i;
    EXPECT_EQ(vertex.u, u) << "vertex " << i;
    EXPECT_NEAR(vertex.v, v, 1e-5) << "vertex " << i;
}

TEST(CameraTranslationTest, BlendsTheStepAndPutsTheEyeOnTheNearSideOfThePlane) {
    Camera camera;
    camera.ApplySettings(500.0f, 1.0f, 30.0f, -700.0f);
    camera.previousPosition.Set(-10.0, -700.0, -20.0);
    camera.step.Set(2.0, 0.0, 4.0);
    camera.drawingLag = 0.5;

    const Vector3d t = CameraTranslation(camera);
    EXPECT_DOUBLE_EQ(t.x, -9.0);
    EXPECT_DOUBLE_EQ(t.y, 700.0) << "the eye at y = -700 moves the world by +700";
    EXPECT_DOUBLE_EQ(t.z, -18.0);

    // Rotating -90 degrees about x takes (x, y, z) to (x, z, -y): the plane
    // point the camera looks at lands 700 in front of the eye (eye z < 0).
    const Vector2 centre{9.0, 18.0};
    const double eyeX = centre.x + t.x;
    const double eyeY = centre.y + t.z;
    const double eyeZ = -(0.0 + t.y);
    EXPECT_DOUBLE_EQ(eyeX, 0.0);
    EXPECT_DOUBLE_EQ(eyeY, 0.0);
    EXPECT_DOUBLE_EQ(eyeZ, -700.0);
}

TEST(AttenuatedIntensityTest, OmniLightsFadeBetweenStartAndEnd) {
    Light light = MakeOmniLight("lamp", {0, 0, 0}, 10.0f, 30.0f);
    light.intensity = 0.8f;
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 5.0f), 0.8f) << "nearer than the start";
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 10.0f), 0.8f) << "at the start";
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 20.0f), 0.4f) << "half way";
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 25.0f), 0.2f);
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 30.0f), 0.0f) << "at the end";
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 1000.0f), 0.0f) << "beyond the end";

    // Start equal to end: a hard edge, with nothing at the edge itself.
    light.attenuationStart = light.attenuationEnd = 20.0f;
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 19.99f), 0.8f);
    EXPECT_EQ(AttenuatedIntensity(light, 20.0f), 0.0f);
    EXPECT_FALSE(std::isnan(AttenuatedIntensity(light, 20.0f)));
    EXPECT_EQ(AttenuatedIntensity(light, 20.01f), 0.0f);
}

TEST(AttenuatedIntensityTest, DirectionalLightsNeverFade) {
    Light light = MakeDirectionalLight("sun", {0, 0, 1});
    light.attenuationStart = 10.0f;  // meaningless for a directional light
    light.attenuationEnd = 30.0f;
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 0.0f), 0.5f);
    EXPECT_FLOAT_EQ(AttenuatedIntensity(light, 50.0f), 0.5f);
}

TEST(RopePolylineTest, RunsFromTheHookThroughTheWrapPointsToTheBall) {
    TPlayer ball;
    ball.position = {10.0, -40.0};
    ball.velocity = {2.0, 4.0};
    std::vector<Vector2> points{{1, 1}};

    BuildRopePolyline(ball, 0.5, points);
    EXPECT_TRUE(points.empty()) << "a ball without a rope draws none";

    TRope rope;
    ball.rope = &rope;
    rope.position = {0.0, 100.0};
    rope.velocity = {6.0, 8.0};
    rope.wrapPoints.push_back({0, 0, 1, {50.0, 60.0}});
    rope.wrapPoints.push_back({0, 0, 2, {30.0, 20.0}});
    BuildRopePolyline(ball, 0.5, points);
    EXPECT_TRUE(points.empty()) << "an idle rope is not drawn";

    // Attached: the hook where it caught, every wrap point, the ball lagged.
    rope.attached = true;
    BuildRopePolyline(ball, 0.5, points);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].x, 0.0);
    EXPECT_EQ(points[0].y, 100.0);
    EXPECT_EQ(points[1].x, 50.0);
    EXPECT_EQ(points[2].x, 30.0);
    EXPECT_EQ(points[3].x, 9.0);
    EXPECT_EQ(points[3].y, -42.0);

    // Flying: the hook lagged too, and the newest wrap point is left out.
    rope.attached = false;
    rope.flying = true;
    BuildRopePolyline(ball, 0.5, points);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].x, -3.0);
    EXPECT_EQ(points[0].y, 96.0);
    EXPECT_EQ(points[1].x, 50.0);
    EXPECT_EQ(points[2].y, -42.0);

    // Flying with one wrap point: straight from the hook to the ball.
    rope.wrapPoints.pop_back();
    BuildRopePolyline(ball, 0.5, points);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].y, 96.0);
    EXPECT_EQ(points[1].y, -42.0);
}

TEST(RopeRibbonTest, TwoPointsMakeOneQuadFiveUnitsWide) {
    RopeRibbon ribbon;
    BuildRopeRibbon({{0.0, 0.0}, {0.0, 100.0}}, ribbon);
    ASSERT_EQ(ribbon.VertexCount(), 4u);
    ASSERT_EQ(ribbon.texCoords.size(), 8u);
    // Corners A0, A1, B1, B0; v runs 0 -> 0.1 x length.
    ExpectVertex(ribbon, 0, 2.5f, 0.0f, 0.0f, 0.0f);
    ExpectVertex(ribbon, 1, 2.5f, 100.0f, 0.0f, 10.0f);
    ExpectVertex(ribbon, 2, -2.5f, 100.0f, 1.0f, 10.0f);
    ExpectVertex(ribbon, 3, -2.5f, 0.0f, 1.0f, 0.0f);

    // A slanted rope keeps its width across its own direction.
    BuildRopeRibbon({{10.0, 20.0}, {40.0, 60.0}}, ribbon);
    ASSERT_EQ(ribbon.VertexCount(), 4u);
    const Vertex a = RibbonVertex(ribbon, 0);
    const Vertex b = RibbonVertex(ribbon, 3);
    EXPECT_NEAR(std::hypot(a.x - b.x, a.z - b.z), 5.0, 1e-5);
    EXPECT_NEAR((a.x - b.x) * 30.0 + (a.z - b.z) * 40.0, 0.0, 1e-4) << "across the rope";
    EXPECT_NEAR(RibbonVertex(ribbon, 1).v, 5.0, 1e-6);
}

TEST(RopeRibbonTest, JointsSitOnTheMeanNormalAndQuadsShareThem) {
    RopeRibbon ribbon;
    BuildRopeRibbon({{0.0, 0.0}, {0.0, 100.0}, {100.0, 100.0}}, ribbon);
    ASSERT_EQ(ribbon.VertexCount(), 8u);
    const float h = static_cast<float>(2.5 * std::sqrt(0.5));
    ExpectVertex(ribbon, 0, 2.5f, 0.0f, 0.0f, 0.0f);
    ExpectVertex(ribbon, 1, h, 100.0f - h, 0.0f, 10.0f);  // the bend, on the bisector
    ExpectVertex(ribbon, 2, -h, 100.0f + h, 1.0f, 10.0f);
    // The second quad starts on the same joint and the last joint takes
    // the last segment's normal.
    ExpectVertex(ribbon, 4, h, 100.0f - h, 0.0f, 10.0f);
    ExpectVertex(ribbon, 5, 100.0f, 97.5f, 0.0f, 20.0f);
    ExpectVertex(ribbon, 6, 100.0f, 102.5f, 1.0f, 20.0f);
    ExpectVertex(ribbon, 7, -h, 100.0f + h, 1.0f, 10.0f);
}

TEST(RopeRibbonTest, ShortAndDegenerateRopesStayFinite) {
    RopeRibbon ribbon;
    BuildRopeRibbon({}, ribbon);
    EXPECT_EQ(ribbon.VertexCount(), 0u);
    BuildRopeRibbon({{3.0, 4.0}}, ribbon);
    EXPECT_EQ(ribbon.VertexCount(), 0u);
    EXPECT_TRUE(ribbon.texCoords.empty());

    // A rope folded back on itself and one with a zero-length segment.
    BuildRopeRibbon({{0.0, 0.0}, {0.0, 50.0}, {0.0, 0.0}, {0.0, 0.0}}, ribbon);
    ASSERT_EQ(ribbon.VertexCount(), 12u);
    for (float value : ribbon.positions)
        EXPECT_TRUE(std::isfinite(value));
    for (float value : ribbon.texCoords)
        EXPECT_TRUE(std::isfinite(value));
    ExpectVertex(ribbon, 1, 0.0f, 50.0f, 0.0f, 5.0f);  // the fold pinches to its point
    EXPECT_NEAR(RibbonVertex(ribbon, 9).v, 10.0, 1e-6);
}

}  // namespace
