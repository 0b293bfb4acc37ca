#include "game/event_list.h"

#include <gtest/gtest.h>

namespace {

GameEvent Event(int32_t type, int32_t sample = 0, int32_t trigger = 0, int32_t value = 0) {
    GameEvent e;
    e.type = type;
    e.sample = sample;
    e.trigger = trigger;
    e.value = value;
    return e;
}

TEST(EventList, TakesEventsLastInFirstOutWithTheirFields) {
    EventList list;
    EXPECT_TRUE(list.Empty());
    list.Append(Event(EventPlayEffect, 3));
    list.Append(Event(EventLevelSoundOn, 0, 7, 42));
    list.Append(Event(EventDeath));
    ASSERT_EQ(list.Size(), 3u);
    EXPECT_EQ(list[0].sample, 3);

    EXPECT_EQ(list.TakeLast().type, EventDeath);
    const GameEvent sound = list.TakeLast();
    EXPECT_EQ(sound.type, EventLevelSoundOn);
    EXPECT_EQ(sound.trigger, 7);
    EXPECT_EQ(sound.value, 42);
    EXPECT_EQ(list.TakeLast().sample, 3);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.AppendedCount(), 3u);

    list.Append(Event(EventRestart));
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.AppendedCount(), 4u);
}

}  // namespace
