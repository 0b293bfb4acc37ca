// Forces and motion of one simulation step, without a level.

#include <gtest/gtest.h>

#include "core/event_list.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "support/physics_rig.h"

namespace {

constexpr double kGravity = static_cast<double>(-0.689f);

class Forces : public ::testing::Test {
protected:
    void SetUp() override { WireBallAndWorld(ball_, rope_, world_); }
    void AddGravity() { world_.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, 1); }
    void AddMagnet(float x, float y) {
        world_.AddFieldObject("MAGNET01", x, y, 1, -2.0f, 100.0f, FieldRadial);
    }

    TPlayer ball_;
    TRope rope_;
    PhysicsWorld world_;
};

TEST_F(Forces, BallFallsUnderDefaultGravity) {
    AddGravity();
    ball_.position.Set(10.0, 20.0);
    world_.Step();
    EXPECT_EQ(ball_.velocity.x, 0.0);
    EXPECT_EQ(ball_.velocity.y, kGravity * 2.0);
    EXPECT_EQ(ball_.velocity.y, -1.378000020980835);
    EXPECT_EQ(ball_.position.x, 10.0);
    EXPECT_EQ(ball_.position.y, 20.0 + kGravity * 2.0);
    EXPECT_EQ(ball_.previousPosition.y, 20.0);
    world_.Step();
    EXPECT_EQ(ball_.velocity.y, kGravity * 2.0 + kGravity * 2.0);
    EXPECT_TRUE(world_.Events().Empty());
}

TEST_F(Forces, HookFiredStraightUpGetsLaunchAndGravityThenGravityOnly) {
    AddGravity();
    ball_.position.Set(0.0, 0.0);
    rope_.Shoot(ball_.position, 0.0);
    EXPECT_TRUE(rope_.flying);
    EXPECT_TRUE(rope_.justFired);
    world_.Step();
    EXPECT_FALSE(rope_.justFired);
    EXPECT_EQ(rope_.velocity.x, 0.0);
    EXPECT_EQ(rope_.velocity.y, 10.0 + kGravity);
    EXPECT_NEAR(rope_.velocity.y, 9.311, 1e-6);
    EXPECT_EQ(rope_.position.y, 10.0 + kGravity);
    const double first = rope_.velocity.y;
    world_.Step();
    EXPECT_EQ(rope_.velocity.y, first + kGravity);
    // The ball's velocity is not inherited by the hook, and the ball is not
    // pulled by the flying hook.
    EXPECT_EQ(ball_.velocity.y, 2 * kGravity * 2.0);
}

TEST_F(Forces, LaunchAngleFollowsTheHeading) {
    ball_.position.Set(0.0, 0.0);
    const double angle = HeadingAngle(ball_.position, {30.0, -40.0});
    rope_.Shoot(ball_.position, angle);
    world_.ApplyForces();
    EXPECT_NEAR(rope_.velocity.x, 6.0, 1e-12);
    EXPECT_NEAR(rope_.velocity.y, -8.0, 1e-12);
}

TEST_F(Forces, SwingRequestSurvivesTheFiringStepAndIsDroppedWhileFlying) {
    ball_.position.Set(0.0, 0.0);
    ball_.swingDirection = 1;
    rope_.Shoot(ball_.position, 0.0);
    world_.ApplyForces();
    EXPECT_EQ(ball_.swingDirection, 1);
    EXPECT_EQ(ball_.velocity.x, 0.0);
    world_.ApplyForces();
    EXPECT_EQ(ball_.swingDirection, 0);
    EXPECT_EQ(ball_.velocity.x, 0.0);
    EXPECT_EQ(ball_.velocity.y, 0.0);
}

TEST_F(Forces, SwingPushesAtRightAnglesToTheRopeWhileAttached) {
    ball_.position.Set(0.0, 0.0);
    rope_.Attach(ball_.position, {0.0, 100.0});
    PhysicsParameters parameters;
    world_.SetParameters(parameters);
    ball_.swingDirection = 1;
    world_.ApplyForces();
    EXPECT_EQ(ball_.swingDirection, 0);
    EXPECT_EQ(ball_.velocity.x, 10.25);
    EXPECT_NEAR(ball_.velocity.y, 0.0, 1e-14);
    ball_.velocity.Clear();
    ball_.swingDirection = -1;
    world_.ApplyForces();
    EXPECT_EQ(ball_.velocity.x, -10.25);
    // An idle rope drops the request too.
    rope_.Reset();
    ball_.velocity.Clear();
    ball_.swingDirection = 1;
    world_.ApplyForces();
    EXPECT_EQ(ball_.swingDirection, 0);
    EXPECT_EQ(ball_.velocity.x, 0.0);
}

TEST_F(Forces, MagnetPushesBallAndHookWithinItsRadius) {
    ball_.position.Set(0.0, 0.0);
    rope_.position.Set(-50.0, 30.0);  // idle hook: its own position is the anchor
    AddMagnet(-50.0f, 0.0f);
    world_.ApplyForces();
    // Distance 50: strength * radius / d = -4, away from the magnet.
    EXPECT_EQ(ball_.velocity.x, 4.0);
    EXPECT_EQ(ball_.velocity.y, 0.0);
    // The hook gets the ball's amount, along its own direction to the centre.
    EXPECT_EQ(rope_.velocity.x, 0.0);
    EXPECT_EQ(rope_.velocity.y, 4.0);

    ball_.velocity.Clear();
    world_.ClearFieldObjects();
    EXPECT_TRUE(world_.FieldObjects().empty());
    AddMagnet(-(100.0f - 1e-4f), 0.0f);
    world_.ApplyForces();
    EXPECT_GT(ball_.velocity.x, 2.0);
    EXPECT_NEAR(ball_.velocity.x, 2.0, 1e-5);

    for (const float x : {-100.0f, 150.0f, 0.0f}) {
        ball_.velocity.Clear();
        rope_.velocity.Clear();
        world_.ClearFieldObjects();
        AddMagnet(x, 0.0f);  // at the radius, beyond it, and at the ball's centre
        world_.ApplyForces();
        EXPECT_EQ(ball_.velocity.x, 0.0) << x;
        EXPECT_EQ(ball_.velocity.y, 0.0) << x;
        EXPECT_EQ(rope_.velocity.x, 0.0) << x;
        EXPECT_EQ(rope_.velocity.y, 0.0) << x;
    }
}

TEST_F(Forces, HookShareActsFromTheLastWrapPoint) {
    ball_.position.Set(0.0, 0.0);
    rope_.Attach(ball_.position, {200.0, 200.0});
    rope_.wrapPoints.push_back({0, 0, 0, {0.0, 50.0}});
    AddMagnet(0.0f, 25.0f);
    world_.ApplyForces();
    EXPECT_EQ(ball_.velocity.y, -8.0);  // d = 25: k = -8
    EXPECT_EQ(rope_.velocity.y, 8.0);   // pushed away from the centre, upwards
    EXPECT_EQ(rope_.velocity.x, 0.0);
}

TEST_F(Forces, FieldObjectsAddUpInListOrder) {
    ball_.position.Set(0.0, 0.0);
    world_.AddFieldObject("MAGNET", -40.0f, 30.0f, 1, -2.0f, 100.0f, FieldRadial);
    world_.AddFieldObject("BHOLE", 20.0f, 0.0f, 0, 3.0f, 60.0f, FieldRadial);
    world_.ApplyForces();
    const Vector2 both = ball_.velocity;
    // Magnet alone: d = 50, k = -4 along (-0.8, 0.6); black hole: d = 20,
    // k = 9 along (1, 0).
    EXPECT_NEAR(both.x, 3.2 + 9.0, 1e-12);
    EXPECT_NEAR(both.y, -2.4, 1e-12);

    PhysicsWorld reversed;
    reversed.SetPlayer(&ball_);
    reversed.AddFieldObject("BHOLE", 20.0f, 0.0f, 0, 3.0f, 60.0f, FieldRadial);
    reversed.AddFieldObject("MAGNET", -40.0f, 30.0f, 1, -2.0f, 100.0f, FieldRadial);
    ball_.velocity.Clear();
    reversed.ApplyForces();
    EXPECT_EQ(ball_.velocity.x, both.x);
    EXPECT_EQ(ball_.velocity.y, both.y);

    // An unknown type contributes nothing.
    ball_.velocity.Clear();
    PhysicsWorld odd;
    odd.SetPlayer(&ball_);
    odd.AddFieldObject("ODD", 1.0f, 0.0f, 0, 5.0f, 60.0f, 7);
    odd.ApplyForces();
    EXPECT_EQ(ball_.velocity.x, 0.0);
}

TEST_F(Forces, LongFieldObjectNamesAreCutTo15Characters) {
    world_.AddFieldObject("MAGNET_WITH_A_LONG_NAME", 1.5f, -2.5f, 1, -2.0f, 100.0f, 0);
    EXPECT_STREQ(world_.FieldObjects().front().name, "MAGNET_WITH_A_L");
}

TEST(Bodies, ConstructionAndTheFourOperations) {
    TPlayer ball;
    EXPECT_EQ(ball.kind, BodyBall);
    EXPECT_EQ(ball.radius, 5.0);
    EXPECT_EQ(ball.position.x, -50.0);
    EXPECT_EQ(ball.swingDirection, 0);
    EXPECT_EQ(ball.rope, nullptr);
    TRope rope;
    EXPECT_EQ(rope.kind, BodyHook);
    EXPECT_EQ(rope.position.x, 50.0);
    EXPECT_EQ(rope.freeLength, 20.0);
    EXPECT_FALSE(rope.flying || rope.attached || rope.justFired);

    ball.position.Set(1.0, 2.0);
    ball.velocity.Set(0.5, -1.0);
    ball.Move();
    EXPECT_EQ(ball.previousPosition.x, 1.0);
    EXPECT_EQ(ball.GetPosition().x, 1.5);
    EXPECT_EQ(ball.GetPosition().y, 1.0);
    ball.SetPosition({7.0, 8.0});
    EXPECT_EQ(ball.previousPosition.x, 1.0);
    EXPECT_EQ(ball.velocity.x, 0.5);
    EXPECT_EQ(ball.position.y, 8.0);
    ball.MoveScaled(0.5);  // 30 steps' worth at 60 per second
    EXPECT_EQ(ball.previousPosition.y, 8.0);
    EXPECT_EQ(ball.position.x, 22.0);
    EXPECT_EQ(ball.position.y, -22.0);
}

}  // namespace
