#include "core/vector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Vector2, NormalizeScalesAndFlushesTinyComponents) {
    Vector2 v{0.0, 0.0};
    v.Normalize();
    EXPECT_EQ(v.x, 0.0);
    EXPECT_EQ(v.y, 0.0);

    v.Set(3.0, 4.0);
    v.Normalize();
    EXPECT_EQ(v.x, 0.6);
    EXPECT_EQ(v.y, 0.8);

    v.Set(1e-7, 1.0);
    v.Normalize();
    EXPECT_EQ(v.x, 0.0);
    EXPECT_NEAR(v.y, 1.0, 1e-14);

    // A length at the single-precision threshold is left unscaled; only
    // components below the threshold become 0.
    v.Set(kNormalizeEpsilon, 0.0);
    v.Normalize();
    EXPECT_EQ(v.x, kNormalizeEpsilon);
    v.Set(5e-6, -5e-6);
    v.Normalize();
    EXPECT_EQ(v.x, 0.0);
    EXPECT_EQ(v.y, 0.0);
    // Just above the threshold it is scaled to unit length.
    v.Set(2e-5, 0.0);
    v.Normalize();
    EXPECT_EQ(v.x, 1.0);
    EXPECT_EQ(kNormalizeEpsilon, 9.999999747378752e-06);
}

TEST(Vector2, QuarterTurns) {
    const Vector2 a{1.0, 2.0};
    const Vector2 x{1.0, 0.0};
    EXPECT_EQ(x.RotateQuarter(9).x, 0.0);
    EXPECT_EQ(x.RotateQuarter(9).y, 1.0);
    EXPECT_EQ(a.RotateQuarter(18).x, -1.0);
    EXPECT_EQ(a.RotateQuarter(18).y, -2.0);
    EXPECT_EQ(a.RotateQuarter(27).x, 2.0);
    EXPECT_EQ(a.RotateQuarter(27).y, -1.0);
    EXPECT_EQ(a.RotateQuarter(5).x, 1.0);
    EXPECT_EQ(a.RotateQuarter(5).y, 2.0);
}

TEST(Vector2, PlanePointIsSceneXAndZ) {
    const Vector scenePoint{1.5f, 7.0f, -2.25f};
    const Vector2 plane = PlanePoint(scenePoint);
    EXPECT_EQ(plane.x, 1.5);
    EXPECT_EQ(plane.y, -2.25);
    const Vector3d camera{4.0, 5.0, 6.0};
    EXPECT_EQ(PlanePoint(camera).y, 6.0);
}

TEST(HeadingAngle, MeasuresFromUpTowardsRightAndIsNeverNegative) {
    const Vector2 o{0.0, 0.0};
    EXPECT_EQ(HeadingAngle(o, {0.0, 1.0}), 0.0);
    EXPECT_EQ(HeadingAngle(o, {1.0, 0.0}), M_PI / 2);
    EXPECT_EQ(HeadingAngle(o, {0.0, -1.0}), M_PI);
    EXPECT_EQ(HeadingAngle(o, {-1.0, 0.0}), 3 * M_PI / 2);
    // The unit vector of heading t is (sin t, cos t).
    const double t = HeadingAngle({2.0, 2.0}, {5.0, 6.0});
    EXPECT_NEAR(std::sin(t), 0.6, 1e-15);
    EXPECT_NEAR(std::cos(t), 0.8, 1e-15);
}

TEST(ClosestPointOnSegment, ReportsWhichEndItReturns) {
    const Vector2 s0{0.0, 0.0};
    const Vector2 s1{10.0, 0.0};
    int code = 0;
    Vector2 q = ClosestPointOnSegment(s0, s1, {15.0, 3.0}, code);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(q.x, 10.0);
    code = 0;
    q = ClosestPointOnSegment(s0, s1, s0, code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(q.x, 0.0);
    code = 0;
    q = ClosestPointOnSegment(s0, s1, {4.0, -7.0}, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(q.x, 4.0);
    EXPECT_EQ(q.y, 0.0);
    // A zero-length segment answers with its point.
    code = 0;
    q = ClosestPointOnSegment(s1, s1, {3.0, 3.0}, code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(q.x, 10.0);
}

TEST(SegmentIntersection, InclusiveBoundsNoParallelCrossing) {
    Vector2 out{99.0, 99.0};
    EXPECT_TRUE(SegmentIntersection({-5, 0}, {5, 0}, {0, 10}, {0, -10}, out));
    EXPECT_EQ(out.x, 0.0);
    EXPECT_EQ(out.y, 0.0);
    // Touching at an end point counts.
    EXPECT_TRUE(SegmentIntersection({-5, 0}, {5, 0}, {5, 0}, {5, 10}, out));
    EXPECT_EQ(out.x, 5.0);
    // Collinear overlap and parallel segments never cross.
    EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {5, 0}, {15, 0}, out));
    EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {0, 1}, {10, 1}, out));
    // Lines that cross outside either segment.
    EXPECT_FALSE(SegmentIntersection({-5, 0}, {5, 0}, {0, 10}, {0, 0.5}, out));
    EXPECT_FALSE(SegmentIntersection({-5, 0}, {5, 0}, {6, 10}, {6, -10}, out));
    // Infinite input is no crossing rather than a NaN point.
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(SegmentIntersection({-5, 0}, {5, 0}, {0, inf}, {0, -10}, out));
}

TEST(PointInTriangle, AngleSumRule) {
    const Vector2 a{0.0, 0.0};
    const Vector2 b{10.0, 0.0};
    const Vector2 c{0.0, 10.0};
    EXPECT_TRUE(PointInTriangle({10.0 / 3, 10.0 / 3}, a, b, c));
    EXPECT_TRUE(PointInTriangle({5.0, 0.0}, a, b, c));  // on an edge
    EXPECT_FALSE(PointInTriangle({5.0, -0.1}, a, b, c));
    EXPECT_FALSE(PointInTriangle({5.1, 5.1}, a, b, c));
    EXPECT_FALSE(PointInTriangle({20.0, 20.0}, a, b, c));
}

TEST(CircleOverlapsRect, SidesCornersAndOutside) {
    const Vector lo{0.0f, -3.0f, 0.0f};
    const Vector hi{10.0f, 3.0f, 20.0f};
    EXPECT_TRUE(CircleOverlapsRect(5.0f, 10.0f, 1.0f, lo, hi));   // centre inside
    EXPECT_TRUE(CircleOverlapsRect(-2.0f, 10.0f, 2.0f, lo, hi));  // touching the left side
    EXPECT_FALSE(CircleOverlapsRect(-2.1f, 10.0f, 2.0f, lo, hi));
    EXPECT_TRUE(CircleOverlapsRect(5.0f, 24.0f, 5.0f, lo, hi));  // above the top
    // Beyond a corner: overlap only within the radius of the corner itself.
    EXPECT_TRUE(CircleOverlapsRect(13.0f, 24.0f, 5.0f, lo, hi));  // 3-4-5 from (10, 20)
    EXPECT_FALSE(CircleOverlapsRect(13.0f, 24.0f, 4.9f, lo, hi));
    EXPECT_FALSE(CircleOverlapsRect(-4.0f, -4.0f, 5.0f, lo, hi));  // 4-4 from (0, 0): 5.66
    // The box's y (depth) plays no part.
    EXPECT_TRUE(CircleOverlapsRect(5.0f, 10.0f, 1.0f, Vector{0, 100, 0}, Vector{10, 200, 20}));
}

}  // namespace
