#include "render/light_order.h"

#include <gtest/gtest.h>

#include "scene/scene.h"
#include "support/scene_builder.h"

namespace {

TEST(LightOrder, DirectionalFirstThenNearestOmniEqualDistancesInSceneOrderBlackSkipped) {
    Scene scene;
    scene.lights.push_back(MakeOmniLight("far", Vector{300, 0, 0}, 0, 1000));
    scene.lights.push_back(MakeOmniLight("near", Vector{0, 30, 40}, 0, 1000));  // 50 away
    scene.lights.push_back(MakeDirectionalLight("sun", Vector{0, 1, 0}));
    Light black = MakeOmniLight("black", Vector{0, 0, 0}, 0, 1000);
    black.colour[0] = black.colour[1] = black.colour[2] = 0.0f;
    scene.lights.push_back(black);
    scene.lights.push_back(MakeOmniLight("near too", Vector{0, -30, -40}, 0, 1000));
    scene.lights.push_back(MakeDirectionalLight("moon", Vector{0, -1, 0}));

    std::vector<LightOrderEntry> order;
    order.push_back({nullptr, 0.0f});  // rebuilt, not appended to
    SortLights(scene, Vector2{0.0, 0.0}, order);
    ASSERT_EQ(order.size(), 5u);
    EXPECT_EQ(order[0].light->name, "sun");
    EXPECT_EQ(order[1].light->name, "moon");
    EXPECT_EQ(order[2].light->name, "near");
    EXPECT_EQ(order[3].light->name, "near too");
    EXPECT_EQ(order[4].light->name, "far");
    EXPECT_FLOAT_EQ(order[2].distance, 50.0f);
    EXPECT_FLOAT_EQ(order[4].distance, 300.0f);

    // The ball's plane point (x, y) is the world point (x, 0, y). An omni
    // light at distance 0 ties with the directional ones and keeps its place.
    SortLights(scene, Vector2{300.0, 0.0}, order);
    EXPECT_EQ(order[0].light->name, "far");
    EXPECT_FLOAT_EQ(order[0].distance, 0.0f);
    EXPECT_EQ(order[1].light->name, "sun");
}

}  // namespace
