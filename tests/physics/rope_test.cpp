// The rope's own operations: firing, catching, reeling, the flight limit and
// the rope constraint.

#include "physics/rope.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/event_list.h"
#include "physics/physics_world.h"
#include "physics/player.h"

namespace {

TEST(Rope, ShootStartsAFreshFlightFromTheOrigin) {
    TRope rope;
    rope.Attach({0.0, 0.0}, {0.0, 40.0});
    rope.wrapPoints.push_back({1, 2, 3, {4.0, 5.0}});
    rope.velocity.Set(3.0, 3.0);
    rope.Shoot({-7.0, 2.0}, 1.25);
    EXPECT_TRUE(rope.flying);
    EXPECT_FALSE(rope.attached);
    EXPECT_TRUE(rope.justFired);
    EXPECT_EQ(rope.shootAngle, 1.25);
    EXPECT_EQ(rope.position.x, -7.0);
    EXPECT_EQ(rope.velocity.x, 0.0);
    EXPECT_EQ(rope.freeLength, 0.0);
    EXPECT_EQ(rope.totalLength, 0.0);
    EXPECT_TRUE(rope.wrapPoints.empty());

    rope.Reset();
    EXPECT_FALSE(rope.flying || rope.attached);
    EXPECT_TRUE(rope.justFired);  // left for the next ApplyForces
    EXPECT_EQ(rope.shootAngle, 1.25);
    EXPECT_EQ(rope.position.x, 0.0);
    EXPECT_EQ(rope.position.y, 0.0);
}

TEST(Rope, AttachSetsBothLengthsToTheDistanceOrThePathThroughTheCorners) {
    TRope rope;
    rope.Shoot({0.0, 0.0}, 0.0);
    rope.velocity.Set(1.0, 1.0);
    rope.Attach({0.0, 0.0}, {30.0, 40.0});
    EXPECT_TRUE(rope.attached);
    EXPECT_FALSE(rope.flying);
    EXPECT_EQ(rope.velocity.x, 0.0);
    EXPECT_EQ(rope.freeLength, 50.0);
    EXPECT_EQ(rope.totalLength, 50.0);
    EXPECT_EQ(rope.LastAnchor().y, 40.0);
    EXPECT_EQ(rope.PreviousAnchor().y, 40.0);

    // Corners collected in flight: the ball hangs from the last one and the
    // total is the path hook -> corners -> ball.
    rope.Shoot({0.0, 0.0}, 0.0);
    rope.wrapPoints.push_back({0, 0, 1, {100.0, 50.0}});
    rope.wrapPoints.push_back({0, 0, 2, {0.0, 50.0}});
    rope.Attach({0.0, 0.0}, {100.0, 80.0});
    EXPECT_EQ(rope.freeLength, 50.0);
    EXPECT_EQ(rope.totalLength, 30.0 + 100.0 + 50.0);
    EXPECT_EQ(rope.LastAnchor().x, 0.0);
    EXPECT_EQ(rope.PreviousAnchor().x, 100.0);

    // A path beyond the longest rope is clamped; the free length stays the
    // straight distance.
    rope.Shoot({0.0, 0.0}, 0.0);
    rope.wrapPoints.push_back({0, 0, 1, {0.0, 300.0}});
    rope.Attach({0.0, 0.0}, {200.0, 300.0});
    EXPECT_EQ(rope.freeLength, 300.0);
    EXPECT_EQ(rope.totalLength, 350.0);
}

TEST(Rope, ReelingClampsTheTotalLength) {
    TRope rope;
    rope.Attach({0.0, 0.0}, {0.0, 100.0});
    rope.Reel(+1, 0.5);
    EXPECT_EQ(rope.freeLength, 105.125);
    EXPECT_EQ(rope.totalLength, 105.125);
    for (int frame = 0; frame < 2000; ++frame) {
        rope.Reel(+1, 1.0 / 60.0);
        ASSERT_LE(rope.totalLength, 350.0);
    }
    EXPECT_EQ(rope.totalLength, 350.0);
    EXPECT_EQ(rope.freeLength, 350.0);
    for (int frame = 0; frame < 3000; ++frame) {
        rope.Reel(-1, 1.0 / 60.0);
        ASSERT_GE(rope.totalLength, 15.0);
    }
    EXPECT_EQ(rope.totalLength, 15.0);
    EXPECT_EQ(rope.freeLength, 15.0);

    // Only the total is clamped: with a corner in between, the free length
    // can go below 0 while the total is still above the minimum.
    rope.freeLength = 10.0;
    rope.totalLength = 100.0;
    rope.wrapPoints.push_back({0, 0, 0, {0.0, 50.0}});
    rope.Reel(-1, 2.0);
    EXPECT_EQ(rope.freeLength, -10.5);
    EXPECT_EQ(rope.totalLength, 79.5);
}

TEST(Rope, FlightLimitHoldsTheHookOnTheCircleOfMaximumLength) {
    TRope rope;
    const Vector2 ball{0.0, 0.0};
    rope.position.Set(0.0, 349.0);
    rope.velocity.Set(0.0, 5.0);
    rope.LimitFlight(ball);
    EXPECT_EQ(rope.velocity.y, 1.0);

    rope.position.Set(0.0, 350.0);
    for (int step = 0; step < 50; ++step) {
        rope.velocity.Set(10.0, 3.0);
        rope.LimitFlight(ball);
        rope.Move();
        ASSERT_NEAR(Distance(rope.position, ball), 350.0, 1e-9);
    }
    EXPECT_GT(rope.position.x, 100.0);  // it travelled round the circle

    // Within the limit nothing changes.
    rope.position.Set(0.0, 100.0);
    rope.velocity.Set(2.0, 2.0);
    rope.LimitFlight(ball);
    EXPECT_EQ(rope.velocity.x, 2.0);

    // A zero limit and a hook predicted on the ball: no direction, no change.
    rope.maxLength = 0.0f;
    rope.position = ball;
    rope.velocity.Set(0.0, 0.0);
    rope.LimitFlight(ball);
    EXPECT_EQ(rope.velocity.x, 0.0);
    EXPECT_EQ(rope.velocity.y, 0.0);
}

TEST(Rope, ConstraintActsAsARodAndSkipsADegeneratePrediction) {
    TRope rope;
    rope.Attach({0.0, 0.0}, {0.0, 100.0});
    Vector2 velocity{0.0, -2.0};
    rope.ConstrainBall({0.0, 0.0}, velocity);  // pulls
    EXPECT_EQ(velocity.y, 0.0);
    velocity.Set(0.0, 2.0);
    rope.ConstrainBall({0.0, 0.0}, velocity);  // pushes
    EXPECT_EQ(velocity.y, 0.0);

    velocity.Set(0.0, 100.0);  // predicted exactly on the anchor
    rope.ConstrainBall({0.0, 0.0}, velocity);
    EXPECT_EQ(velocity.y, 100.0);
    EXPECT_FALSE(std::isnan(velocity.x));
}

TEST(Rope, BallHangsAndSwingsOnTheCircleOfItsFreeLength) {
    TPlayer ball;
    TRope rope;
    PhysicsWorld world;
    ball.rope = &rope;
    ball.mass = 2.0f;
    world.SetPlayer(&ball);
    world.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
    ball.position.Set(0.0, 0.0);
    ball.velocity.Set(0.0, 0.0);
    rope.Attach(ball.position, {0.0, 120.0});

    for (int step = 0; step < 100; ++step) {
        world.Step();
        ASSERT_NEAR(Distance(ball.position, rope.position), 120.0, 1e-9);
    }
    EXPECT_NEAR(ball.position.x, 0.0, 1e-12);
    EXPECT_NEAR(ball.position.y, 0.0, 1e-9);

    ball.swingDirection = 1;
    double highest = ball.position.y;
    for (int step = 0; step < 300; ++step) {
        world.Step();
        ASSERT_NEAR(Distance(ball.position, rope.position), 120.0, 1e-9);
        highest = std::max(highest, ball.position.y);
    }
    EXPECT_GT(highest, 10.0);  // the push set it swinging
    EXPECT_TRUE(rope.position.x == 0.0 && rope.position.y == 120.0);
    EXPECT_TRUE(world.Events().Empty());
}

}  // namespace
