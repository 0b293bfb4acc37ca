#pragma once
// Game events raised by the physics, the level triggers, the control step and
// the in-game menu, and consumed once per frame by the game, last in first out.

#include <cstddef>
#include <cstdint>
#include <vector>

enum GameEventType : int32_t {
    EventPlayEffect = 0,
    EventRestart = 1,
    EventBallCollision = 2,
    EventLevelSoundOn = 3,
    EventLevelSoundOff = 4,
    EventLevelSoundVolume = 5,
    EventRopeRelease = 6,
    EventDeath = 7,
};

struct GameEvent {
    int32_t type = 0;
    int32_t sample = 0;   // sample index
    int32_t trigger = 0;  // trigger id
    int32_t value = 0;
};

// Sees every event as it is appended (the simulator's step trace).
class EventListObserver {
public:
    virtual ~EventListObserver() = default;
    virtual void OnAppend(const GameEvent& event) = 0;
};

// Events are held by value; the list keeps its capacity between frames so a
// simulation step does not allocate once the list has grown to its working size.
class EventList {
public:
    EventList() { events_.reserve(64); }

    void Append(const GameEvent& event) {
        events_.push_back(event);
        if (observer_)
            observer_->OnAppend(event);
    }
    bool Empty() const { return events_.empty(); }
    size_t Size() const { return events_.size(); }
    const GameEvent& operator[](size_t i) const { return events_[i]; }

    // Removes and returns the newest event. The list must not be empty.
    GameEvent TakeLast() {
        const GameEvent event = events_.back();
        events_.pop_back();
        return event;
    }
    void Clear() { events_.clear(); }

    // At most one observer; null removes it.
    void SetObserver(EventListObserver* observer) { observer_ = observer; }

private:
    std::vector<GameEvent> events_;
    EventListObserver* observer_ = nullptr;
};
