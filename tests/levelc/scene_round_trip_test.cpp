// Scene files written by the scene writer and read back by Scene::Load.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "levelc/scene_writer.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "support/scene_builder.h"
#include "support/temp_dir.h"

namespace {

std::string AsText(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// One scene with every kind of record worth a round trip.
void BuildFullScene(Scene& scene) {
    Material plain = MakeMaterial("Plain");
    plain.twoSided = 1;
    plain.secondColour[0] = 9;
    plain.secondColour[2] = 250;
    plain.fileBytes[0] = 1;
    plain.fileBytes[3] = 0xFE;
    scene.materials.push_back(plain);

    Material scrolling = MakeMaterial("MOVX--0.5", 0x21);  // slots 0 and 5
    scrolling.scrollAxis = 'X';
    scrolling.scrollSpeed = 0.5f;
    scrolling.maps[0].uvChannel = 1;
    scrolling.maps[0].fileByte = 77;
    scrolling.maps[1].uvChannel = 9;  // reflection maps use no channel
    scene.materials.push_back(scrolling);

    scene.materials.push_back(MakeMaterial("Glass", 0x09));            // slots 0 and 3
    scene.materials.push_back(MakeMaterial("Unused", 0xC0));           // bits 6 and 7 only
    scene.materials.push_back(MakeMaterial(std::string("AB\0C", 4)));  // loads as "AB"

    Light omni = MakeOmniLight("Omni01", {1.5f, -2.0f, 300.25f}, 10.0f, 30.0f);
    omni.fileFloat = 42.5f;
    omni.fileBytes[0] = 3;
    omni.fileBytes[1] = 4;
    scene.lights.push_back(omni);
    scene.lights.push_back(MakeDirectionalLight("Sun", {0.0f, -1.0f, 0.5f}));
    scene.lights.push_back(MakeDirectionalLight("", {1.0f, 0.0f, 0.0f}));

    scene.primitives.push_back(
        MakePrimitive("END01", std::make_unique<Box>(Vector{1, 2, 3}, Vector{-4, -5, -6})));
    scene.primitives.push_back(
        MakePrimitive("SOUND1", std::make_unique<Cylinder>(Vector{10, 20, 30}, 40.0f, 5.0f)));
    scene.primitives.push_back(MakePrimitive("CP1", std::make_unique<Cube>(Vector{7, 8, 9}, 2.0f)));
    scene.primitives.push_back(MakePrimitive("START", std::make_unique<Point>(Vector{0, 0, 0.5f})));
    scene.primitives.push_back(
        MakePrimitive("MAGNET1", std::make_unique<Sphere>(Vector{-1, -2, -3}, 25.0f)));

    scene.shapes.push_back(
        MakeShape("Wall", {MakePolyline(true, {{0, 0, 0}, {100, 0, 0}, {100, 0, 50}}),
                           MakePolyline(false, {{-10, 0, -10}, {-20, 0, 5}})}));
    scene.shapes.push_back(MakeShape("DEATH_spikes", {MakePolyline(false, {{1, 0, 1}})}));
    scene.shapes.push_back(MakeShape("Empty", {}));

    Mesh bare = MakeMesh("Bare", 0, 2, 0);
    bare.fileBytes[0] = 5;
    bare.fileBytes[1] = 6;
    bare.fileByte = 7;
    scene.meshes.push_back(bare);
    scene.meshes.push_back(MakeMesh("Water", 1, 1, 2, {0, 0, 40}));
    scene.meshes.push_back(MakeMesh("Pane", 2, 1, 1, {0, 0, -20}));
    scene.meshes.push_back(MakeMesh("Nothing", 3, 0, 0));
}

TEST(SceneRoundTrip, EveryRecordLoadsBackFieldForField) {
    TempDir dir;
    Scene written;
    BuildFullScene(written);
    const std::string path = dir.File("full.dme");
    WriteSceneOrFail(written, path);

    Scene loaded;
    ASSERT_EQ(loaded.Load(path), LoadOk);
    EXPECT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.path, path);
    EXPECT_EQ(loaded.pathHash, NameHash(path));
    EXPECT_EQ(loaded.headerCounts.materials, 5);
    EXPECT_EQ(loaded.headerCounts.lights, 3);
    EXPECT_EQ(loaded.headerCounts.primitives, 5u);
    EXPECT_EQ(loaded.headerCounts.shapes, 3u);
    EXPECT_EQ(loaded.headerCounts.meshes, 4u);

    // What the reader derives: a name ends at its first NUL, transparency.
    written.materials[4].name = "AB";
    written.materials[4].nameHash = NameHash("AB");
    written.BuildTransparentList();
    ExpectScenesEqual(written, loaded);

    EXPECT_EQ(loaded.materials[1].mapSlot[0], 0);
    EXPECT_EQ(loaded.materials[1].mapSlot[5], 1);
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(loaded.materials[1].mapSlot[slot], kNoMap);
    EXPECT_EQ(loaded.materials[1].maps[0].name, "MOVX--0.5_0.png");
    EXPECT_TRUE(loaded.materials[3].maps.empty());
    EXPECT_EQ(loaded.primitives[1].typeCode, TypeCylinder);
    EXPECT_EQ(loaded.primitives[4].typeCode, TypeSphere);
    ASSERT_EQ(loaded.transparentList.size(), 1u);
    EXPECT_EQ(loaded.transparentList[0].meshIndex, 2u);

    // Encoding the loaded scene again gives the file byte for byte, except
    // the NUL-cut name.
    Scene rewritten;
    BuildFullScene(rewritten);
    rewritten.materials[4].name = "AB";
    EXPECT_EQ(EncodeSceneOrFail(loaded), EncodeSceneOrFail(rewritten));
}

TEST(SceneRoundTrip, TheWriterProducesTheDocumentedBytes) {
    Scene scene;
    Material material = MakeMaterial("M", 0x01);
    material.maps[0].name = "t";
    material.maps[0].uvChannel = 2;
    material.maps[0].fileByte = 0xAB;
    scene.materials.push_back(material);
    scene.primitives.push_back(MakePrimitive("P", std::make_unique<Point>(Vector{1.0f, -2.0f, 0})));

    const std::vector<uint8_t> expected = {
        'D',  'M',  'E',  'd',  1,    0,                     // magic, version, materials, lights
        1,    0,    0,    0,    0,    0,  0, 0, 0, 0, 0, 0,  // primitives, shapes, meshes
        1,    'M',  0,    200,  100,  50, 0, 0, 0, 0, 0, 0,
        0,                             // name, two-sided, colours, file bytes
        0x01, 1,    't',  2,    0xAB,  // map flags, map record
        'P',  1,    'P',               // letter, name
        0x00, 0x00, 0x80, 0x3F,        // 1.0f
        0x00, 0x00, 0x00, 0xC0,        // -2.0f
        0x00, 0x00, 0x00, 0x00,        // 0.0f
    };
    EXPECT_EQ(EncodeSceneOrFail(scene), expected);
}

TEST(SceneRoundTrip, LightRecordsHaveTheirExactSizes) {
    constexpr size_t kHeader = 18;
    for (const size_t n : {0u, 1u, 7u, 255u}) {
        const std::string name(n, 'L');
        Scene directional;
        directional.lights.push_back(MakeDirectionalLight(name, {0, 1, 0}));
        EXPECT_EQ(EncodeSceneOrFail(directional).size(), kHeader + (1 + n) + 1 + 12 + 3 + 1);

        Scene omni;
        omni.lights.push_back(MakeOmniLight(name, {0, 1, 0}, 1, 2));
        EXPECT_EQ(EncodeSceneOrFail(omni).size(), kHeader + (1 + n) + 1 + 12 + 3 + 1 + 14);
    }
    // The kind byte alone decides: a lower-case o is directional.
    Scene lower;
    Light light = MakeOmniLight("x", {0, 0, 0}, 1, 2);
    light.kind = 'o';
    lower.lights.push_back(light);
    EXPECT_EQ(EncodeSceneOrFail(lower).size(), kHeader + 2 + 17);
}

TEST(SceneRoundTrip, BytesAfterTheLastMeshAreNeverRead) {
    TempDir dir;
    Scene scene;
    scene.materials.push_back(MakeMaterial("m"));
    scene.meshes.push_back(MakeMesh("a", 0, 1));
    dir.Write("tail.dme", AsText(EncodeSceneOrFail(scene)) + "garbage after the end");
    Scene loaded;
    EXPECT_EQ(loaded.Load(dir.File("tail.dme")), LoadOk);
    EXPECT_EQ(loaded.meshes.size(), 1u);
}

TEST(SceneRoundTrip, EveryPrefixOfAFileFailsWithoutInventingRecords) {
    TempDir dir;
    Scene full;
    BuildFullScene(full);
    const std::vector<uint8_t> bytes = EncodeSceneOrFail(full);
    const std::string path = dir.File("prefix.dme");

    size_t previousRecords = 0;
    for (size_t length = 0; length < bytes.size(); ++length) {
        dir.Write("prefix.dme", std::string(bytes.begin(), bytes.begin() + length));
        Scene scene;
        ASSERT_EQ(scene.Load(path), LoadTruncated) << "prefix of " << length << " bytes";
        EXPECT_FALSE(scene.loaded);
        const size_t records = scene.materials.size() + scene.lights.size() +
                               scene.primitives.size() + scene.shapes.size() + scene.meshes.size();
        EXPECT_GE(records, previousRecords) << length;
        previousRecords = records;
        // Whatever was appended is a whole record of the file.
        for (size_t i = 0; i < scene.materials.size(); ++i)
            EXPECT_EQ(scene.materials[i].maps.size(), full.materials[i].maps.size());
        for (size_t i = 0; i < scene.shapes.size(); ++i)
            EXPECT_EQ(scene.shapes[i].polylines.size(), full.shapes[i].polylines.size());
        for (size_t i = 0; i < scene.meshes.size(); ++i)
            EXPECT_EQ(scene.meshes[i].positions, full.meshes[i].positions);
    }
    // The last record is only appended once its last byte is there.
    EXPECT_EQ(previousRecords, 5u + 3u + 5u + 3u + 3u);
}

TEST(SceneRoundTrip, TheWriterRefusesWhatTheLayoutCannotHold) {
    std::vector<uint8_t> bytes;
    std::string error;

    Scene longName;
    longName.materials.push_back(MakeMaterial(std::string(256, 'n')));
    EXPECT_FALSE(EncodeScene(longName, bytes, &error));
    EXPECT_NE(error.find("longer than 255"), std::string::npos) << error;

    Scene mapsDisagree;
    mapsDisagree.materials.push_back(MakeMaterial("m", 0x03));
    mapsDisagree.materials[0].maps.pop_back();
    EXPECT_FALSE(EncodeScene(mapsDisagree, bytes, &error));
    EXPECT_NE(error.find("announce 2"), std::string::npos) << error;

    Scene circle;
    circle.primitives.push_back(MakePrimitive("c", std::make_unique<Circle>(Vector2f{0, 0}, 1)));
    EXPECT_FALSE(EncodeScene(circle, bytes, &error));

    Scene uploaded;
    uploaded.meshes.push_back(MakeMesh("gpu", 0, 1));
    uploaded.meshes[0].positionBuffer = 3;
    EXPECT_FALSE(EncodeScene(uploaded, bytes, &error));

    Scene ragged;
    ragged.meshes.push_back(MakeMesh("ragged", 0, 1, 1));
    ragged.meshes[0].uvChannels[0].coordinates.pop_back();
    EXPECT_FALSE(EncodeScene(ragged, bytes, &error));

    Scene bright;
    bright.lights.push_back(MakeOmniLight("bright", {0, 0, 0}, 1, 2));
    bright.lights[0].intensity = 3.0f;
    EXPECT_FALSE(EncodeScene(bright, bytes, &error));

    // A file that cannot be created leaves nothing behind.
    TempDir dir;
    Scene empty;
    EXPECT_FALSE(WriteSceneFile(empty, dir.File("no/such/folder/x.dme"), &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

TEST(SceneRoundTrip, WritingReplacesAnExistingFileWhole) {
    TempDir dir;
    const std::string path = dir.File("level.dme");
    dir.Write("level.dme", std::string(5000, 'x'));
    Scene scene;
    scene.materials.push_back(MakeMaterial("only"));
    WriteSceneOrFail(scene, path);

    Scene loaded;
    ASSERT_EQ(loaded.Load(path), LoadOk);
    ASSERT_EQ(loaded.materials.size(), 1u);
    EXPECT_EQ(loaded.materials[0].name, "only");
    EXPECT_FALSE(std::ifstream(path + ".part").good());
}

}  // namespace
