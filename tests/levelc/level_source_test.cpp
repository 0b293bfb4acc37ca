#include "levelc/level_source.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using ::testing::HasSubstr;

struct Parsed {
    bool ok = false;
    LevelSource source;
    Diagnostics diagnostics;

    // Every message, one "FILE:LINE: text" per line.
    std::string Messages() const {
        std::string text;
        for (const Diagnostic& message : diagnostics.messages)
            text += message.Text() + "\n";
        return text;
    }
};

Parsed Parse(const std::string& text) {
    Parsed parsed;
    parsed.ok = ParseLevelSource(text, "cave.level", parsed.source, parsed.diagnostics);
    return parsed;
}

const char* const kLevel = R"(# A small cave
material rock
    colour 120 110 100
    second-colour 10 20 30
    base rock.png
    overlay "moss and lichen.png" uv 1
    uvscale 64
    uvscale 32 channel 1
end

material water   # scrolls sideways
    colour 0 80 200
    two-sided
    base water.png
    opacity water_alpha.png
    scroll x -0.5
end

light sun directional
    direction 1 -1 -2
    colour 255 240 200
    intensity 80
end

light lamp omni
    position 100 50
    attenuation 100 300
end

outline ground
    material rock
    depth 120
    solid 0 0  400 0
        400 50
        0 50
    line
        0 100
        200 150
    thickness 4
end

outline DEATH_spikes
    hidden
    loop
        10 10
        20 10
        15 20
end

mesh backdrop
    material rock
    offset 300
    triangle 0 0 300  100 0 300  0 100 300
    triangle 0 0 300  100 0 300  0 100 300  uv 0 0 1 0 0 1
end

primitive START1 point 20 60
primitive END2 box 390 60 350 100
primitive CP1 cylinder 200 60 30
primitive SOUND0 sphere 100 100 80
primitive MAGNET cube 300 300 10 
)";

TEST(LevelSource, ReadsEveryKindOfRecordWithItsValues) {
    const Parsed parsed = Parse(kLevel);
    ASSERT_TRUE(parsed.ok) << parsed.Messages();
    EXPECT_TRUE(parsed.diagnostics.messages.empty()) << parsed.Messages();
    const LevelSource& source = parsed.source;
    EXPECT_EQ(source.file, "cave.level");

    ASSERT_EQ(source.materials.size(), 2u);
    const SourceMaterial& rock = source.materials[0];
    EXPECT_EQ(rock.name, "rock");
    EXPECT_EQ(rock.line, 2);
    EXPECT_EQ(rock.colour[0], 120);
    EXPECT_EQ(rock.colour[2], 100);
    EXPECT_TRUE(rock.hasSecondColour);
    EXPECT_EQ(rock.secondColour[1], 20);
    EXPECT_FALSE(rock.twoSided);
    ASSERT_EQ(rock.maps.size(), 2u);
    EXPECT_EQ(rock.maps[0].slot, 0);
    EXPECT_EQ(rock.maps[0].file, "rock.png");
    EXPECT_EQ(rock.maps[1].slot, 2);
    EXPECT_EQ(rock.maps[1].file, "moss and lichen.png");
    EXPECT_EQ(rock.maps[1].uvChannel, 1);
    EXPECT_EQ(rock.uvScale, 64.0);
    ASSERT_EQ(rock.channelUvScale.size(), 2u);
    EXPECT_EQ(rock.channelUvScale[1], 32.0);
    const SourceMaterial& water = source.materials[1];
    EXPECT_TRUE(water.twoSided);
    EXPECT_EQ(water.scrollAxis, 'X');
    EXPECT_EQ(water.scrollSpeed, -0.5f);
    ASSERT_EQ(water.maps.size(), 2u);
    EXPECT_EQ(water.maps[1].slot, 3);

    ASSERT_EQ(source.lights.size(), 2u);
    EXPECT_FALSE(source.lights[0].omni);
    EXPECT_EQ(source.lights[0].position.x, 1.0);
    EXPECT_EQ(source.lights[0].position.y, -1.0);
    EXPECT_EQ(source.lights[0].position.depth, -2.0);
    EXPECT_EQ(source.lights[0].intensity, 80);
    EXPECT_TRUE(source.lights[1].omni);
    EXPECT_EQ(source.lights[1].position.depth, 0.0);
    EXPECT_EQ(source.lights[1].attenuationStart, 100.0);
    EXPECT_EQ(source.lights[1].attenuationEnd, 300.0);
    EXPECT_EQ(source.lights[1].colour[0], 255);

    ASSERT_EQ(source.outlines.size(), 2u);
    const SourceOutline& ground = source.outlines[0];
    EXPECT_EQ(ground.extrusion.material, "rock");
    EXPECT_EQ(ground.extrusion.depth, 120.0);
    EXPECT_EQ(ground.extrusion.thickness, 4.0);
    ASSERT_EQ(ground.extrusion.polylines.size(), 2u);
    const SourcePolyline& solid = ground.extrusion.polylines[0];
    EXPECT_EQ(solid.kind, PolylineKind::Solid);
    EXPECT_TRUE(solid.Closed());
    ASSERT_EQ(solid.points.size(), 4u);
    EXPECT_EQ(solid.points[1].x, 400.0);
    EXPECT_EQ(solid.points[3].y, 50.0);
    EXPECT_FALSE(ground.extrusion.polylines[1].Closed());
    EXPECT_TRUE(source.outlines[1].hidden);
    EXPECT_EQ(source.outlines[1].extrusion.polylines[0].kind, PolylineKind::Loop);

    ASSERT_EQ(source.meshes.size(), 1u);
    EXPECT_EQ(source.meshes[0].extrusion.offset, 300.0);
    ASSERT_EQ(source.meshes[0].triangles.size(), 2u);
    EXPECT_FALSE(source.meshes[0].triangles[0].hasUv);
    EXPECT_TRUE(source.meshes[0].triangles[1].hasUv);
    EXPECT_EQ(source.meshes[0].triangles[1].uv[2][1], 1.0);
    EXPECT_EQ(source.meshes[0].triangles[0].corners[2].depth, 300.0);

    ASSERT_EQ(source.primitives.size(), 5u);
    EXPECT_EQ(source.primitives[0].name, "START1");
    EXPECT_EQ(source.primitives[0].kind, PrimitiveKind::Point);
    const SourcePrimitive& end = source.primitives[1];
    EXPECT_EQ(end.kind, PrimitiveKind::Box);
    EXPECT_EQ(end.x2, 350.0);
    EXPECT_EQ(end.depth, kDefaultBoxDepth);
    EXPECT_EQ(source.primitives[2].kind, PrimitiveKind::Cylinder);
    EXPECT_EQ(source.primitives[2].size, 30.0);
    EXPECT_EQ(source.primitives[2].depth, kDefaultCylinderHeight);
    EXPECT_EQ(source.primitives[3].kind, PrimitiveKind::Sphere);
    EXPECT_EQ(source.primitives[4].kind, PrimitiveKind::Cube);
    EXPECT_EQ(source.primitives[4].line, 61);
}

TEST(LevelSource, ADirectionalLightShinesFromTheCameraSideUnlessToldOtherwise) {
    const Parsed parsed = Parse("light sun directional\nend\n");
    ASSERT_TRUE(parsed.ok) << parsed.Messages();
    EXPECT_EQ(parsed.source.lights[0].position.depth, -1.0);
    EXPECT_EQ(parsed.source.lights[0].intensity, 100);
}

TEST(LevelSource, WindowsLineEndingsAndAByteOrderMarkAreRead) {
    const Parsed parsed =
        Parse("\xEF\xBB\xBFprimitive QUARN point 1 2\r\nprimitive END box 0 0 1 1\r\n");
    ASSERT_TRUE(parsed.ok) << parsed.Messages();
    ASSERT_EQ(parsed.source.primitives.size(), 2u);
    EXPECT_EQ(parsed.source.primitives[0].name, "QUARN");
    EXPECT_EQ(parsed.source.primitives[1].line, 2);
}

// Each malformed line is reported as FILE:LINE: with what is wrong.
TEST(LevelSource, ErrorsNameTheFileAndLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"\n\nfrobnicate 1 2\n", "cave.level:3: unknown keyword 'frobnicate'"},
        {"material a\n  colour 1 2\nend\n",
         "cave.level:2: missing number: expected 'colour R G B'"},
        {"material a\n  colour 1 2 x\nend\n", "cave.level:2: 'x' is not a number"},
        {"material a\n  colour 1 2 300\nend\n", "cave.level:2: colour value 300 is not a whole"},
        {"material a\n  wobble\nend\n", "cave.level:2: unknown keyword 'wobble' inside material"},
        {"# c\nmaterial a\n  colour 1 2 3\n", "cave.level:2: material 'a' is not closed by 'end'"},
        {"outline o\n  solid\n  0 0 10 0\nend\n",
         "cave.level:2: a 'solid' needs at least 3 points, found 2"},
        {"outline o\n  line 0 0\nend\n", "cave.level:2: a 'line' needs at least 2 points, found 1"},
        {"outline o\nend\n", "cave.level:1: outline 'o' has no points"},
        {"outline o\n  line\n  0 0 10\nend\n",
         "cave.level:3: missing number: points are 'X Y' pairs"},
        {"outline o\n  line\n  0 0 1e 4\nend\n", "cave.level:3: '1e' is not a number"},
        {"outline o\n  0 0 10 10\nend\n",
         "cave.level:2: points must follow 'solid', 'loop' or 'line'"},
        {"outline o\n  line 0 0 5 5 5 5\nend\n",
         "cave.level:2: point 5 5 repeats the previous point"},
        {"outline o\n  loop 0 0 5 0 5 5 0 0\nend\n",
         "cave.level:2: point 0 0 repeats the first point"},
        {"outline o\n  material\nend\n", "cave.level:2: 'material' needs a material name"},
        {"outline o\n  depth -4\n  line 0 0 1 1\nend\n",
         "cave.level:2: depth must be greater than 0"},
        {"outline o\n  line 0 0 1 1\n material rock\n  colour 1 2 3\nend\n",
         "cave.level:4: unknown keyword 'colour' inside outline block opened at line 1"},
        {"primitive START\n", "cave.level:1: missing kind"},
        {"primitive START cone 1 2\n", "cave.level:1: unknown primitive kind 'cone'"},
        {"primitive END1 box 1 2 3\n",
         "cave.level:1: missing number: expected 'primitive NAME box"},
        {"primitive S sphere 1 2 3 4\n", "cave.level:1: too many values"},
        {"primitive S sphere 1 2 0\n", "cave.level:1: radius must be greater than 0"},
        {"light l omni\n  colour 1 1 1\nend\n", "cave.level:1: light 'l' has no 'position'"},
        {"light l spot\n", "cave.level:1: expected 'light NAME omni' or 'light NAME directional'"},
        {"light l omni\n  position 0 0\n  attenuation 30 10\nend\n",
         "cave.level:3: attenuation needs 0 <= START < END"},
        {"light l directional\n  position 0 0\nend\n",
         "cave.level:2: a directional light has a 'direction'"},
        {"material a\n  base a.png\n  map 0 b.png\nend\n",
         "cave.level:3: map slot 0 is already given at line 2"},
        {"material a\n  map 6 b.png\nend\n", "cave.level:2: map slot 6 is not one of 0 to 5"},
        {"material a\n  base b.png uv 9\nend\n", "cave.level:2: uv channel 9 is not one of 0 to 7"},
        {"material a\n  scroll z 1\nend\n", "cave.level:2: scroll axis 'z' is not x or y"},
        {"material \"unterminated\n", "cave.level:1: unterminated quoted name"},
        {"end\n", "cave.level:1: 'end' without an open block"},
        {"mesh m\n  triangle 0 0 0 1 0 0 0 1\nend\n",
         "cave.level:2: missing number: expected 'triangle"},
        {"outline o\n  line 0 0 1e300 1\nend\n", "cave.level:2: '1e300' is out of range"},
        {"material a\n  scroll x -2e9\nend\n", "cave.level:2: '-2e9' is out of range"},
    };
    for (const Case& c : cases) {
        const Parsed parsed = Parse(c.text);
        EXPECT_FALSE(parsed.ok) << c.text;
        EXPECT_THAT(parsed.Messages(), HasSubstr(c.message)) << c.text;
    }
}

TEST(LevelSource, EveryErrorOfAFileIsReportedNotOnlyTheFirst) {
    const Parsed parsed = Parse("bogus\nprimitive A point x 1\nprimitive B point 1 2\nbogus2\n");
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.diagnostics.ErrorCount(), 3);
    EXPECT_THAT(parsed.Messages(), HasSubstr("cave.level:1:"));
    EXPECT_THAT(parsed.Messages(), HasSubstr("cave.level:2:"));
    EXPECT_THAT(parsed.Messages(), HasSubstr("cave.level:4:"));
    ASSERT_EQ(parsed.source.primitives.size(), 1u);
    EXPECT_EQ(parsed.source.primitives[0].name, "B");
}

TEST(LevelSource, AMissingFileIsAnErrorNamingIt) {
    TempDir dir;
    LevelSource source;
    Diagnostics diagnostics;
    EXPECT_FALSE(ReadLevelSourceFile(dir.File("nope.level"), source, diagnostics));
    ASSERT_EQ(diagnostics.messages.size(), 1u);
    EXPECT_EQ(diagnostics.messages[0].Text(),
              dir.File("nope.level") + ": cannot open the level source");

    dir.Write("ok.level", "primitive QUARN point 0 0\n");
    Diagnostics second;
    EXPECT_TRUE(ReadLevelSourceFile(dir.File("ok.level"), source, second));
    EXPECT_EQ(source.file, dir.File("ok.level"));
    EXPECT_EQ(source.primitives.size(), 1u);
}

TEST(LevelSource, WarningsAreFormattedAsWarnings) {
    Diagnostic warning{"a.level", 7, true, "careful"};
    EXPECT_EQ(warning.Text(), "a.level:7: warning: careful");
    Diagnostic error{"a.level", 0, false, "broken"};
    EXPECT_EQ(error.Text(), "a.level: broken");
}

}  // namespace
