#include "levelc/level_compiler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "game/level_triggers.h"
#include "physics/player.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "support/scene_builder.h"
#include "support/temp_dir.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct Compiled {
    bool ok = false;
    Scene scene;
    Diagnostics diagnostics;

    std::string Messages() const {
        std::string text;
        for (const Diagnostic& message : diagnostics.messages)
            text += message.Text() + "\n";
        return text;
    }
};

// Parses and compiles; a parse error fails the test.
void Compile(const std::string& text, Compiled& compiled) {
    LevelSource source;
    ASSERT_TRUE(ParseLevelSource(text, "t.level", source, compiled.diagnostics))
        << compiled.Messages();
    compiled.ok = CompileLevel(source, compiled.scene, compiled.diagnostics);
}

const char* const kLevel = R"(material rock
    colour 120 110 100
    base rock.png
    overlay moss.png uv 1
    uvscale 50
end
material water
    colour 0 80 200
    two-sided
    base water.png
    opacity water_alpha.png
    scroll y -1.25
end
light sun directional
    direction 1 2 3
    colour 255 0 51
    intensity 80
end
light lamp omni
    position 100 50 -20
    attenuation 100 300
end
outline ground
    material rock
    depth 40
    solid 0 0  400 0  400 50  0 50
    line 0 100  200 150
end
outline DEATH_spikes
    hidden
    loop 10 10  20 10  15 20
end
outline plain
    line 0 300  100 300
end
mesh pool
    material water
    triangle 0 0 10  100 0 10  0 100 10
end
primitive START1 point 20 60
primitive END2 box 390 100 350 60
primitive CP1 cylinder 200 60 30 40
primitive SOUND0 sphere 100 100 80
primitive MAGNET cube 300 300 10
)";

TEST(LevelCompiler, MaterialsCarryTheirMapsFlagsAndScrollName) {
    Compiled compiled;
    Compile(kLevel, compiled);
    ASSERT_TRUE(compiled.ok) << compiled.Messages();
    const Scene& scene = compiled.scene;
    ASSERT_EQ(scene.materials.size(), 3u);  // rock, water and the default one

    const Material& rock = scene.materials[0];
    EXPECT_EQ(rock.name, "rock");
    EXPECT_EQ(rock.nameHash, NameHash("rock"));
    EXPECT_EQ(rock.mapFlags, 5);
    EXPECT_EQ(rock.mapSlot[0], 0);
    EXPECT_EQ(rock.mapSlot[2], 1);
    EXPECT_EQ(rock.mapSlot[3], kNoMap);
    ASSERT_EQ(rock.maps.size(), 2u);
    EXPECT_EQ(rock.maps[1].name, "moss.png");
    EXPECT_EQ(rock.maps[1].uvChannel, 1);
    EXPECT_EQ(rock.colour[1], 110);
    EXPECT_EQ(rock.secondColour[1], 110);
    EXPECT_FALSE(rock.Scrolls());

    const Material& water = scene.materials[1];
    EXPECT_EQ(water.name, "MOVY---1.25 water");
    EXPECT_EQ(water.scrollAxis, 'Y');
    EXPECT_EQ(water.scrollSpeed, -1.25f);
    EXPECT_EQ(water.mapFlags, 9);
    EXPECT_EQ(water.twoSided, 1);

    const Material& fallback = scene.materials[2];
    EXPECT_EQ(fallback.name, kDefaultMaterialName);
    EXPECT_EQ(fallback.mapFlags, 0);
}

TEST(LevelCompiler, ScrollNamesReadBackToTheSameSpeed) {
    for (const float speed : {0.5f, -1.25f, 0.1f, 3.0f, 1e-7f, -250000.5f, 0.0f}) {
        const std::string name = ScrollingMaterialName('X', speed, "river bed");
        ASSERT_EQ(name.compare(0, 6, "MOVX--"), 0) << name;
        // The reader skips characters 5 and 6 and reads the rest like "%f".
        char* end = nullptr;
        EXPECT_EQ(std::strtof(name.c_str() + 6, &end), speed) << name;
        EXPECT_EQ(std::string(end), " river bed");
    }
    EXPECT_EQ(ScrollingMaterialName('Y', 2.5f, ""), "MOVY--2.5");
}

TEST(LevelCompiler, LightsAreInSceneCoordinates) {
    Compiled compiled;
    Compile(kLevel, compiled);
    ASSERT_TRUE(compiled.ok) << compiled.Messages();
    ASSERT_EQ(compiled.scene.lights.size(), 2u);
    const Light& sun = compiled.scene.lights[0];
    EXPECT_FALSE(sun.IsOmni());
    EXPECT_EQ(sun.position.x, 1.0f);
    EXPECT_EQ(sun.position.y, 3.0f);  // depth
    EXPECT_EQ(sun.position.z, 2.0f);  // plane y
    EXPECT_FLOAT_EQ(sun.colour[0], 1.0f);
    EXPECT_FLOAT_EQ(sun.colour[2], 0.2f);
    EXPECT_FLOAT_EQ(sun.intensity, 0.8f);
    const Light& lamp = compiled.scene.lights[1];
    EXPECT_TRUE(lamp.IsOmni());
    EXPECT_EQ(lamp.position.y, -20.0f);
    EXPECT_EQ(lamp.attenuationStart, 100.0f);
    EXPECT_EQ(lamp.attenuationEnd, 300.0f);
    EXPECT_FLOAT_EQ(lamp.intensity, 1.0f);
}

TEST(LevelCompiler, PrimitivesKeepTheirNamesAndPlanePositions) {
    Compiled compiled;
    Compile(kLevel, compiled);
    ASSERT_TRUE(compiled.ok) << compiled.Messages();
    const std::vector<PrimitiveEntry>& primitives = compiled.scene.primitives;
    ASSERT_EQ(primitives.size(), 5u);

    EXPECT_EQ(primitives[0].name, "START1");
    EXPECT_EQ(primitives[0].typeCode, TypePoint);
    const auto* start = static_cast<const Point*>(primitives[0].object.get());
    EXPECT_EQ(start->position.x, 20.0f);
    EXPECT_EQ(start->position.y, 0.0f);
    EXPECT_EQ(start->position.z, 60.0f);

    // The end box is written minimum corner first whatever the source order.
    EXPECT_EQ(primitives[1].name, "END2");
    EXPECT_EQ(primitives[1].nameHash, NameHash("END2"));
    ASSERT_EQ(primitives[1].typeCode, TypeBox);
    const auto* end = static_cast<const Box*>(primitives[1].object.get());
    EXPECT_EQ(end->a.x, 350.0f);
    EXPECT_EQ(end->a.z, 60.0f);
    EXPECT_EQ(end->b.x, 390.0f);
    EXPECT_EQ(end->b.z, 100.0f);
    EXPECT_EQ(end->a.y, -50.0f);
    EXPECT_EQ(end->b.y, 50.0f);

    ASSERT_EQ(primitives[2].typeCode, TypeCylinder);
    const auto* cp = static_cast<const Cylinder*>(primitives[2].object.get());
    EXPECT_EQ(cp->centre.x, 200.0f);
    EXPECT_EQ(cp->centre.z, 60.0f);
    EXPECT_EQ(cp->centre.y, 20.0f);  // top end, so the height is centred on the plane
    EXPECT_EQ(cp->height, 40.0f);
    EXPECT_EQ(cp->radius, 30.0f);

    ASSERT_EQ(primitives[3].typeCode, TypeSphere);
    EXPECT_EQ(static_cast<const Sphere*>(primitives[3].object.get())->radius, 80.0f);
    ASSERT_EQ(primitives[4].typeCode, TypeCube);
    EXPECT_EQ(static_cast<const Cube*>(primitives[4].object.get())->halfSize, 5.0f);
}

TEST(LevelCompiler, OutlinesAreWrittenExactlyAsGiven) {
    Compiled compiled;
    Compile(kLevel, compiled);
    ASSERT_TRUE(compiled.ok) << compiled.Messages();
    const std::vector<Shape>& shapes = compiled.scene.shapes;
    ASSERT_EQ(shapes.size(), 3u);
    EXPECT_EQ(shapes[0].name, "ground");
    ASSERT_EQ(shapes[0].polylineCount, 2u);
    const Polyline& solid = shapes[0].polylines[0];
    EXPECT_EQ(solid.closed, 1);
    ASSERT_EQ(solid.pointCount, 4u);  // the first point is not repeated
    ASSERT_EQ(solid.points.size(), 4u);
    EXPECT_EQ(solid.points[2].x, 400.0f);
    EXPECT_EQ(solid.points[2].y, 0.0f);
    EXPECT_EQ(solid.points[2].z, 50.0f);
    EXPECT_EQ(shapes[0].polylines[1].closed, 0);
    EXPECT_EQ(shapes[0].polylines[1].pointCount, 2u);
    EXPECT_EQ(shapes[1].name, "DEATH_spikes");
    EXPECT_EQ(shapes[1].polylines[0].closed, 1);
    EXPECT_EQ(shapes[1].polylines[0].pointCount, 3u);
}

TEST(LevelCompiler, MeshesAreWellFormedWithBoundsAndChannels) {
    Compiled compiled;
    Compile(kLevel, compiled);
    ASSERT_TRUE(compiled.ok) << compiled.Messages();
    const Scene& scene = compiled.scene;
    // ground, plain and pool (the hidden outline has no mesh), the opaque
    // ones nearest first (plain reaches 50 in front of the plane, ground 20),
    // the transparent pool last.
    ASSERT_EQ(scene.meshes.size(), 3u);
    EXPECT_EQ(scene.meshes[0].name, "plain");
    EXPECT_EQ(scene.meshes[0].materialIndex, 2);
    EXPECT_EQ(scene.meshes[1].name, "ground");
    EXPECT_EQ(scene.meshes[1].materialIndex, 0);
    EXPECT_EQ(scene.meshes[2].name, "pool");
    EXPECT_EQ(scene.meshes[2].materialIndex, 1);
    EXPECT_EQ(scene.meshes[1].uvChannelCount, 2);  // the overlay uses channel 1
    EXPECT_EQ(scene.meshes[0].uvChannelCount, 1);

    for (const Mesh& mesh : scene.meshes) {
        ASSERT_GT(mesh.vertexCount, 0u);
        EXPECT_EQ(mesh.vertexCount % 3, 0u) << mesh.name;
        ASSERT_EQ(mesh.positions.size(), 3u * mesh.vertexCount);
        ASSERT_EQ(mesh.normals.size(), 3u * mesh.vertexCount);
        ASSERT_EQ(mesh.uvChannels.size(), mesh.uvChannelCount);
        for (const UvChannel& channel : mesh.uvChannels)
            EXPECT_EQ(channel.coordinates.size(), 2u * mesh.vertexCount);
        const Box& box = mesh.boundingBox;
        for (uint32_t i = 0; i < mesh.vertexCount; ++i) {
            const float* n = &mesh.normals[3 * i];
            EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-5f);
            const float* p = &mesh.positions[3 * i];
            EXPECT_TRUE(box.a.x <= p[0] && p[0] <= box.b.x);
            EXPECT_TRUE(box.a.y <= p[1] && p[1] <= box.b.y);
            EXPECT_TRUE(box.a.z <= p[2] && p[2] <= box.b.z);
            const Vector& c = mesh.boundingSphere.centre;
            const float d = std::sqrt((p[0] - c.x) * (p[0] - c.x) + (p[1] - c.y) * (p[1] - c.y) +
                                      (p[2] - c.z) * (p[2] - c.z));
            EXPECT_LE(d, mesh.boundingSphere.radius * 1.000001f);
        }
    }
    // The ground's walls run 20 in front of and behind the play plane.
    EXPECT_EQ(scene.meshes[1].boundingBox.a.y, -20.0f);
    EXPECT_EQ(scene.meshes[1].boundingBox.b.y, 20.0f);
    // uvscale 50: the solid's front corner at x = 400 has u = 8.
    bool found = false;
    for (uint32_t i = 0; i < scene.meshes[1].vertexCount; ++i) {
        const float* p = &scene.meshes[1].positions[3 * i];
        if (p[0] == 400.0f && p[2] == 50.0f && scene.meshes[1].normals[3 * i + 1] == -1.0f) {
            EXPECT_EQ(scene.meshes[1].uvChannels[0].coordinates[2 * i], 8.0f);
            EXPECT_EQ(scene.meshes[1].uvChannels[0].coordinates[2 * i + 1], 1.0f);
            found = true;
        }
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(scene.headerCounts.meshes, 3u);
    EXPECT_EQ(scene.headerCounts.materials, 3);
}

TEST(LevelCompiler, SemanticErrorsNameTheirLines) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"outline o\n  material rok\n  line 0 0 1 1\nend\n", "t.level:2: unknown material 'rok'"},
        {"material a\nend\nmaterial a\nend\n",
         "t.level:3: material 'a' is already defined at line 1"},
        {"material MOVXfast\nend\n", "t.level:1: a material named 'MOVXfast' would scroll"},
    };
    for (const Case& c : cases) {
        Compiled compiled;
        Compile(c.text, compiled);
        EXPECT_FALSE(compiled.ok) << c.text;
        EXPECT_THAT(compiled.Messages(), HasSubstr(c.message)) << c.text;
    }
    Compiled movie;
    Compile("material MOVIE\nend\nmaterial MOV\nend\n", movie);
    EXPECT_TRUE(movie.ok) << movie.Messages();
}

TEST(LevelCompiler, NamesTheGameReadsDifferentlyAreWarnedAbout) {
    Compiled compiled;
    Compile(R"(primitive END3 sphere 0 0 10
primitive Start1 point 0 0
primitive QUARNX point 0 0
primitive STARTA point 0 0
primitive CP2 sphere 0 0 5
primitive SOUND1 point 0 0
material odd
    base a.png
    opacity b.png
    overlay c.png
end
outline death_pit
    line 0 0 1 0
end
)",
            compiled);
    EXPECT_TRUE(compiled.ok) << compiled.Messages();
    const std::string messages = compiled.Messages();
    EXPECT_THAT(messages,
                HasSubstr("t.level:1: warning: 'END3': an END sphere never ends the level"));
    EXPECT_THAT(messages, HasSubstr("t.level:2: warning: 'Start1': names are case-sensitive"));
    EXPECT_THAT(messages, HasSubstr("t.level:3: warning: 'QUARNX': only the whole name QUARN"));
    EXPECT_THAT(messages, HasSubstr("t.level:4: warning: 'STARTA': the game reads the number"));
    EXPECT_THAT(messages, HasSubstr("t.level:5: warning: 'CP2': a checkpoint"));
    EXPECT_THAT(messages, HasSubstr("t.level:6: warning: 'SOUND1': a sound area"));
    EXPECT_THAT(messages, HasSubstr("t.level:7: warning: material 'odd' has map flags 13"));
    EXPECT_THAT(messages, HasSubstr("t.level:12: warning: outline 'death_pit' is not deadly"));

    Compiled clean;
    Compile(
        "primitive END box 0 0 10 10\nprimitive START point 1 1\nprimitive STARTER point 0 0\n"
        "primitive END7 cylinder 0 0 10\nprimitive QUARN point 0 0\nprimitive Lamp point 0 0\n",
        clean);
    EXPECT_TRUE(clean.ok);
    EXPECT_THAT(clean.Messages(), Not(HasSubstr("END7")));
    EXPECT_THAT(clean.Messages(), Not(HasSubstr("'END'")));
    EXPECT_THAT(clean.Messages(), Not(HasSubstr("QUARN")));
    EXPECT_THAT(clean.Messages(), HasSubstr("'STARTER'"));
    EXPECT_EQ(clean.diagnostics.messages.size(), 1u) << clean.Messages();
}

TEST(LevelCompiler, TheDefaultMaterialIsAddedOnceAndOnlyWhenNeeded) {
    Compiled none;
    Compile("outline o\n  hidden\n  line 0 0 1 1\nend\n", none);
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.scene.materials.empty());
    EXPECT_TRUE(none.scene.meshes.empty());
    EXPECT_EQ(none.scene.shapes.size(), 1u);

    Compiled two;
    Compile("outline a\n  line 0 0 1 1\nend\noutline b\n  line 0 0 1 1\nend\n", two);
    ASSERT_EQ(two.scene.materials.size(), 1u);
    EXPECT_EQ(two.scene.meshes[1].materialIndex, 0);

    Compiled own;
    Compile("outline a\n  line 0 0 1 1\nend\nmaterial default\n  colour 1 2 3\nend\n", own);
    ASSERT_EQ(own.scene.materials.size(), 1u);
    EXPECT_EQ(own.scene.materials[0].colour[2], 3);
}

// The compiled end zones and start points, handed to the game's trigger lists
// the way the level loader hands them over, finish the level and choose the
// next start as a designer expects.
TEST(LevelCompiler, CompiledEndZonesWorkWithTheGamesTriggers) {
    Compiled compiled;
    Compile(R"(primitive START point 0 0
primitive START2 point 20 60
primitive END2 box 390 100 350 60
primitive END3 cylinder -200 0 30
)",
            compiled);
    ASSERT_TRUE(compiled.ok) << compiled.Messages();
    LevelTriggers triggers;
    for (const PrimitiveEntry& entry : compiled.scene.primitives) {
        const long number = entry.name.size() > 5 ? std::atol(entry.name.c_str() + 5) : -1;
        if (entry.name.compare(0, 5, "START") == 0) {
            const Vector& p = static_cast<const Point*>(entry.object.get())->position;
            triggers.AddStartPoint(p.x, p.y, p.z, static_cast<int32_t>(number));
        }
    }
    for (const PrimitiveEntry& entry : compiled.scene.primitives)
        if (entry.name.compare(0, 3, "END") == 0)
            triggers.AddEndZone(entry, std::atoi(entry.name.c_str() + 3));
    ASSERT_EQ(triggers.endZones.size(), 2u);

    TPlayer ball;
    ball.position.Set(300.0, 80.0);
    EXPECT_FALSE(triggers.CheckEndZones(ball));
    ball.position.Set(346.0, 80.0);  // its rim reaches into the box
    EXPECT_TRUE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, 2);
    EXPECT_EQ(triggers.GetStartPosition().x, 20.0);
    EXPECT_EQ(triggers.GetStartPosition().y, 60.0);

    ball.position.Set(-200.0 + 24.0, 0.0);  // wholly inside the cylinder
    EXPECT_TRUE(triggers.CheckEndZones(ball));
    EXPECT_EQ(triggers.entryNumber, 3);
    EXPECT_EQ(triggers.GetStartPosition().x, 0.0);  // no START3: the unnumbered one
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(LevelCompiler, ABuiltLevelLoadsBackAsCompiled) {
    TempDir dir;
    dir.Write("cave.level", kLevel);
    Diagnostics diagnostics;
    ASSERT_TRUE(BuildLevelFile(dir.File("cave.level"), dir.File("cave.dme"), diagnostics));
    EXPECT_TRUE(diagnostics.messages.empty());

    Compiled compiled;
    Compile(kLevel, compiled);
    Scene loaded;
    ASSERT_EQ(loaded.Load(dir.File("cave.dme")), LoadOk);
    ExpectScenesEqual(compiled.scene, loaded);
    // The scroll name and the transparent water survive the file.
    EXPECT_EQ(loaded.materials[1].scrollAxis, 'Y');
    EXPECT_EQ(loaded.materials[1].scrollSpeed, -1.25f);
    ASSERT_EQ(loaded.transparentList.size(), 1u);
    EXPECT_EQ(loaded.transparentList[0].meshIndex, 2u);
    EXPECT_FALSE(std::ifstream(dir.File("cave.dme.part")).good());
}

TEST(LevelCompiler, ABrokenSourceWritesNothingAndKeepsTheOldFile) {
    TempDir dir;
    dir.Write("cave.dme", "old level");
    dir.Write("bad.level", "outline o\n  line 0 0\nend\n");
    Diagnostics diagnostics;
    EXPECT_FALSE(BuildLevelFile(dir.File("bad.level"), dir.File("cave.dme"), diagnostics));
    ASSERT_EQ(diagnostics.messages.size(), 1u);
    EXPECT_EQ(diagnostics.messages[0].Text(),
              dir.File("bad.level") + ":2: a 'line' needs at least 2 points, found 1");
    EXPECT_EQ(ReadFile(dir.File("cave.dme")), "old level");
    EXPECT_FALSE(std::ifstream(dir.File("cave.dme.part")).good());

    Diagnostics unwritable;
    dir.Write("good.level", "primitive QUARN point 0 0\n");
    EXPECT_FALSE(BuildLevelFile(dir.File("good.level"), dir.File("no/such/dir/x.dme"), unwritable));
    ASSERT_EQ(unwritable.messages.size(), 1u);
    EXPECT_THAT(unwritable.messages[0].Text(), HasSubstr("cannot write the scene file"));
}

}  // namespace
