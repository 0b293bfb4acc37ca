#include "core/event_list.h"

#include <gtest/gtest.h>

#include <vector>

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

    list.Append(Event(EventRestart));
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

class RecordingObserver : public EventListObserver {
public:
    void OnAppend(const GameEvent& event) override { seen.push_back(event.type); }
    std::vector<int32_t> seen;
};

TEST(EventList, TheObserverSeesEveryAppendInOrderWhateverIsTakenLater) {
    EventList list;
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.Append(Event(EventBallCollision));
    list.Append(Event(EventRopeRelease));
    list.TakeLast();
    list.Append(Event(EventDeath));
    list.SetObserver(nullptr);
    list.Append(Event(EventRestart));
    EXPECT_EQ(observer.seen,
              (std::vector<int32_t>{EventBallCollision, EventRopeRelease, EventDeath}));
}

}  // namespace
