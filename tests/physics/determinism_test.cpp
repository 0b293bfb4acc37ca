// The same level and the same operations give the same digits every time.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/event_list.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "support/scene_builder.h"
#include "support/temp_dir.h"

namespace {

// Passes the built level through the scene writer and Scene::Load, as a
// level file would.
void LoadThroughFile(const Scene& built, Scene& scene) {
    const TempDir dir;
    ASSERT_EQ(WriteAndLoadScene(built, dir.File("level.dme"), scene), LoadOk);
}

struct Sample {
    Vector2 ball;
    Vector2 ballVelocity;
    Vector2 hook;
    double freeLength;
    size_t wrapCount;
    GameEvent lastEvent;
    size_t eventCount;
};

void BuildLevel(Scene& scene) {
    SceneBuilder(scene)
        .AddOutline("room")
        .AddPolyline({{-400, -300}, {400, -300}, {400, 250}, {-400, 250}}, true)
        .AddOutline("pillar")
        .AddPolyline({{60, 120}, {90, 120}, {90, -80}, {60, -80}}, true)
        .AddOutline("DEATH_pit")
        .AddPolyline({{-200, -290}, {-100, -290}});
}

// A scripted attempt: fire, swing, reel, release and fire again, with a
// magnet near the pillar.
std::vector<Sample> Play() {
    Scene built;
    BuildLevel(built);
    Scene scene;
    LoadThroughFile(built, scene);
    TPlayer ball;
    TRope rope;
    PhysicsWorld world;
    ball.rope = &rope;
    ball.mass = 2.0f;
    rope.mass = 1.0f;
    world.SetPlayer(&ball);
    const EventList& events = world.Events();
    world.SetScene(scene.Outlines());
    world.SetParameters(PhysicsParameters{});
    world.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
    world.AddFieldObject("MAGNET1", 150.0f, 0.0f, 1, -2.0f, 100.0f, FieldRadial);
    ball.position.Set(-50.0, 0.0);
    ball.velocity.Set(0.0, 0.0);
    rope.Reset();
    world.SettleRope();

    std::vector<Sample> samples;
    for (int frame = 0; frame < 600; ++frame) {
        if (frame % 150 == 20)
            rope.Shoot(ball.position, HeadingAngle(ball.position, {200.0, 240.0}));
        if (frame % 150 == 140)
            rope.Reset();
        if (frame % 40 < 15)
            ball.swingDirection = (frame / 40) % 2 == 0 ? 1 : -1;
        if (frame % 100 > 60)
            rope.Reel(frame % 200 > 100 ? -1 : 1, 1.0 / 60.0);
        for (int i = 0; i < 5; ++i) {
            world.Step();
            GameEvent last;
            if (!events.Empty())
                last = events[events.Size() - 1];
            samples.push_back({ball.position, ball.velocity, rope.position, rope.freeLength,
                               rope.wrapPoints.size(), last, events.Size()});
        }
    }
    return samples;
}

TEST(Determinism, SameLevelAndOperationsGiveBitIdenticalRuns) {
    const std::vector<Sample> first = Play();
    const std::vector<Sample> second = Play();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        const Sample& a = first[i];
        const Sample& b = second[i];
        ASSERT_EQ(std::memcmp(&a.ball, &b.ball, sizeof a.ball), 0) << i;
        ASSERT_EQ(std::memcmp(&a.ballVelocity, &b.ballVelocity, sizeof a.ball), 0) << i;
        ASSERT_EQ(std::memcmp(&a.hook, &b.hook, sizeof a.hook), 0) << i;
        ASSERT_EQ(std::memcmp(&a.freeLength, &b.freeLength, sizeof a.freeLength), 0) << i;
        ASSERT_EQ(a.wrapCount, b.wrapCount) << i;
        ASSERT_EQ(a.eventCount, b.eventCount) << i;
        ASSERT_EQ(a.lastEvent.type, b.lastEvent.type) << i;
    }
    // The script exercised the interesting states.
    size_t mostWraps = 0;
    for (const Sample& s : first)
        mostWraps = std::max(mostWraps, s.wrapCount);
    EXPECT_GT(first.back().eventCount, 0u);
    EXPECT_GE(mostWraps, 1u);
}

}  // namespace
