// The readable form of a scene that quarn-scene dump prints.

#include <gtest/gtest.h>

#include "levelc/scene_text.h"
#include "scene/scene.h"
#include "support/scene_builder.h"

namespace {

bool HasLine(const std::string& text, const std::string& line) {
    return text.find("\n" + line + "\n") != std::string::npos ||
           text.compare(0, line.size() + 1, line + "\n") == 0;
}

TEST(SceneText, EveryRecordAndFieldIsPrinted) {
    Scene scene;
    scene.headerCounts = {2, 1, 1, 1, 1};
    Material material = MakeMaterial("MOVY\"\\\x01", 0x21);
    material.scrollAxis = 'Y';
    material.scrollSpeed = 0.1f;
    scene.materials.push_back(material);
    scene.materials.push_back(MakeMaterial("glass", 0x08));
    scene.lights.push_back(MakeDirectionalLight("Sun", {0, -1, 0}));
    scene.primitives.push_back(
        MakePrimitive("CP1", std::make_unique<Cylinder>(Vector{1, 2, 3}, 4, 5)));
    scene.shapes.push_back(MakeShape("DEATH", {MakePolyline(false, {{0, 0, 0}, {1.5f, 0, -2}})}));
    scene.meshes.push_back(MakeMesh("pane", 1, 1, 1));
    scene.BuildTransparentList();

    const std::string text = DescribeScene(scene);
    EXPECT_TRUE(HasLine(text, "header materials 2 lights 1 primitives 1 shapes 1 meshes 1"))
        << text;
    EXPECT_TRUE(HasLine(text, "material 0 \"MOVY\\\"\\\\\\x01\" hash " +
                                  std::to_string(material.nameHash) +
                                  " two-sided 0 colour 200 100 50 second-colour 0 0 0 "
                                  "file-bytes 0 0 0 0 map-flags 0x21 slots 0 - - - - 1 "
                                  "scroll Y speed 0.100000001 offset 0"))
        << text;
    EXPECT_TRUE(HasLine(text,
                        "light 0 \"Sun\" hash 7370326 kind directional (0x44) direction "
                        "(0 -1 0) colour 1 1 1 intensity 0.5"))
        << text;
    EXPECT_TRUE(HasLine(text, "primitive 0 \"CP1\" hash " + std::to_string(NameHash("CP1")) +
                                  " type 3 cylinder (1 2 3) height 4 radius 5"))
        << text;
    EXPECT_TRUE(HasLine(text, "  polyline 0 open points 2")) << text;
    EXPECT_TRUE(HasLine(text, "    point 1 (1.5 0 -2)")) << text;
    EXPECT_TRUE(HasLine(text, "  vertex 2 position (0.5 9.75 10) normal (0 -1 0) uv (1 0.5)"))
        << text;
    EXPECT_TRUE(HasLine(text, "transparent mesh 0 key 5")) << text;

    const std::string brief = DescribeScene(scene, {false, false});
    EXPECT_EQ(brief.find("vertex"), std::string::npos);
    EXPECT_EQ(brief.find("point 1"), std::string::npos);
    EXPECT_NE(brief.find("polyline 0 open points 2"), std::string::npos);
}

}  // namespace
