// Whole simulation steps with the rope on small levels: firing, catching,
// hanging, reeling, wrapping round corners and settling at level start.

#include <gtest/gtest.h>

#include <cmath>

#include "core/event_list.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "support/physics_rig.h"
#include "support/scene_builder.h"
#include "support/temp_dir.h"

namespace {

class RopeScenario : public ::testing::Test {
protected:
    void SetUp() override {
        WireBallAndWorld(ball_, rope_, world_);
        world_.SetScene(scene_.Outlines());
        world_.SetParameters(PhysicsParameters{});
        ball_.position.Set(0.0, 0.0);
        ball_.velocity.Set(0.0, 0.0);
        rope_.Reset();
    }
    void AddGravity() {
        world_.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
    }
    // Steps until the hook catches; false when it has not after maxSteps.
    bool StepUntilAttached(int maxSteps) {
        for (int i = 0; i < maxSteps && !rope_.attached; ++i)
            world_.Step();
        return rope_.attached;
    }
    int CountEvents(int32_t type, int32_t sample = -1) const {
        int count = 0;
        for (size_t i = 0; i < world_.Events().Size(); ++i) {
            if (world_.Events()[i].type == type &&
                (sample < 0 || world_.Events()[i].sample == sample))
                ++count;
        }
        return count;
    }

    // The level goes through the scene writer and Scene::Load, as a level
    // file would.
    void LoadBuilt() {
        scene_.Clear();
        ASSERT_EQ(WriteAndLoadScene(built_, dir_.File("level.dme"), scene_), LoadOk);
    }

    TempDir dir_;
    Scene built_;
    Scene scene_;
    TPlayer ball_;
    TRope rope_;
    PhysicsWorld world_;
};

TEST_F(RopeScenario, FireFlyCatchAndHangAtAFixedLength) {
    SceneBuilder(built_).AddOutline("ceiling").AddPolyline({{-300, 60}, {300, 60}});
    LoadBuilt();
    AddGravity();
    rope_.Shoot(ball_.position, 0.0);
    ASSERT_TRUE(StepUntilAttached(50));
    EXPECT_FALSE(rope_.flying);
    EXPECT_EQ(CountEvents(EventPlayEffect, 2), 1);
    EXPECT_EQ(world_.Events().Size(), 1u);
    EXPECT_EQ(rope_.position.x, 0.0);
    EXPECT_EQ(rope_.position.y, 60.0);
    EXPECT_EQ(rope_.velocity.x, 0.0);
    const double length = rope_.freeLength;
    EXPECT_EQ(rope_.totalLength, length);
    EXPECT_GT(length, 60.0);  // the ball fell while the hook flew

    for (int step = 0; step < 500; ++step) {
        world_.Step();
        ASSERT_NEAR(Distance(ball_.position, rope_.position), length, 1e-9);
    }
    EXPECT_EQ(rope_.freeLength, length);
    EXPECT_EQ(rope_.position.y, 60.0);  // the caught hook stays where it caught
    EXPECT_NEAR(ball_.position.x, 0.0, 1e-12);
    EXPECT_EQ(world_.Events().Size(), 1u);
}

TEST_F(RopeScenario, ReelOutAndInToTheClampsWhileHanging) {
    SceneBuilder(built_).AddOutline("ceiling").AddPolyline({{-300, 60}, {300, 60}});
    LoadBuilt();
    AddGravity();
    rope_.Shoot(ball_.position, 0.0);
    ASSERT_TRUE(StepUntilAttached(50));

    const double frameTime = 1.0 / 60.0;
    for (int frame = 0; frame < 2500; ++frame) {
        rope_.Reel(+1, frameTime);
        for (int i = 0; i < 5; ++i)
            world_.Step();
        ASSERT_LE(rope_.totalLength, 350.0);
    }
    EXPECT_EQ(rope_.totalLength, 350.0);
    EXPECT_EQ(rope_.freeLength, 350.0);
    EXPECT_NEAR(Distance(ball_.position, rope_.position), 350.0, 1e-9);

    for (int frame = 0; frame < 2500; ++frame) {
        rope_.Reel(-1, frameTime);
        for (int i = 0; i < 5; ++i)
            world_.Step();
    }
    EXPECT_EQ(rope_.totalLength, 15.0);
    EXPECT_EQ(rope_.freeLength, 15.0);
    EXPECT_NEAR(Distance(ball_.position, rope_.position), 15.0, 1e-9);
    EXPECT_NEAR(ball_.position.y, 45.0, 1e-9);
}

// The hook hangs from a ceiling at (0, 200); a ledge reaches in from the
// right with its corner at (40, 120). Swinging right wraps the rope round
// the corner; swinging back unwraps it.
TEST_F(RopeScenario, SwingPastACornerWrapsAndSwingingBackUnwraps) {
    SceneBuilder(built_)
        .AddOutline("ceiling")
        .AddPolyline({{-300, 200}, {300, 200}})
        .AddOutline("ledge")
        .AddPolyline({{40, 120}, {200, 120}});
    LoadBuilt();
    ball_.position.Set(0.0, 50.0);
    rope_.Attach(ball_.position, {0.0, 200.0});
    ASSERT_EQ(rope_.freeLength, 150.0);
    ball_.velocity.Set(3.0, 0.0);  // no gravity: it sweeps round at constant speed

    int steps = 0;
    while (rope_.wrapPoints.empty() && steps < 200) {
        world_.Step();
        ++steps;
    }
    ASSERT_EQ(rope_.wrapPoints.size(), 1u);
    const WrapPoint corner = rope_.wrapPoints.back();
    EXPECT_TRUE(corner.SameCorner(1, 0, 0));
    EXPECT_EQ(corner.position.x, 40.0);
    EXPECT_EQ(corner.position.y, 120.0);
    // Shortened to the distance from the ball (before its move) to the corner.
    EXPECT_EQ(rope_.freeLength, Distance(ball_.previousPosition, corner.position));
    EXPECT_LT(rope_.freeLength, 150.0 - 80.0);
    EXPECT_EQ(rope_.totalLength, 150.0);
    // The ball was past the line from the hook through the corner.
    EXPECT_LT(HeadingAngle(rope_.position, ball_.position),
              HeadingAngle(rope_.position, corner.position));

    for (int i = 0; i < 5; ++i) {
        world_.Step();
        ASSERT_EQ(rope_.wrapPoints.size(), 1u);
        ASSERT_NEAR(Distance(ball_.position, corner.position), rope_.freeLength, 1e-9);
    }

    ball_.velocity = -ball_.velocity;
    steps = 0;
    while (!rope_.wrapPoints.empty() && steps < 200) {
        world_.Step();
        ++steps;
        ASSERT_LE(rope_.wrapPoints.size(), 1u);
    }
    ASSERT_TRUE(rope_.wrapPoints.empty());
    EXPECT_EQ(rope_.freeLength, Distance(ball_.previousPosition, rope_.position));
    // Unwrapped within one step of the straight line: nearly the old length.
    EXPECT_NEAR(rope_.freeLength, 150.0, 0.1);
    world_.Step();
    EXPECT_NEAR(Distance(ball_.position, rope_.position), rope_.freeLength, 1e-9);
    EXPECT_TRUE(world_.Events().Empty());
}

TEST_F(RopeScenario, CornerThatIsTheLastWrapPointIsNeverAppendedAgain) {
    SceneBuilder(built_).AddOutline("post").AddPolyline({{0, 0}, {0, -30}});
    LoadBuilt();
    rope_.Attach({-10.0, 0.0}, {-100.0, 100.0});
    rope_.wrapPoints.push_back({0, 0, 0, {0.0, 0.0}});
    rope_.UpdateFreeLength({-10.0, 0.0});
    // The ball's step passes straight over the corner it already hangs from.
    rope_.WrapAttached(scene_.shapes, {-10.0, 0.0}, {20.0, 0.0});
    EXPECT_EQ(rope_.wrapPoints.size(), 1u);
    rope_.WrapAttached(scene_.shapes, {-10.0, 0.0}, {20.0, 0.0});
    EXPECT_EQ(rope_.wrapPoints.size(), 1u);
    EXPECT_EQ(rope_.freeLength, 10.0);

    // A ball at rest scans nothing.
    rope_.wrapPoints.clear();
    rope_.WrapAttached(scene_.shapes, {-10.0, 0.0}, {0.0, 0.0});
    EXPECT_TRUE(rope_.wrapPoints.empty());
}

TEST_F(RopeScenario, FlyingHookCollectsCornersOnceAndCatchUsesThePath) {
    SceneBuilder(built_)
        .AddOutline("pegs")
        .AddPolyline({{10, 30}, {60, 30}, {25, 45}})
        .AddOutline("far")
        .AddPolyline({{500, 500}, {600, 500}});
    LoadBuilt();
    const Vector2 ball{0.0, 0.0};
    rope_.Shoot(ball, 0.0);
    rope_.previousPosition.Set(0.0, 100.0);
    rope_.position.Set(100.0, 100.0);
    rope_.WrapWhileFlying(scene_.shapes, ball);
    // (10, 30) and (25, 45) lie in the swept triangle, (60, 30) does not.
    ASSERT_EQ(rope_.wrapPoints.size(), 2u);
    EXPECT_TRUE(rope_.wrapPoints[0].SameCorner(0, 0, 0));
    EXPECT_TRUE(rope_.wrapPoints[1].SameCorner(0, 0, 2));

    // Corners are collected on one step of a flight only.
    rope_.previousPosition.Set(100.0, 100.0);
    rope_.position.Set(100.0, -100.0);
    rope_.WrapWhileFlying(scene_.shapes, ball);
    EXPECT_EQ(rope_.wrapPoints.size(), 2u);

    rope_.Attach(ball, {100.0, 45.0});
    EXPECT_EQ(rope_.freeLength, Distance(ball, {25.0, 45.0}));
    EXPECT_EQ(rope_.totalLength, Distance({100.0, 45.0}, {10.0, 30.0}) +
                                     Distance({10.0, 30.0}, {25.0, 45.0}) +
                                     Distance({25.0, 45.0}, ball));
}

TEST_F(RopeScenario, HookThroughADeadlyLineRaisesARopeReleaseAndFliesOn) {
    SceneBuilder(built_)
        .AddOutline("DEATH_laser")
        .AddPolyline({{-100, 25}, {100, 25}})
        .AddOutline("ceiling")
        .AddPolyline({{-300, 50}, {300, 50}});
    LoadBuilt();
    rope_.Shoot(ball_.position, 0.0);
    ASSERT_TRUE(StepUntilAttached(20));
    ASSERT_EQ(world_.Events().Size(), 2u);
    EXPECT_EQ(world_.Events()[0].type, EventRopeRelease);
    EXPECT_EQ(world_.Events()[1].type, EventPlayEffect);
    EXPECT_EQ(world_.Events()[1].sample, 2);
    EXPECT_EQ(rope_.position.y, 50.0);
}

TEST_F(RopeScenario, SettleRopeCatchesTheCeilingAboveOrStaysIdle) {
    SceneBuilder(built_).AddOutline("ceiling").AddPolyline({{-50, 100}, {50, 100}});
    LoadBuilt();
    ball_.position.Set(0.0, 0.0);
    world_.SettleRope();
    EXPECT_TRUE(rope_.attached);
    EXPECT_FALSE(rope_.flying);
    EXPECT_EQ(rope_.position.x, 0.0);
    EXPECT_EQ(rope_.position.y, 100.0);
    EXPECT_EQ(rope_.freeLength, 100.0);
    EXPECT_EQ(rope_.velocity.y, 0.0);
    EXPECT_TRUE(world_.Events().Empty());

    // Nothing above: the hook searches 1250 units and stays idle.
    rope_.Reset();
    ball_.position.Set(200.0, 0.0);
    world_.SettleRope();
    EXPECT_FALSE(rope_.attached);
    EXPECT_FALSE(rope_.flying);
    EXPECT_EQ(rope_.position.x, 200.0);
    EXPECT_EQ(rope_.position.y, 1250.0);
    EXPECT_EQ(rope_.velocity.y, 0.0);

    // A deadly line on the way up raises a rope release.
    SceneBuilder(built_).AddOutline("DEATH").AddPolyline({{150, 42}, {250, 42}});
    LoadBuilt();
    rope_.Reset();
    world_.SettleRope();
    EXPECT_FALSE(rope_.attached);
    EXPECT_EQ(world_.Events().Size(), 1u);
    EXPECT_EQ(world_.Events()[0].type, EventRopeRelease);
}

// A shot predicted from the ball at rest follows the flight Step then runs,
// point for point, to the same end: the catch, the rope cut by a deadly
// line, or the first step at the rope's full length. Predicting changes
// neither the bodies nor the world's events.
bool Same(const Vector2& a, const Vector2& b) {
    return a.x == b.x && a.y == b.y;
}

TEST_F(RopeScenario, APredictedShotIsTheFlightAndChangesNothing) {
    constexpr double kHalfPi = 1.5707963267948966;
    SceneBuilder(built_)
        .AddOutline("ceiling")
        .AddPolyline({{-300, 60}, {300, 60}})
        .AddOutline("wall")
        .AddPolyline({{120, -400}, {120, 40}})
        .AddOutline("DEATH")
        .AddPolyline({{-100, -400}, {-100, 40}});
    LoadBuilt();
    AddGravity();
    enum class End { Catch, Cut, FullReach };
    const struct {
        double angle;
        End end;
    } shots[] = {{0.0, End::Catch},
                 {kHalfPi, End::Catch},
                 {3.0 * kHalfPi, End::Cut},
                 {2.0 * kHalfPi, End::FullReach}};
    for (const auto& shot : shots) {
        SCOPED_TRACE(shot.angle);
        SetUp();
        ball_.swingDirection = 1;  // as a control step may leave it before the shot
        const TPlayer ballBefore = ball_;
        ShotPrediction prediction;
        world_.PredictShot(shot.angle, prediction);
        EXPECT_TRUE(Same(ball_.position, ballBefore.position));
        EXPECT_TRUE(Same(ball_.velocity, ballBefore.velocity));
        EXPECT_EQ(ball_.swingDirection, 1);
        EXPECT_FALSE(rope_.flying || rope_.attached || rope_.justFired);
        EXPECT_TRUE(Same(rope_.position, {0.0, 0.0}));
        EXPECT_TRUE(world_.Events().Empty());
        EXPECT_EQ(prediction.catches, shot.end == End::Catch);
        ASSERT_GE(prediction.path.size(), 3u);

        rope_.Shoot(ball_.position, shot.angle);
        EXPECT_TRUE(Same(prediction.path[0], rope_.position));
        for (size_t i = 1; i < prediction.path.size(); ++i) {
            ASSERT_TRUE(rope_.flying) << "step " << i;
            world_.Step();
            ASSERT_TRUE(Same(prediction.path[i], rope_.position)) << "step " << i;
        }
        EXPECT_EQ(rope_.attached, shot.end == End::Catch);
        EXPECT_EQ(CountEvents(EventRopeRelease), shot.end == End::Cut ? 1 : 0);
        if (shot.end == End::FullReach) {
            EXPECT_NEAR(Distance(rope_.position, ball_.previousPosition), rope_.maxLength, 1e-9);
        }
        world_.ClearEvents();
    }
}

}  // namespace
