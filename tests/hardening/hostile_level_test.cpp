// Levels and settings no designer meant: outlines with repeated points,
// zero-length edges, single points and huge coordinates, and physics values
// that are negative, inverted or enormous. The simulation must keep stepping
// with finite positions; the sanitizer build checks the memory and arithmetic.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

constexpr int kSteps = 400;
constexpr double kPi = 3.14159265358979323846;

class HostileLevel : public ::testing::Test {
protected:
    void SetUp() override {
        WireBallAndWorld(ball_, rope_, world_);
        world_.SetScene(scene_.Outlines());
        world_.SetParameters(PhysicsParameters{});
        world_.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
    }
    void Load() {
        scene_.Clear();
        ASSERT_EQ(WriteAndLoadScene(built_, dir_.File("level.dme"), scene_), LoadOk);
    }
    static bool Finite(const Vector2& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

    // Fires the hook from the origin at eight angles in turn, stepping after
    // each shot, and reels; every step must leave ball and hook finite.
    void FireAllRound(const char* what) {
        for (int shot = 0; shot < 8; ++shot) {
            ball_.position.Set(0.0, 0.0);
            ball_.velocity.Set(0.0, 0.0);
            rope_.Reset();
            rope_.Shoot(ball_.position, shot * kPi / 4.0);
            for (int step = 0; step < kSteps; ++step) {
                if (step == kSteps / 2)
                    rope_.Reel(shot % 2 ? 1 : -1, 0.01);
                world_.Step();
                world_.ClearEvents();
                ASSERT_TRUE(Finite(ball_.position) && Finite(ball_.velocity))
                    << what << ": shot " << shot << " step " << step;
                ASSERT_TRUE(Finite(rope_.position))
                    << what << ": shot " << shot << " step " << step;
            }
        }
    }

    TempDir dir_;
    Scene built_;
    Scene scene_;
    TPlayer ball_;
    TRope rope_;
    PhysicsWorld world_;
};

TEST_F(HostileLevel, DegenerateOutlinesKeepTheBallFinite) {
    SceneBuilder(built_)
        .AddOutline("repeated")
        .AddPolyline({{-100, 60}, {-100, 60}, {-100, 60}, {100, 60}, {100, 60}})
        .AddOutline("zero_edges")
        .AddPolyline({{-80, -40}, {-80, -40}}, true)
        .AddOutline("single")
        .AddPolyline({{30, 30}})
        .AddOutline("collinear")
        .AddPolyline({{-60, 0}, {0, 0}, {60, 0}, {0, 0}}, true)
        .AddOutline("tiny")
        .AddPolyline({{50, -20}, {50.000001, -20}, {50, -19.999999}}, true);
    Load();
    FireAllRound("degenerate outlines");
}

TEST_F(HostileLevel, HugeCoordinatesKeepTheBallFinite) {
    const double huge = 1e30;
    SceneBuilder(built_)
        .AddOutline("far_wall")
        .AddPolyline({{-huge, 80}, {huge, 80}})
        .AddOutline("far_box")
        .AddPolyline({{-huge, -huge}, {huge, -huge}, {huge, -90}, {-huge, -90}}, true)
        .AddOutline("needle")
        .AddPolyline({{0, 40}, {3e38, 41}});
    Load();
    FireAllRound("huge coordinates");
}

TEST_F(HostileLevel, ExtremeRopeAndFieldSettingsKeepStepping) {
    SceneBuilder(built_).AddOutline("room").AddPolyline(
        {{-200, -200}, {200, -200}, {200, 200}, {-200, 200}}, true);
    Load();
    const float big = std::numeric_limits<float>::max();
    struct Rope {
        float minLength, maxLength, reelIn, reelOut, power;
    };
    const Rope ropes[] = {
        {350.0f, 15.0f, 10.25f, 10.25f, 10.0f},   // min_length above max_length
        {15.0f, 350.0f, 10.25f, 10.25f, -10.0f},  // negative shoot_power
        {0.0f, 0.0f, 0.0f, 0.0f, 0.0f},           // all zero
        {-50.0f, -10.0f, -5.0f, -5.0f, 10.0f},    // negative lengths and speeds
        {15.0f, big, big, big, big},              // huge
    };
    for (const Rope& r : ropes) {
        rope_.SetParameters(r.minLength, r.maxLength, r.reelIn, r.reelOut, r.power);
        PhysicsParameters parameters;
        parameters.bhRadius = -100.0f;
        parameters.magnetRadius = 0.0f;
        parameters.ropePush = r.power;
        world_.SetParameters(parameters);
        world_.ClearFieldObjects();
        world_.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
        world_.AddFieldObject("BHOLE", 50.0f, 50.0f, 0, -2.0f, -100.0f, FieldRadial);
        world_.AddFieldObject("MAGNET", -50.0f, 50.0f, 1, -2.0f, 0.0f, FieldRadial);
        for (int shot = 0; shot < 4; ++shot) {
            ball_.position.Set(0.0, 0.0);
            ball_.velocity.Set(0.0, 0.0);
            rope_.Reset();
            rope_.Shoot(ball_.position, shot * kPi / 2.0);
            for (int step = 0; step < kSteps; ++step) {
                rope_.Reel(step % 3 - 1, 0.01);
                world_.Step();
                world_.ClearEvents();
            }
        }
        // Huge settings may send the ball far away, but never to NaN.
        EXPECT_FALSE(std::isnan(ball_.position.x) || std::isnan(ball_.position.y))
            << r.minLength << " " << r.maxLength << " " << r.power;
    }
}

}  // namespace
