// Sound areas, start points and checkpoints of the level's trigger lists.

#include "game/level_triggers.h"

#include <gtest/gtest.h>

#include "core/event_list.h"
#include "physics/player.h"

namespace {

TEST(SoundTriggers, RepeatedNumbersShareOneLevelSound) {
    LevelTriggers triggers;
    EXPECT_EQ(triggers.AddSoundTrigger(7, 0.0f, 0.0f, 50.0f), 0);
    EXPECT_EQ(triggers.AddSoundTrigger(3, 10.0f, 0.0f, 50.0f), 1);
    EXPECT_EQ(triggers.AddSoundTrigger(7, 20.0f, 0.0f, 50.0f), -1);
    EXPECT_EQ(triggers.AddSoundTrigger(9, 30.0f, 0.0f, 50.0f), 2);
    ASSERT_EQ(triggers.soundTriggers.size(), 4u);
    EXPECT_EQ(triggers.soundTriggers[2].levelSoundId, 0);
    EXPECT_EQ(triggers.soundTriggers[2].realId, 7);
    EXPECT_EQ(triggers.levelSoundCount, 3);

    triggers.OnSceneUnloaded();
    EXPECT_TRUE(triggers.soundTriggers.empty());
    EXPECT_EQ(triggers.AddSoundTrigger(7, 0.0f, 0.0f, 50.0f), 0);
}

TEST(SoundTriggers, StartVolumeAndStopEventsAsTheBallMoves) {
    LevelTriggers triggers;
    triggers.AddSoundTrigger(4, 100.0f, 0.0f, 100.0f);
    EventList events;
    TPlayer ball;

    ball.position.Set(100.0 - 100.0, 0.0);  // exactly on the radius: outside
    triggers.UpdateSoundTriggers(ball, events);
    EXPECT_TRUE(events.Empty());

    ball.position.Set(0.5, 0.0);  // distance 99.5
    triggers.UpdateSoundTriggers(ball, events);
    ASSERT_EQ(events.Size(), 1u);
    EXPECT_EQ(events[0].type, EventLevelSoundOn);
    EXPECT_EQ(events[0].trigger, 0);
    EXPECT_EQ(events[0].value, 0);

    ball.position.Set(50.0, 0.0);
    triggers.UpdateSoundTriggers(ball, events);
    ASSERT_EQ(events.Size(), 2u);
    EXPECT_EQ(events[1].type, EventLevelSoundVolume);
    EXPECT_EQ(events[1].value, 50);

    ball.position.Set(100.0, 0.0);
    triggers.UpdateSoundTriggers(ball, events);
    EXPECT_EQ(events[2].type, EventLevelSoundVolume);
    EXPECT_EQ(events[2].value, 100);

    ball.position.Set(250.0, 0.0);
    triggers.UpdateSoundTriggers(ball, events);
    triggers.UpdateSoundTriggers(ball, events);
    ASSERT_EQ(events.Size(), 4u);
    EXPECT_EQ(events[3].type, EventLevelSoundOff);
    EXPECT_EQ(events[3].trigger, 0);

    // A restart inside a trigger starts its sound again.
    ball.position.Set(60.0, 0.0);
    triggers.UpdateSoundTriggers(ball, events);
    triggers.ResetSoundTriggers();
    triggers.UpdateSoundTriggers(ball, events);
    ASSERT_EQ(events.Size(), 6u);
    EXPECT_EQ(events[4].type, EventLevelSoundOn);
    EXPECT_EQ(events[5].type, EventLevelSoundOn);
    EXPECT_EQ(events[5].value, 60);
}

TEST(StartPoints, EntryNumberThenSmallestNumberThenOrigin) {
    LevelTriggers triggers;
    EXPECT_EQ(triggers.entryNumber, -1);
    EXPECT_EQ(triggers.GetStartPosition().x, 0.0);
    EXPECT_EQ(triggers.GetStartPosition().y, 0.0);

    triggers.AddStartPoint(10.0f, 99.0f, 20.0f, 5);
    triggers.AddStartPoint(30.0f, 99.0f, 40.0f, 2);
    triggers.AddStartPoint(50.0f, 99.0f, 60.0f, 2);
    triggers.AddStartPoint(70.0f, 99.0f, 80.0f, 100000000);
    EXPECT_EQ(triggers.startPoints[0].position.y, 20.0);  // (x, z)
    EXPECT_EQ(triggers.GetStartPosition().x, 30.0);       // smallest, first of equals

    triggers.entryNumber = 5;
    EXPECT_EQ(triggers.GetStartPosition().x, 10.0);
    triggers.entryNumber = 7;  // no START7: the default
    EXPECT_EQ(triggers.GetStartPosition().x, 30.0);
    triggers.entryNumber = 100000000;  // a matching number is still taken
    EXPECT_EQ(triggers.GetStartPosition().x, 70.0);

    // Only very large numbers: none is eligible as a default.
    LevelTriggers far;
    far.AddStartPoint(70.0f, 0.0f, 80.0f, 100000001);
    EXPECT_EQ(far.GetStartPosition().x, 0.0);

    // START and QUARN both numbered -1: whichever comes first.
    LevelTriggers both;
    both.AddStartPoint(1.0f, 0.0f, 1.0f, -1);
    both.AddStartPoint(2.0f, 0.0f, 2.0f, -1);
    EXPECT_EQ(both.GetStartPosition().x, 1.0);
}

TEST(StartPoints, EntryNumberSurvivesLoadAndUnload) {
    LevelTriggers triggers;
    triggers.entryNumber = 4;
    triggers.lastCheckpointId = 3;
    triggers.AddStartPoint(1.0f, 0.0f, 1.0f, 4);
    triggers.AddCheckpoint(1, 0.0f, 0.0f, 0.0f, 10.0f, 10.0f);
    triggers.OnSceneLoaded();
    EXPECT_EQ(triggers.entryNumber, 4);
    EXPECT_EQ(triggers.lastCheckpointId, 0);
    EXPECT_TRUE(triggers.startPoints.empty());
    EXPECT_EQ(triggers.checkpoints.size(), 1u);  // only unloading empties them
    triggers.OnSceneUnloaded();
    EXPECT_EQ(triggers.entryNumber, 4);
    EXPECT_TRUE(triggers.checkpoints.empty());
}

TEST(Checkpoints, BallCircleTouchingTheFootprintRecordsTheFirst) {
    LevelTriggers triggers;
    triggers.AddCheckpoint(3, 100.0f, -40.0f, 0.0f, 80.0f, 20.0f);
    triggers.AddCheckpoint(4, 110.0f, 0.0f, 0.0f, 80.0f, 20.0f);
    TPlayer ball;
    ball.position.Set(70.0, 0.0);  // 30 from the first: 25 + 5 is the reach
    EXPECT_FALSE(triggers.CheckCheckpoints(ball));
    EXPECT_EQ(triggers.lastCheckpointId, 0);
    ball.position.Set(75.0, 0.0);  // touching the first
    EXPECT_TRUE(triggers.CheckCheckpoints(ball));
    EXPECT_EQ(triggers.lastCheckpointId, 3);
    ball.position.Set(132.0, 0.0);  // only the second
    EXPECT_TRUE(triggers.CheckCheckpoints(ball));
    EXPECT_EQ(triggers.lastCheckpointId, 4);
    ball.position.Set(100.0, 30.0);  // depth (scene y) plays no part; z does
    EXPECT_FALSE(triggers.CheckCheckpoints(ball));
}

}  // namespace
