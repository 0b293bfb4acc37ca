// Level objects named by keyword: the naming rules, the numbers, and what
// each named primitive becomes.

#include "game/level_description.h"
#include "game/level_triggers.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "physics/physics_world.h"
#include "scene/scene.h"
#include "support/recording_subsystems.h"
#include "support/scene_builder.h"

namespace {

void ExpectName(const std::string& name, LevelObjectKind kind, int32_t number) {
    const LevelObjectName parsed = ParseLevelObjectName(name);
    EXPECT_EQ(parsed.kind, kind) << name;
    EXPECT_EQ(parsed.number, number) << name;
}

TEST(LevelObjectNames, PrefixAndWholeNameRulesWithAtolNumbers) {
    ExpectName("START", LevelObjectKind::Start, -1);
    ExpectName("START12", LevelObjectKind::Start, 12);
    ExpectName("STARTX", LevelObjectKind::Start, 0);
    ExpectName("START-3", LevelObjectKind::Start, -3);
    ExpectName("START 4b", LevelObjectKind::Start, 4);  // leading blanks, then digits
    ExpectName("QUARN", LevelObjectKind::Start, -1);
    ExpectName("QUARNX", LevelObjectKind::None, 0);
    ExpectName("QUARN2", LevelObjectKind::None, 0);
    ExpectName("SOUND", LevelObjectKind::Sound, 0);
    ExpectName("SOUND7", LevelObjectKind::Sound, 7);
    ExpectName("SOUNDwater", LevelObjectKind::Sound, 0);
    ExpectName("MAGNET_left", LevelObjectKind::Magnet, 0);
    ExpectName("BHOLE", LevelObjectKind::BlackHole, 0);
    ExpectName("CP3", LevelObjectKind::Checkpoint, 3);
    ExpectName("END", LevelObjectKind::End, -1);
    ExpectName("END7", LevelObjectKind::End, 7);
    ExpectName("ENDING", LevelObjectKind::End, 0);
    // Keywords are case-sensitive and must start the name.
    ExpectName("start1", LevelObjectKind::None, 0);
    ExpectName("End", LevelObjectKind::None, 0);
    ExpectName("MYSTART", LevelObjectKind::None, 0);
    ExpectName("", LevelObjectKind::None, 0);
}

TEST(LevelObjectNames, NumbersBeyondThirtyTwoBitsAreHeldAtTheLimits) {
    EXPECT_EQ(ReadLeadingNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(ReadLeadingNumber("2147483648"), INT32_MAX);
    EXPECT_EQ(ReadLeadingNumber("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(ReadLeadingNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(ReadLeadingNumber("-99999999999999999999999"), INT32_MIN);
    EXPECT_EQ(ReadLeadingNumber("+15x"), 15);
    EXPECT_EQ(ReadLeadingNumber("-"), 0);
    EXPECT_EQ(ReadLeadingNumber(""), 0);
}

class LevelDescriptionTest : public ::testing::Test {
protected:
    void Add(const std::string& name, std::unique_ptr<DHelper> object) {
        scene_.primitives.push_back(MakePrimitive(name, std::move(object)));
    }
    void Interpret() { InterpretLevelDescription(scene_, triggers_, world_, parameters_, &sound_); }

    Scene scene_;
    LevelTriggers triggers_;
    PhysicsWorld world_;
    PhysicsParameters parameters_;
    CallLog log_;
    RecordingSound sound_{&log_};
};

TEST_F(LevelDescriptionTest, StartPointsAtTheFirstPointOfAnyPrimitive) {
    Add("START2", std::make_unique<Point>(Vector{10, 99, 20}));
    Add("QUARN", std::make_unique<Sphere>(Vector{-5, 1, 7}, 3.0f));
    Add("START", std::make_unique<Box>(Vector{1, 2, 3}, Vector{40, 50, 60}));
    Add("START3", std::make_unique<Cylinder>(Vector{8, 0, -8}, 100.0f, 30.0f));
    Add("QUARNX", std::make_unique<Point>(Vector{500, 0, 500}));
    Interpret();
    const auto& starts = triggers_.startPoints;
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_EQ(starts[0].id, 2);
    EXPECT_EQ(starts[0].position.x, 10.0);
    EXPECT_EQ(starts[0].position.y, 20.0);
    EXPECT_EQ(starts[1].id, -1);
    EXPECT_EQ(starts[1].position.x, -5.0);
    EXPECT_EQ(starts[1].position.y, 7.0);
    EXPECT_EQ(starts[2].position.x, 1.0);  // a box's first corner
    EXPECT_EQ(starts[2].position.y, 3.0);
    EXPECT_EQ(starts[3].id, 3);
    // QUARN comes before START, both -1: the first of them is the default start.
    const Vector2 start = triggers_.GetStartPosition();
    EXPECT_EQ(start.x, -5.0);
    EXPECT_EQ(start.y, 7.0);
}

TEST_F(LevelDescriptionTest, SoundsShareALevelSoundPerNumber) {
    Add("SOUND4", std::make_unique<Sphere>(Vector{10, 0, 20}, 50.0f));
    Add("SOUND2", std::make_unique<Sphere>(Vector{0, 0, 0}, 10.0f));
    Add("SOUND4", std::make_unique<Sphere>(Vector{90, 0, 80}, 25.0f));
    Interpret();
    EXPECT_EQ(log_,
              (CallLog{"sound.AddLevelSound(0, 4, SOUND4)", "sound.AddLevelSound(1, 2, SOUND2)",
                       "sound.AddLevelSound(-1, 4, SOUND4)"}));
    const auto& triggers = triggers_.soundTriggers;
    ASSERT_EQ(triggers.size(), 3u);
    EXPECT_EQ(triggers[2].levelSoundId, 0);
    EXPECT_EQ(triggers[2].realId, 4);
    EXPECT_EQ(triggers[2].x, 90.0f);
    EXPECT_EQ(triggers[2].y, 80.0f);
    EXPECT_EQ(triggers[2].radius, 25.0f);
}

TEST_F(LevelDescriptionTest, MagnetsAndBlackHolesTakeTheLevelsPhysicsValues) {
    parameters_.magnetMaxForce = 3.5f;
    parameters_.magnetRadius = 40.0f;
    parameters_.bhMaxForce = -7.0f;
    parameters_.bhRadius = 80.0f;
    Add("MAGNET_a", std::make_unique<Point>(Vector{1, 2, 3}));
    Add("BHOLE", std::make_unique<Cube>(Vector{-4, 5, -6}, 2.0f));
    Interpret();
    const auto& objects = world_.FieldObjects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_STREQ(objects[0].name, "MAGNET_a");
    EXPECT_EQ(objects[0].position.x, 1.0);
    EXPECT_EQ(objects[0].position.y, 3.0);
    EXPECT_EQ(objects[0].magnet, 1);
    EXPECT_EQ(objects[0].strength, 3.5);
    EXPECT_EQ(objects[0].radius, 40.0);
    EXPECT_EQ(objects[0].type, FieldRadial);
    EXPECT_STREQ(objects[1].name, "BHOLE");
    EXPECT_EQ(objects[1].position.x, -4.0);
    EXPECT_EQ(objects[1].position.y, -6.0);
    EXPECT_EQ(objects[1].magnet, 0);
    EXPECT_EQ(objects[1].strength, -7.0);
    EXPECT_EQ(objects[1].radius, 80.0);
}

TEST_F(LevelDescriptionTest, CheckpointsAndEndZonesOnlyFromBoxesAndCylinders) {
    Add("CP5", std::make_unique<Cylinder>(Vector{1, 2, 3}, 40.0f, 25.0f));
    Add("END", std::make_unique<Box>(Vector{0, 0, 0}, Vector{10, 10, 10}));
    Add("END3", std::make_unique<Cylinder>(Vector{0, 0, 0}, 10.0f, 30.0f));
    Add("END8", std::make_unique<Sphere>(Vector{0, 0, 0}, 100.0f));
    Add("END9", std::make_unique<Point>(Vector{0, 0, 0}));
    Interpret();
    const auto& checkpoints = triggers_.checkpoints;
    ASSERT_EQ(checkpoints.size(), 1u);
    EXPECT_EQ(checkpoints[0].id, 5);
    EXPECT_EQ(checkpoints[0].x, 1.0f);
    EXPECT_EQ(checkpoints[0].z, 3.0f);
    EXPECT_EQ(checkpoints[0].height, 40.0f);
    EXPECT_EQ(checkpoints[0].radius, 25.0f);
    const auto& ends = triggers_.endZones;
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[0].id, -1);
    EXPECT_EQ(ends[0].kind, TypeBox);
    EXPECT_EQ(ends[1].id, 3);
    EXPECT_EQ(ends[1].kind, TypeCylinder);
}

}  // namespace
