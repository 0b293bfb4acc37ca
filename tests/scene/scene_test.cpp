// The in-memory scene: name hashes, the transparent list, texture scrolling,
// clearing, and the primitive type codes.

#include <gtest/gtest.h>

#include "scene/scene.h"
#include "support/scene_builder.h"

namespace {

TEST(NameHash, SumsSignedBytesShiftedByPosition) {
    EXPECT_EQ(NameHash("abc"), 6644580u);
    EXPECT_EQ(NameHash(""), 0u);
    EXPECT_EQ(NameHash("\xFF"), 0u);  // 1 + (-1)
    // The fifth byte wraps back to shift 0; the fourth reaches the top byte.
    EXPECT_EQ(NameHash("abcde"), 5u + 97u + (99u << 8) + (101u << 16) + (103u << 24) + 105u);
    // Bytes above 0x7F count as negative, and the sum wraps modulo 2^32.
    EXPECT_EQ(NameHash("\x80\x80"), static_cast<uint32_t>(2 - 128 - 127 * 256));
    EXPECT_EQ(NameHash("\xF0\xF0\xF0\xF0"),
              static_cast<uint32_t>(
                  4u + static_cast<uint32_t>(-16) + (static_cast<uint32_t>(-15) << 8) +
                  (static_cast<uint32_t>(-14) << 16) + (static_cast<uint32_t>(-13) << 24)));
}

void AddMesh(Scene& scene, const std::string& name, uint8_t material, float zLow, float zHigh) {
    Mesh mesh = MakeMesh(name, material, 1, 1);
    mesh.boundingBox.a.z = zLow;
    mesh.boundingBox.b.z = zHigh;
    scene.meshes.push_back(std::move(mesh));
}

TEST(TransparentList, OpacityMapsDecideAndEqualKeysKeepFileOrder) {
    Scene scene;
    scene.materials.push_back(MakeMaterial("opacity", 0x08));
    scene.materials.push_back(MakeMaterial("base+opacity", 0x09));
    scene.materials.push_back(MakeMaterial("base+reflection", 0x21));
    scene.materials.push_back(MakeMaterial("plain", 0x00));
    scene.materials.push_back(MakeMaterial("undrawn-flags", 0x3E));  // has slot 3 too

    AddMesh(scene, "far", 0, 10, 30);         // key 20
    AddMesh(scene, "opaque", 2, -100, -100);  // not in the list
    AddMesh(scene, "tie-first", 1, 0, 10);    // key 5
    AddMesh(scene, "near", 0, -50, 0);        // key -25
    AddMesh(scene, "tie-second", 0, 5, 5);    // key 5
    AddMesh(scene, "plain", 3, 0, 0);
    AddMesh(scene, "odd", 4, 40, 60);       // key 50
    AddMesh(scene, "tie-third", 1, 10, 0);  // key 5, corners swapped
    scene.BuildTransparentList();

    const uint32_t order[] = {3, 2, 4, 7, 0, 6};
    ASSERT_EQ(scene.transparentList.size(), std::size(order));
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(scene.transparentList[i].meshIndex, order[i]) << i;
    EXPECT_EQ(scene.transparentList[0].key, -25.0f);
    EXPECT_EQ(scene.transparentList[1].key, 5.0f);
    const uint8_t flags[] = {1, 0, 1, 1, 1, 0, 1, 1};
    for (size_t i = 0; i < scene.meshes.size(); ++i)
        EXPECT_EQ(scene.meshes[i].transparent, flags[i]) << scene.meshes[i].name;

    // Building again gives the same list, not a longer one.
    scene.BuildTransparentList();
    EXPECT_EQ(scene.transparentList.size(), std::size(order));
}

TEST(TransparentList, AMeshWithoutAKnownMaterialIsOpaque) {
    Scene scene;
    AddMesh(scene, "stray", 7, 0, 0);
    scene.BuildTransparentList();
    EXPECT_TRUE(scene.transparentList.empty());
    EXPECT_EQ(scene.meshes[0].transparent, 0);
}

TEST(Scrolling, OffsetsGrowBySpeedTimesFrameTime) {
    Scene scene;
    Material x = MakeMaterial("MOVX--2.0");
    x.scrollAxis = 'X';
    x.scrollSpeed = 2.0f;
    Material y = MakeMaterial("MOVY---0.5");
    y.scrollAxis = 'Y';
    y.scrollSpeed = -0.5f;
    Material still = MakeMaterial("MOVZ--2.0");
    still.scrollSpeed = 2.0f;  // no axis: never moves
    scene.materials = {x, y, still};

    scene.AdvanceScrolling(0.5);
    EXPECT_EQ(scene.materials[0].scrollOffset, 1.0f);
    EXPECT_EQ(scene.materials[1].scrollOffset, -0.25f);
    EXPECT_EQ(scene.materials[2].scrollOffset, 0.0f);
    for (int frame = 0; frame < 100; ++frame)
        scene.AdvanceScrolling(0.25);
    EXPECT_EQ(scene.materials[0].scrollOffset, 51.0f);  // grows without wrapping
    EXPECT_EQ(scene.materials[1].scrollOffset, -12.75f);
}

TEST(SceneClear, EmptiesEveryListAndKeepsTheFlags) {
    Scene scene;
    scene.SetUseBufferObjects(true);
    scene.loaded = true;
    scene.path = "Levels/a.dme";
    scene.pathHash = NameHash(scene.path);
    scene.materials.push_back(MakeMaterial("glass", 0x08));
    scene.lights.push_back(MakeDirectionalLight("sun", {0, 1, 0}));
    scene.primitives.push_back(MakePrimitive("START", std::make_unique<Point>(Vector{0, 0, 0})));
    scene.shapes.push_back(MakeShape("wall", {MakePolyline(true, {{0, 0, 0}})}));
    AddMesh(scene, "pane", 0, 0, 1);
    scene.BuildTransparentList();

    scene.Clear();
    EXPECT_TRUE(scene.materials.empty());
    EXPECT_TRUE(scene.lights.empty());
    EXPECT_TRUE(scene.primitives.empty());
    EXPECT_TRUE(scene.shapes.empty());
    EXPECT_TRUE(scene.meshes.empty());
    EXPECT_TRUE(scene.transparentList.empty());
    EXPECT_TRUE(scene.path.empty());
    EXPECT_EQ(scene.pathHash, 0u);
    EXPECT_TRUE(scene.loaded);  // the owner's flag, untouched
    EXPECT_TRUE(scene.useBufferObjects);
    scene.Clear();  // clearing twice is harmless
    EXPECT_TRUE(scene.meshes.empty());
}

TEST(Primitives, TypeCodesSkipFive) {
    const Box box({0, 0, 0}, {1, 1, 1});
    const Circle circle({0, 0}, 1);
    const Cube cube({0, 0, 0}, 1);
    const Cylinder cylinder({0, 0, 0}, 1, 1);
    const Point point({0, 0, 0});
    const Sphere sphere({0, 0, 0}, 1);
    const DHelper* all[] = {&box, &circle, &cube, &cylinder, &point, &sphere};
    const int codes[] = {0, 1, 2, 3, 4, 6};
    for (size_t i = 0; i < std::size(all); ++i)
        EXPECT_EQ(all[i]->TypeCode(), codes[i]);
}

}  // namespace
