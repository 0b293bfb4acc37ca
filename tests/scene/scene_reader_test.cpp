// Scene::Load on damaged, hostile and unusual files.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/scene.h"
#include "scene/scene_file.h"
#include "support/scene_builder.h"
#include "support/temp_dir.h"

namespace {

class SceneReader : public ::testing::Test {
protected:
    int LoadBytes(const std::vector<uint8_t>& bytes) {
        dir_.Write("scene.dme", std::string(bytes.begin(), bytes.end()));
        return scene_.Load(dir_.File("scene.dme"));
    }
    int LoadScene(const Scene& source) { return LoadBytes(EncodeSceneOrFail(source)); }

    static std::vector<uint8_t> Header(uint8_t materials, uint8_t lights, uint32_t primitives,
                                       uint32_t shapes, uint32_t meshes) {
        std::vector<uint8_t> bytes = {'D', 'M', 'E', 'd', materials, lights};
        for (const uint32_t count : {primitives, shapes, meshes}) {
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<uint8_t>(count >> shift));
        }
        return bytes;
    }

    TempDir dir_;
    Scene scene_;
};

TEST_F(SceneReader, HeaderChecksMagicBeforeVersion) {
    EXPECT_EQ(LoadBytes({'D', 'M', 'X', 'd'}), LoadBadMagic);
    EXPECT_EQ(LoadBytes({'D', 'M', 'X', 'D'}), LoadBadMagic);
    EXPECT_EQ(LoadBytes({'d', 'm', 'e', 'd'}), LoadBadMagic);
    std::vector<uint8_t> capital = Header(0, 0, 0, 0, 0);
    capital[3] = 'D';
    EXPECT_EQ(LoadBytes(capital), LoadBadVersion);
    EXPECT_FALSE(scene_.loaded);
    EXPECT_EQ(LoadBytes({}), LoadTruncated);
    EXPECT_EQ(LoadBytes({'D', 'M', 'E', 'd', 0}), LoadTruncated);
}

TEST_F(SceneReader, AnEmptySceneLoads) {
    ASSERT_EQ(LoadBytes(Header(0, 0, 0, 0, 0)), LoadOk);
    EXPECT_TRUE(scene_.loaded);
    EXPECT_TRUE(scene_.materials.empty() && scene_.lights.empty() && scene_.primitives.empty() &&
                scene_.shapes.empty() && scene_.meshes.empty());
}

TEST_F(SceneReader, FilesThatCannotBeOpened) {
    EXPECT_EQ(scene_.Load(dir_.File("absent.dme")), LoadCannotOpen);
    EXPECT_EQ(scene_.path, dir_.File("absent.dme"));
    EXPECT_EQ(scene_.Load(dir_.Path()), LoadCannotOpen);  // a folder
    EXPECT_FALSE(scene_.loaded);
}

TEST_F(SceneReader, ScrollingFollowsTheMaterialName) {
    struct Case {
        const char* name;
        uint8_t axis;
        float speed;
    };
    const Case cases[] = {
        {"MOV", 0, 0.0f},
        {"MOVX", 'X', 1.0f},
        {"MOVY--2.5", 'Y', 2.5f},
        {"MOVY-10.25", 'Y', 0.25f},
        {"MOVZ--1.0", 0, 0.0f},
        {"MOVIE", 0, 0.0f},
        {"MOVX--0.5", 'X', 0.5f},
        {"MOVY  -1.5", 'Y', -1.5f},
        {"MOVX-", 'X', 1.0f},
        {"MOVX--", 'X', 1.0f},
        {"MOVX--3e1", 'X', 30.0f},
        {"MOVX--2.5abc", 'X', 2.5f},
        {"movx--2.0", 0, 0.0f},
        {"Water", 0, 0.0f},
        // Text from index 6 that is no finite number: the default speed.
        {"MOVX--abc", 'X', 1.0f},
        {"MOVY--nan", 'Y', 1.0f},
        {"MOVY--inf", 'Y', 1.0f},
        {"MOVX--1e99", 'X', 1.0f},
    };
    Scene source;
    for (const Case& c : cases)
        source.materials.push_back(MakeMaterial(c.name));
    ASSERT_EQ(LoadScene(source), LoadOk);
    ASSERT_EQ(scene_.materials.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Material& m = scene_.materials[i];
        EXPECT_EQ(m.scrollAxis, cases[i].axis) << cases[i].name;
        EXPECT_EQ(m.Scrolls(), cases[i].axis != 0) << cases[i].name;
        if (cases[i].axis != 0) {
            EXPECT_FLOAT_EQ(m.scrollSpeed, cases[i].speed) << cases[i].name;
        }
        EXPECT_EQ(m.scrollOffset, 0.0f);
    }
}

TEST_F(SceneReader, MapFlagsAnnounceMapsInSlotOrder) {
    Scene source;
    source.materials.push_back(MakeMaterial("all", 0xFF));
    source.materials.push_back(MakeMaterial("none", 0xC0));
    source.materials.push_back(MakeMaterial("odd", 0x2A));  // slots 1, 3, 5
    ASSERT_EQ(LoadScene(source), LoadOk);

    const Material& all = scene_.materials[0];
    ASSERT_EQ(all.maps.size(), 6u);
    for (int slot = 0; slot < kMapSlotCount; ++slot) {
        EXPECT_EQ(all.mapSlot[slot], slot);
        EXPECT_EQ(all.maps[slot].name, "all_" + std::to_string(slot) + ".png");
        EXPECT_EQ(all.maps[slot].nameHash, NameHash(all.maps[slot].name));
        EXPECT_EQ(all.maps[slot].texture, 0u);
    }
    EXPECT_TRUE(scene_.materials[1].maps.empty());
    const uint8_t oddSlots[kMapSlotCount] = {kNoMap, 0, kNoMap, 1, kNoMap, 2};
    for (int slot = 0; slot < kMapSlotCount; ++slot)
        EXPECT_EQ(scene_.materials[2].mapSlot[slot], oddSlots[slot]);
    EXPECT_EQ(scene_.materials[2].SlotMap(3)->name, "odd_3.png");
    EXPECT_EQ(scene_.materials[2].SlotMap(0), nullptr);
}

TEST_F(SceneReader, NamesEndAtTheirFirstNul) {
    Scene source;
    source.materials.push_back(MakeMaterial(std::string("AB\0C", 4)));
    source.lights.push_back(MakeDirectionalLight(std::string("\0tail", 5), {0, 1, 0}));
    source.primitives.push_back(MakePrimitive("", std::make_unique<Point>(Vector{0, 0, 0})));
    ASSERT_EQ(LoadScene(source), LoadOk);
    EXPECT_EQ(scene_.materials[0].name, "AB");
    EXPECT_EQ(scene_.materials[0].nameHash, NameHash("AB"));
    EXPECT_EQ(scene_.lights[0].name, "");
    EXPECT_EQ(scene_.lights[0].nameHash, 0u);
    EXPECT_EQ(scene_.primitives[0].name, "");
}

TEST_F(SceneReader, LightValuesAreScaledFromTheirBytes) {
    Scene source;
    Light light = MakeOmniLight("o", {1, 2, 3}, 5, 6);
    light.colour[0] = 255 * 0.003921569f;
    light.colour[1] = 1 * 0.003921569f;
    light.colour[2] = 0;
    light.intensity = 255 * 0.01f;
    source.lights.push_back(light);
    ASSERT_EQ(LoadScene(source), LoadOk);
    EXPECT_NEAR(scene_.lights[0].colour[0], 1.0f, 1e-6f);
    EXPECT_NEAR(scene_.lights[0].colour[1], 1.0f / 255, 1e-7f);
    EXPECT_EQ(scene_.lights[0].colour[2], 0.0f);
    EXPECT_NEAR(scene_.lights[0].intensity, 2.55f, 1e-6f);
}

TEST_F(SceneReader, CubeEdgeBecomesHalfSize) {
    Scene source;
    source.primitives.push_back(MakePrimitive("CP", std::make_unique<Cube>(Vector{1, 2, 3}, 2.0f)));
    const std::vector<uint8_t> bytes = EncodeSceneOrFail(source);
    // The stored value is the edge: 4.0f after the letter, name and centre.
    const size_t edgeAt = 18 + 1 + 3 + 12;
    ASSERT_EQ(bytes.size(), edgeAt + 4);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + edgeAt, bytes.end()),
              (std::vector<uint8_t>{0x00, 0x00, 0x80, 0x40}));
    ASSERT_EQ(LoadBytes(bytes), LoadOk);
    const auto* cube = dynamic_cast<const Cube*>(scene_.primitives[0].object.get());
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(cube->halfSize, 2.0f);
    EXPECT_EQ(scene_.primitives[0].typeCode, TypeCube);
}

TEST_F(SceneReader, AnUnknownPrimitiveLetterStopsLoading) {
    Scene source;
    source.primitives.push_back(MakePrimitive("P1", std::make_unique<Point>(Vector{1, 1, 1})));
    source.primitives.push_back(MakePrimitive("P2", std::make_unique<Point>(Vector{2, 2, 2})));
    std::vector<uint8_t> bytes = EncodeSceneOrFail(source);
    const size_t secondLetter = 18 + 1 + 3 + 12;
    ASSERT_EQ(bytes[secondLetter], 'P');
    for (const uint8_t letter : {uint8_t{'Q'}, uint8_t{'b'}, uint8_t{0}, uint8_t{'E'}}) {
        bytes[secondLetter] = letter;
        Scene scene;
        dir_.Write("bad.dme", std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(scene.Load(dir_.File("bad.dme")), LoadBadPrimitive) << int{letter};
        ASSERT_EQ(scene.primitives.size(), 1u);
        EXPECT_EQ(scene.primitives[0].name, "P1");
    }
}

TEST_F(SceneReader, CountLimitsAcceptTheLimitAndRejectAbove) {
    Scene source;
    source.materials.push_back(MakeMaterial("m"));
    source.lights.push_back(MakeDirectionalLight("l", {0, 0, 1}));
    source.primitives.push_back(MakePrimitive("p", std::make_unique<Point>(Vector{0, 0, 0})));
    source.shapes.push_back(MakeShape("before", {MakePolyline(true, {{0, 0, 0}})}));
    source.shapes.push_back(MakeShape(
        "huge", {MakePolyline(false, std::vector<Vector>(kSceneMaxCount, Vector{1, 0, 1}))}));
    ASSERT_EQ(LoadScene(source), LoadOk);
    EXPECT_EQ(scene_.shapes[1].polylines[0].pointCount, kSceneMaxCount);

    source.shapes[1].polylines[0].points.push_back({2, 0, 2});
    Scene tooLarge;
    dir_.Write("big.dme", "");
    WriteSceneOrFail(source, dir_.File("big.dme"));
    EXPECT_EQ(tooLarge.Load(dir_.File("big.dme")), LoadTooLarge);
    EXPECT_EQ(tooLarge.materials.size(), 1u);
    EXPECT_EQ(tooLarge.lights.size(), 1u);
    EXPECT_EQ(tooLarge.primitives.size(), 1u);
    ASSERT_EQ(tooLarge.shapes.size(), 1u);
    EXPECT_EQ(tooLarge.shapes[0].name, "before");
    EXPECT_FALSE(tooLarge.loaded);
}

TEST_F(SceneReader, HostileCountsFailBeforeAllocating) {
    // Four billion meshes announced, none present.
    EXPECT_EQ(LoadBytes(Header(0, 0, 0, 0, 0xFFFFFFFFu)), LoadTruncated);
    EXPECT_EQ(LoadBytes(Header(255, 255, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu)), LoadTruncated);

    // A shape announcing a million polylines, a polyline a million points and
    // a mesh a million vertices, each in a short file.
    std::vector<uint8_t> shape = Header(0, 0, 0, 1, 0);
    shape.insert(shape.end(), 1 + 24, 0);
    shape.insert(shape.end(), {0x00, 0x00, 0x10, 0x00});  // 1048576 polylines
    EXPECT_EQ(LoadBytes(shape), LoadTruncated);
    EXPECT_TRUE(scene_.shapes.empty());

    Scene source;
    source.materials.push_back(MakeMaterial("m"));
    source.meshes.push_back(MakeMesh("big", 0, 1));
    std::vector<uint8_t> mesh = EncodeSceneOrFail(source);
    const size_t countAt = mesh.size() - 1 - 2 * 36 - 4;
    ASSERT_EQ(mesh[countAt], 3);
    const uint32_t counts[] = {1048575, 1048577, 0xFFFFFFFFu, 4};
    const int results[] = {LoadTruncated, LoadTooLarge, LoadTooLarge, LoadBadVertexCount};
    for (size_t i = 0; i < std::size(counts); ++i) {
        for (int b = 0; b < 4; ++b)
            mesh[countAt + b] = static_cast<uint8_t>(counts[i] >> (8 * b));
        Scene scene;
        dir_.Write("mesh.dme", std::string(mesh.begin(), mesh.end()));
        EXPECT_EQ(scene.Load(dir_.File("mesh.dme")), results[i]) << counts[i];
        EXPECT_TRUE(scene.meshes.empty());
    }
}

TEST_F(SceneReader, MeshesMustNameAMaterialTheSceneHas) {
    Scene source;
    source.materials.push_back(MakeMaterial("only"));
    source.meshes.push_back(MakeMesh("good", 0, 1));
    source.meshes.push_back(MakeMesh("bad", 1, 1));
    EXPECT_EQ(LoadScene(source), LoadBadMaterialIndex);
    ASSERT_EQ(scene_.meshes.size(), 1u);
    EXPECT_EQ(scene_.meshes[0].name, "good");

    Scene noMaterials;
    noMaterials.meshes.push_back(MakeMesh("orphan", 0, 1));
    Scene scene;
    WriteSceneOrFail(noMaterials, dir_.File("orphan.dme"));
    EXPECT_EQ(scene.Load(dir_.File("orphan.dme")), LoadBadMaterialIndex);
}

TEST_F(SceneReader, MapsDrawnWithCoordinatesMustNameAChannelTheMeshHas) {
    struct Case {
        uint8_t flags;
        std::vector<uint8_t> mapChannels;  // in ascending slot order
        uint8_t meshChannels;
        int result;
    };
    const Case cases[] = {
        // Values drawn textured: 1 reads slot 0, 5 slots 0 and 2, 8 slot 3, 9 slots 3 and 0.
        {0x01, {0}, 0, LoadBadUvChannel},  // base map, mesh without coordinates
        {0x01, {0}, 1, LoadOk},
        {0x05, {0, 1}, 1, LoadBadUvChannel},  // the overlay's channel is missing
        {0x05, {1, 0}, 1, LoadBadUvChannel},  // the base's channel is missing
        {0x05, {0, 1}, 2, LoadOk},
        {0x08, {1}, 2, LoadOk},
        {0x08, {2}, 2, LoadBadUvChannel},
        {0x09, {0, 1}, 1, LoadBadUvChannel},  // the opacity map's channel is missing
        {0x09, {1, 0}, 1, LoadBadUvChannel},  // the base's channel is missing
        {0x09, {0, 0}, 1, LoadOk},
        // Values drawn untextured never read a channel.
        {0x03, {0, 0}, 0, LoadOk},
        {0x04, {1}, 1, LoadOk},  // an overlay without a base
        {0x0A, {5, 5}, 0, LoadOk},
        {0x0D, {3, 3, 3}, 0, LoadOk},
        {0x20, {0}, 0, LoadOk},     // a reflection map is sphere-mapped
        {0x12, {7, 7}, 0, LoadOk},  // slots 1 and 4 are never drawn
    };
    for (const Case& c : cases) {
        Scene source;
        source.materials.push_back(MakeMaterial("m", c.flags));
        ASSERT_EQ(source.materials[0].maps.size(), c.mapChannels.size());
        for (size_t i = 0; i < c.mapChannels.size(); ++i)
            source.materials[0].maps[i].uvChannel = c.mapChannels[i];
        source.meshes.push_back(MakeMesh("mesh", 0, 1, c.meshChannels));
        Scene scene;
        WriteSceneOrFail(source, dir_.File("uv.dme"));
        EXPECT_EQ(scene.Load(dir_.File("uv.dme")), c.result)
            << "flags " << int{c.flags} << " mesh channels " << int{c.meshChannels};
    }
}

TEST_F(SceneReader, NonFiniteNumbersAreRefusedWhereTheyAreUsed) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    {
        Scene source;
        source.primitives.push_back(
            MakePrimitive("s", std::make_unique<Sphere>(Vector{0, 0, 0}, nan)));
        EXPECT_EQ(LoadScene(source), LoadBadNumber);
    }
    {
        Scene source;
        source.shapes.push_back(MakeShape("w", {MakePolyline(true, {{0, 0, 0}, {inf, 0, 0}})}));
        Scene scene;
        WriteSceneOrFail(source, dir_.File("w.dme"));
        EXPECT_EQ(scene.Load(dir_.File("w.dme")), LoadBadNumber);
        EXPECT_TRUE(scene.shapes.empty());
    }
    {
        Scene source;
        source.materials.push_back(MakeMaterial("m"));
        source.meshes.push_back(MakeMesh("m", 0, 1, 1));
        source.meshes[0].positions[4] = nan;
        Scene scene;
        WriteSceneOrFail(source, dir_.File("p.dme"));
        EXPECT_EQ(scene.Load(dir_.File("p.dme")), LoadBadNumber);
    }
    {
        // Normals and texture coordinates only shade and texture: drawn as 0.
        Scene source;
        source.materials.push_back(MakeMaterial("m", 0x01));
        source.meshes.push_back(MakeMesh("m", 0, 1, 1));
        source.meshes[0].normals[1] = nan;
        source.meshes[0].normals[4] = inf;
        source.meshes[0].uvChannels[0].coordinates[3] = -inf;
        Scene scene;
        WriteSceneOrFail(source, dir_.File("m.dme"));
        ASSERT_EQ(scene.Load(dir_.File("m.dme")), LoadOk);
        Mesh& expected = source.meshes[0];
        expected.normals[1] = expected.normals[4] = expected.uvChannels[0].coordinates[3] = 0.0f;
        EXPECT_EQ(scene.meshes[0].normals, expected.normals);
        EXPECT_EQ(scene.meshes[0].uvChannels[0].coordinates, expected.uvChannels[0].coordinates);
    }
    {
        Scene source;
        source.lights.push_back(MakeOmniLight("o", {0, 0, 0}, 1, nan));
        Scene scene;
        WriteSceneOrFail(source, dir_.File("o.dme"));
        EXPECT_EQ(scene.Load(dir_.File("o.dme")), LoadBadNumber);
    }
    {
        // Values the scene keeps without using are kept as they are.
        Scene source;
        source.shapes.push_back(MakeShape("w", {}));
        source.shapes[0].firstVector = {nan, inf, 0};
        Light light = MakeOmniLight("o", {0, 0, 0}, 1, 2);
        light.fileFloat = nan;
        source.lights.push_back(light);
        Scene scene;
        WriteSceneOrFail(source, dir_.File("kept.dme"));
        EXPECT_EQ(scene.Load(dir_.File("kept.dme")), LoadOk);
        EXPECT_TRUE(std::isnan(scene.shapes[0].firstVector.x));
        EXPECT_TRUE(std::isnan(scene.lights[0].fileFloat));
    }
}

TEST_F(SceneReader, LoadAppendsUntilTheSceneIsCleared) {
    Scene first;
    first.materials.push_back(MakeMaterial("glass", 0x09));
    first.meshes.push_back(MakeMesh("pane", 0, 1, 1));
    WriteSceneOrFail(first, dir_.File("first.dme"));
    Scene second;
    second.materials.push_back(MakeMaterial("stone"));
    second.meshes.push_back(MakeMesh("rock", 0, 1));
    WriteSceneOrFail(second, dir_.File("second.dme"));

    ASSERT_EQ(scene_.Load(dir_.File("first.dme")), LoadOk);
    ASSERT_EQ(scene_.Load(dir_.File("first.dme")), LoadOk);
    EXPECT_EQ(scene_.meshes.size(), 2u);
    EXPECT_EQ(scene_.transparentList.size(), 2u);  // rebuilt, not appended twice over

    scene_.Clear();
    EXPECT_TRUE(scene_.path.empty());
    EXPECT_EQ(scene_.pathHash, 0u);
    EXPECT_TRUE(scene_.materials.empty() && scene_.lights.empty() && scene_.primitives.empty() &&
                scene_.shapes.empty() && scene_.meshes.empty() && scene_.transparentList.empty());

    ASSERT_EQ(scene_.Load(dir_.File("second.dme")), LoadOk);
    ASSERT_EQ(scene_.materials.size(), 1u);
    EXPECT_EQ(scene_.materials[0].name, "stone");
    ASSERT_EQ(scene_.meshes.size(), 1u);
    EXPECT_EQ(scene_.meshes[0].name, "rock");
    EXPECT_TRUE(scene_.transparentList.empty());
    EXPECT_EQ(scene_.path, dir_.File("second.dme"));
}

TEST_F(SceneReader, BufferObjectsWithoutADriverKeepClientArrays) {
    // No GL context here, so no buffer entry points: the meshes stay in memory.
    Scene source;
    source.materials.push_back(MakeMaterial("m"));
    source.meshes.push_back(MakeMesh("a", 0, 2, 1));
    scene_.SetUseBufferObjects(true);
    ASSERT_EQ(LoadScene(source), LoadOk);
    EXPECT_FALSE(scene_.useBufferObjects);
    EXPECT_EQ(scene_.meshes[0].positionBuffer, 0u);
    EXPECT_EQ(scene_.meshes[0].positions.size(), 18u);
    EXPECT_EQ(scene_.meshes[0].uvChannels[0].coordinates.size(), 12u);
}

// What the renderer, collision and level loader rely on in any loaded scene,
// complete or not.
void ExpectConsistentRecords(const Scene& scene, const std::string& what) {
    for (const Material& material : scene.materials) {
        for (int slot = 0; slot < kMapSlotCount; ++slot) {
            const uint8_t index = material.mapSlot[slot];
            EXPECT_TRUE(index == kNoMap || index < material.maps.size()) << what;
        }
    }
    for (const PrimitiveEntry& entry : scene.primitives) {
        ASSERT_NE(entry.object, nullptr) << what;
        EXPECT_EQ(entry.typeCode, entry.object->TypeCode()) << what;
    }
    for (const Shape& shape : scene.shapes) {
        ASSERT_EQ(shape.polylines.size(), shape.polylineCount) << what;
        for (const Polyline& polyline : shape.polylines)
            EXPECT_EQ(polyline.points.size(), polyline.pointCount) << what;
    }
    for (const Mesh& mesh : scene.meshes) {
        ASSERT_LT(mesh.materialIndex, scene.materials.size()) << what;
        EXPECT_EQ(mesh.vertexCount % 3, 0u) << what;
        EXPECT_EQ(mesh.positions.size(), size_t{mesh.vertexCount} * 3) << what;
        EXPECT_EQ(mesh.normals.size(), size_t{mesh.vertexCount} * 3) << what;
        ASSERT_EQ(mesh.uvChannels.size(), mesh.uvChannelCount) << what;
        for (const UvChannel& channel : mesh.uvChannels)
            EXPECT_EQ(channel.coordinates.size(), size_t{mesh.vertexCount} * 2) << what;
        const Material& material = scene.materials[mesh.materialIndex];
        for (int slot = 0; slot < kMapSlotCount; ++slot) {
            const MaterialMap* map = material.SlotMap(slot);
            if (map && MapFlagsReadUvChannel(material.mapFlags, slot)) {
                EXPECT_LT(map->uvChannel, mesh.uvChannelCount) << what;
            }
        }
    }
    for (const TransparentEntry& entry : scene.transparentList)
        EXPECT_LT(entry.meshIndex, scene.meshes.size()) << what;
}

TEST_F(SceneReader, CorruptBytesGiveACodeAndConsistentRecords) {
    Scene source;
    source.materials.push_back(MakeMaterial("MOVX--1.5", 0x21));
    source.materials.push_back(MakeMaterial("glass", 0x09));
    source.lights.push_back(MakeOmniLight("o", {1, 2, 3}, 4, 5));
    source.primitives.push_back(
        MakePrimitive("B", std::make_unique<Box>(Vector{0, 0, 0}, Vector{1, 1, 1})));
    source.shapes.push_back(MakeShape("w", {MakePolyline(true, {{0, 0, 0}, {1, 0, 0}})}));
    source.meshes.push_back(MakeMesh("a", 0, 1, 1));
    source.meshes.push_back(MakeMesh("b", 1, 1, 2));
    const std::vector<uint8_t> bytes = EncodeSceneOrFail(source);

    for (size_t offset = 0; offset < bytes.size(); ++offset) {
        for (const uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}}) {
            std::vector<uint8_t> damaged = bytes;
            damaged[offset] = value;
            Scene scene;
            dir_.Write("damaged.dme", std::string(damaged.begin(), damaged.end()));
            const int result = scene.Load(dir_.File("damaged.dme"));
            const std::string what = "byte " + std::to_string(offset) + " = " +
                                     std::to_string(value) + ", result " + std::to_string(result);
            EXPECT_TRUE(result >= LoadOk && result <= LoadBadNumber) << what;
            EXPECT_EQ(scene.loaded, result == LoadOk) << what;
            ExpectConsistentRecords(scene, what);
        }
    }
}

TEST(SceneLoadResult, CodesHaveTheirNames) {
    EXPECT_STREQ(LoadResultName(LoadOk), "LoadOk");
    EXPECT_STREQ(LoadResultName(6), "LoadTooLarge");
    EXPECT_STREQ(LoadResultName(7), "LoadTruncated");
    EXPECT_STREQ(LoadResultName(12), "LoadBadNumber");
    EXPECT_STREQ(LoadResultName(0), "LoadUnknown");
    EXPECT_STREQ(LoadResultName(13), "LoadUnknown");
}

}  // namespace
