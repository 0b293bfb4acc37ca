#pragma once
// The level's trigger lists and their scalar state, kept by the game beside
// its scene: end zones, start points, checkpoints and sound areas. The game
// tells them when a scene has loaded and when it is unloaded.

#include <cstdint>
#include <vector>

#include "core/vector.h"

class DHelper;
class EventList;
class TBaseObject;
struct PrimitiveEntry;

struct EndZone {
    int32_t id = 0;
    uint8_t kind = 0;                    // primitive type code: 0 box, 3 cylinder
    const DHelper* primitive = nullptr;  // owned by the scene's primitive entry
};

struct StartPoint {
    int32_t id = 0;
    Vector2 position{0, 0};
};

struct Checkpoint {
    int32_t id = 0;
    float x = 0, y = 0, z = 0;
    float height = 0;
    float radius = 0;
};

struct SoundTrigger {
    int32_t levelSoundId = 0;
    int32_t realId = 0;
    float x = 0, y = 0;
    float radius = 0;
    bool inside = false;
};

class LevelTriggers {
public:
    // A successful scene load: end zones and start points emptied, last
    // checkpoint id and level-sound count back to 0.
    void OnSceneLoaded();
    // The level is unloaded: every list emptied, level-sound count 0. The entry
    // number survives both.
    void OnSceneUnloaded();

    // Appends an end zone for a Box or Cylinder entry; other kinds are ignored.
    void AddEndZone(const PrimitiveEntry& entry, int32_t id);
    // A start point at the scene point's plane position (x, z).
    void AddStartPoint(float x, float y, float z, int32_t id);
    void AddCheckpoint(int32_t id, float x, float y, float z, float height, float radius);
    // Returns the new level-sound id, or -1 when realId already has one (the
    // trigger then shares it).
    int32_t AddSoundTrigger(int32_t realId, float x, float y, float radius);

    // Whether the ball touches a checkpoint; records the first one's id.
    bool CheckCheckpoints(const TBaseObject& ball);
    // The first checkpoint the ball touches, null for none; records nothing.
    const Checkpoint* TouchedCheckpoint(const TBaseObject& ball) const;
    // Whether the ball is in an end zone; the first one's id becomes the
    // entry number.
    bool CheckEndZones(const TBaseObject& ball);
    // Appends level-sound start, volume and stop events as the ball enters,
    // moves inside and leaves the sound areas.
    void UpdateSoundTriggers(const TBaseObject& ball, EventList& events);
    void ResetSoundTriggers();
    // The start point numbered like the entry number, else the one with the
    // smallest number, else (0, 0).
    Vector2 GetStartPosition() const;

    std::vector<EndZone> endZones;
    std::vector<StartPoint> startPoints;
    std::vector<Checkpoint> checkpoints;
    std::vector<SoundTrigger> soundTriggers;
    int32_t entryNumber = -1;
    int32_t lastCheckpointId = 0;
    int32_t levelSoundCount = 0;
};
