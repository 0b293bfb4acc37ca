// Ball and hook against the level's outlines.

#include <gtest/gtest.h>

#include <cmath>

#include "core/event_list.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "support/scene_builder.h"
#include "support/temp_dir.h"

namespace {

class Collision : public ::testing::Test {
protected:
    void SetUp() override {
        ball_.rope = &hook_;
        world_.SetPlayer(&ball_);
        world_.SetScene(scene_.Outlines());
    }
    int CountEvents(int32_t type) const {
        int count = 0;
        for (size_t i = 0; i < world_.Events().Size(); ++i)
            count += world_.Events()[i].type == type ? 1 : 0;
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
    TRope hook_;
    PhysicsWorld world_;
};

TEST_F(Collision, BallReachIsRadiusPlusSpeed) {
    SceneBuilder(built_).AddOutline("floor").AddPolyline({{-50, 0}, {50, 0}});
    LoadBuilt();
    Contact contact;
    contact.outline = -9;

    ball_.position.Set(0.0, 3.0);
    ball_.velocity.Set(0.0, 0.0);
    ASSERT_TRUE(world_.Collide(ball_, contact));
    EXPECT_EQ(contact.outline, 0);
    EXPECT_EQ(contact.polyline, 0);
    EXPECT_EQ(contact.edge, 0);
    EXPECT_EQ(contact.point.x, 0.0);
    EXPECT_EQ(contact.point.y, 0.0);

    contact.outline = -9;
    ball_.position.Set(0.0, 6.0);
    ball_.velocity.Set(0.5, 0.0);
    EXPECT_FALSE(world_.Collide(ball_, contact));
    EXPECT_EQ(contact.outline, -9);  // left as it was
    ball_.velocity.Set(1.5, 0.0);
    EXPECT_TRUE(world_.Collide(ball_, contact));
    // Moving away does not matter either: the reach is measured from the centre.
    ball_.velocity.Set(0.0, 1.5);
    EXPECT_TRUE(world_.Collide(ball_, contact));
    EXPECT_TRUE(world_.Events().Empty());
}

TEST_F(Collision, ReflectMirrorsAtTheEdge) {
    SceneBuilder(built_).AddOutline("floor").AddPolyline({{-50, 0}, {50, 0}});
    LoadBuilt();
    Contact contact;
    ball_.position.Set(0.0, 4.0);
    ball_.velocity.Set(0.0, -3.0);
    ASSERT_TRUE(world_.Collide(ball_, contact));
    Vector2 v = world_.Reflect(ball_, contact);
    EXPECT_EQ(v.x, 0.0);
    EXPECT_EQ(v.y, 3.0);

    // Parallel to the edge within reach: a hit that leaves the velocity alone.
    ball_.velocity.Set(2.0, 0.0);
    ASSERT_TRUE(world_.Collide(ball_, contact));
    v = world_.Reflect(ball_, contact);
    EXPECT_EQ(v.x, 2.0);
    EXPECT_EQ(v.y, 0.0);
}

TEST_F(Collision, ClosingEdgeOfAClosedPolylineIsLastPointToFirst) {
    SceneBuilder(built_).AddOutline("room").AddPolyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}},
                                                        true);
    LoadBuilt();
    Contact contact;
    ball_.position.Set(3.0, 50.0);
    ball_.velocity.Set(-2.0, 0.5);
    ASSERT_TRUE(world_.Collide(ball_, contact));
    EXPECT_EQ(contact.edge, 3);
    EXPECT_EQ(contact.point.x, 0.0);
    EXPECT_EQ(contact.point.y, 50.0);
    const Vector2 v = world_.Reflect(ball_, contact);
    EXPECT_EQ(v.x, 2.0);
    EXPECT_EQ(v.y, 0.5);

    // An open polyline has no closing edge.
    built_.shapes[0].polylines[0].closed = 0;
    LoadBuilt();
    EXPECT_FALSE(world_.Collide(ball_, contact));
}

TEST_F(Collision, DegenerateOutlines) {
    SceneBuilder builder(built_);
    builder.AddOutline("empty");
    builder.AddOutline("lonely").AddPolyline({{0, 0}});  // open, one point: no edge
    LoadBuilt();
    Contact contact;
    ball_.position.Set(0.0, 1.0);
    ball_.velocity.Set(0.0, -1.0);
    EXPECT_FALSE(world_.Collide(ball_, contact));

    // A closed single point is one zero-length edge: the ball hits its point
    // and bounces off it as off a post, never with an undefined direction.
    builder.AddOutline("post").AddPolyline({{0, 0}}, true);
    LoadBuilt();
    ASSERT_TRUE(world_.Collide(ball_, contact));
    EXPECT_EQ(contact.outline, 2);
    Vector2 v = world_.Reflect(ball_, contact);
    EXPECT_EQ(v.x, 0.0);
    EXPECT_EQ(v.y, 1.0);
    ball_.position.Set(0.0, 0.0);  // centre on the point: left unchanged
    v = world_.Reflect(ball_, contact);
    EXPECT_EQ(v.y, -1.0);

    // The hook cannot cross a zero-length edge.
    hook_.position.Set(0.0, 5.0);
    hook_.velocity.Set(0.0, -10.0);
    EXPECT_FALSE(world_.Collide(hook_, contact));
}

TEST_F(Collision, HookHitsWhereItsPathCrossesAnEdge) {
    SceneBuilder(built_).AddOutline("ledge").AddPolyline({{-5, 0}, {5, 0}});
    LoadBuilt();
    Contact contact;
    hook_.position.Set(0.0, 10.0);
    hook_.velocity.Set(0.0, -20.0);
    ASSERT_TRUE(world_.Collide(hook_, contact));
    EXPECT_EQ(contact.point.x, 0.0);
    EXPECT_EQ(contact.point.y, 0.0);
    // A path that ends on the edge hits too; one that stops short does not.
    hook_.velocity.Set(0.0, -10.0);
    EXPECT_TRUE(world_.Collide(hook_, contact));
    hook_.velocity.Set(0.0, -9.5);
    EXPECT_FALSE(world_.Collide(hook_, contact));
    // The hook has no reach: passing 1 unit beside the edge's end misses.
    hook_.position.Set(6.0, 10.0);
    hook_.velocity.Set(0.0, -20.0);
    EXPECT_FALSE(world_.Collide(hook_, contact));
}

TEST_F(Collision, DeadlyOutlinesRaiseEventsAndNeverStopTheScan) {
    SceneBuilder(built_)
        .AddOutline("DEATH_spikes")
        .AddPolyline({{-20, -2}, {0, 0}, {20, -2}})  // two edges within reach
        .AddPolyline({{-500, -500}, {500, -500}})    // far away
        .AddOutline("floor")
        .AddPolyline({{-50, -2.5}, {50, -2.5}});
    LoadBuilt();
    Contact contact;
    ball_.position.Set(0.0, 3.0);
    ball_.velocity.Set(0.0, -1.0);
    ASSERT_TRUE(world_.Collide(ball_, contact));
    EXPECT_EQ(contact.outline, 1);
    EXPECT_EQ(CountEvents(EventDeath), 2);
    EXPECT_EQ(world_.Events().Size(), 2u);

    // The hook crossing a deadly edge raises a rope release and flies on to
    // the next edge it crosses.
    world_.ClearEvents();
    hook_.position.Set(1.0, 10.0);
    hook_.velocity.Set(0.0, -20.0);
    ASSERT_TRUE(world_.Collide(hook_, contact));
    EXPECT_EQ(contact.outline, 1);
    EXPECT_EQ(contact.point.x, 1.0);
    EXPECT_EQ(contact.point.y, -2.5);
    EXPECT_EQ(CountEvents(EventRopeRelease), 1);
    EXPECT_EQ(world_.Events().Size(), 1u);
}

TEST_F(Collision, OnlyTheExactPrefixDEATHIsDeadly) {
    SceneBuilder builder(built_);
    for (const char* name : {"death", "DEAT", "xDEATH", "Death1"})
        builder.AddOutline(name).AddPolyline({{-10, 0}, {10, 0}});
    LoadBuilt();
    Contact contact;
    ball_.position.Set(0.0, 2.0);
    ball_.velocity.Set(0.0, 0.0);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(world_.Collide(ball_, contact));
        EXPECT_EQ(contact.outline, i);
        built_.shapes[i].polylines.clear();
        LoadBuilt();
    }
    EXPECT_TRUE(world_.Events().Empty());

    builder.AddOutline("DEATH").AddPolyline({{-10, 0}, {10, 0}});
    builder.AddOutline("DEATHTRAP").AddPolyline({{-10, 0}, {10, 0}});
    LoadBuilt();
    EXPECT_FALSE(world_.Collide(ball_, contact));
    EXPECT_EQ(CountEvents(EventDeath), 2);
}

TEST_F(Collision, GrazingBallIsReportedOnEveryStep) {
    SceneBuilder(built_).AddOutline("floor").AddPolyline({{-500, 0}, {500, 0}});
    LoadBuilt();
    ball_.position.Set(0.0, 5.5);
    ball_.velocity.Set(3.0, -0.1);
    for (int step = 0; step < 6; ++step)
        world_.Step();
    EXPECT_EQ(CountEvents(EventBallCollision), 6);
    EXPECT_EQ(world_.Events().Size(), 6u);
    EXPECT_GT(ball_.position.y, 5.0);  // never inside the floor
    EXPECT_EQ(ball_.position.x, 18.0);
}

TEST_F(Collision, BallFallingOnDeadlyFloorRaisesDeathEachStepAndIsNotStopped) {
    SceneBuilder(built_).AddOutline("DEATH").AddPolyline({{-500, 0}, {500, 0}});
    LoadBuilt();
    world_.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
    ball_.mass = 2.0f;
    ball_.position.Set(0.0, 8.0);
    ball_.velocity.Set(0.0, 0.0);
    world_.Step();  // reach 6.378 < 8
    EXPECT_TRUE(world_.Events().Empty());
    world_.Step();
    world_.Step();
    EXPECT_EQ(CountEvents(EventDeath), 2);
    EXPECT_EQ(CountEvents(EventBallCollision), 0);
    EXPECT_LT(ball_.velocity.y, 0.0);
}

}  // namespace
