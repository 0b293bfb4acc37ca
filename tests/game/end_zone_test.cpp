// End zones of the level's trigger lists, built from scene primitives.

#include <gtest/gtest.h>

#include "game/level_triggers.h"
#include "physics/player.h"
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

TEST(EndZones, CylinderNeedsTheWholeBallInsideItsCircle) {
    Scene built;
    SceneBuilder(built).AddCylinder("END2", {100.0f, 50.0f, 0.0f}, 10.0f, 30.0f);
    Scene scene;
    LoadThroughFile(built, scene);
    LevelTriggers triggers;
    triggers.AddEndZone(scene.primitives[0], 2);
    ASSERT_EQ(triggers.endZones.size(), 1u);
    EXPECT_EQ(triggers.endZones[0].kind, TypeCylinder);

    TPlayer ball;
    ball.position.Set(125.0, 0.0);  // 25 from the axis: touching the rim
    EXPECT_FALSE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, -1);
    ball.position.Set(100.0, -24.0);  // 24 from the axis: 24 + 5 < 30
    EXPECT_TRUE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, 2);
}

TEST(EndZones, BoxOverlapsTheFootprintWhicheverCornerComesFirst) {
    Scene built;
    SceneBuilder(built)
        .AddBox("END7", {0.0f, -10.0f, 0.0f}, {40.0f, 10.0f, 20.0f})
        .AddBox("END8", {240.0f, 10.0f, 20.0f}, {200.0f, -10.0f, 0.0f});
    Scene scene;
    LoadThroughFile(built, scene);
    LevelTriggers triggers;
    triggers.AddEndZone(scene.primitives[0], 7);
    triggers.AddEndZone(scene.primitives[1], 8);

    TPlayer ball;
    ball.position.Set(-5.0, 10.0);  // the ball's circle touches the left side
    EXPECT_TRUE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, 7);
    ball.position.Set(-5.5, 10.0);
    EXPECT_FALSE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, 7);

    // A box written with its maximum corner first still ends the level.
    ball.position.Set(220.0, 24.0);
    EXPECT_TRUE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, 8);
}

TEST(EndZones, OnlyBoxesAndCylindersAndTheFirstReachedCounts) {
    Scene built;
    SceneBuilder(built)
        .AddSphere("END1", {0.0f, 0.0f, 0.0f}, 50.0f)
        .AddPoint("END3", {0.0f, 0.0f, 0.0f})
        .AddCylinder("END4", {0.0f, 0.0f, 0.0f}, 1.0f, 40.0f)
        .AddCylinder("END5", {0.0f, 0.0f, 0.0f}, 1.0f, 60.0f);
    Scene scene;
    LoadThroughFile(built, scene);
    LevelTriggers triggers;
    for (int i = 0; i < 4; ++i)
        triggers.AddEndZone(scene.primitives[i], i + 1);
    ASSERT_EQ(triggers.endZones.size(), 2u);

    TPlayer ball;
    ball.position.Set(0.0, 0.0);
    EXPECT_TRUE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, 3);  // END4, added as id 3

    // The entry number survives unloading this level and loading the next,
    // and leads to the matching start point there.
    scene.Clear();
    triggers.OnSceneUnloaded();
    EXPECT_EQ(triggers.entryNumber, 3);
    Scene next;
    SceneBuilder(next).AddPoint("START", {1.0f, 0.0f, 1.0f}).AddPoint("START3", {3.0f, 0.0f, 3.0f});
    LoadThroughFile(next, scene);
    triggers.OnSceneLoaded();
    EXPECT_EQ(triggers.entryNumber, 3);
    EXPECT_TRUE(triggers.endZones.empty());
    EXPECT_TRUE(triggers.startPoints.empty());
    triggers.AddStartPoint(1.0f, 0.0f, 1.0f, -1);
    triggers.AddStartPoint(3.0f, 0.0f, 3.0f, 3);
    EXPECT_EQ(triggers.GetStartPosition().x, 3.0);
}

}  // namespace
