#include "game/level_triggers.h"

#include <algorithm>

#include "core/event_list.h"
#include "physics/base_object.h"
#include "scene/scene.h"

void LevelTriggers::OnSceneLoaded() {
    endZones.clear();
    startPoints.clear();
    lastCheckpointId = 0;
    levelSoundCount = 0;
}

void LevelTriggers::OnSceneUnloaded() {
    endZones.clear();
    startPoints.clear();
    checkpoints.clear();
    soundTriggers.clear();
    levelSoundCount = 0;
}

void LevelTriggers::AddEndZone(const PrimitiveEntry& entry, int32_t id) {
    if (entry.object == nullptr)
        return;
    const int code = entry.object->TypeCode();
    if (code != TypeBox && code != TypeCylinder)
        return;
    EndZone zone;
    zone.id = id;
    zone.kind = static_cast<uint8_t>(code);
    zone.primitive = entry.object.get();
    endZones.push_back(zone);
}

void LevelTriggers::AddStartPoint(float x, float /*y*/, float z, int32_t id) {
    StartPoint point;
    point.id = id;
    point.position.Set(x, z);
    startPoints.push_back(point);
}

void LevelTriggers::AddCheckpoint(int32_t id, float x, float y, float z, float height,
                                  float radius) {
    checkpoints.push_back({id, x, y, z, height, radius});
}

int32_t LevelTriggers::AddSoundTrigger(int32_t realId, float x, float y, float radius) {
    SoundTrigger trigger;
    trigger.realId = realId;
    trigger.x = x;
    trigger.y = y;
    trigger.radius = radius;
    trigger.inside = false;
    int32_t result = -1;
    const SoundTrigger* earlier = nullptr;
    for (const SoundTrigger& t : soundTriggers) {
        if (t.realId == realId) {
            earlier = &t;
            break;
        }
    }
    if (earlier != nullptr) {
        trigger.levelSoundId = earlier->levelSoundId;
    } else {
        trigger.levelSoundId = levelSoundCount;
        result = levelSoundCount;
        ++levelSoundCount;
    }
    soundTriggers.push_back(trigger);
    return result;
}

bool LevelTriggers::CheckCheckpoints(const TBaseObject& ball) {
    const Checkpoint* touched = TouchedCheckpoint(ball);
    if (touched == nullptr)
        return false;
    lastCheckpointId = touched->id;
    return true;
}

const Checkpoint* LevelTriggers::TouchedCheckpoint(const TBaseObject& ball) const {
    // A checkpoint's cylinder stands along the depth axis, so its area in the
    // play plane is the circle of its radius about (x, z), as for end zones.
    for (const Checkpoint& checkpoint : checkpoints) {
        const Vector2 centre{checkpoint.x, checkpoint.z};
        if (Distance(ball.position, centre) <= checkpoint.radius + ball.radius)
            return &checkpoint;
    }
    return nullptr;
}

namespace {

bool BallInCylinder(const TBaseObject& ball, const Cylinder& cylinder) {
    const Vector2 axis{cylinder.centre.x, cylinder.centre.z};
    return cylinder.radius > Distance(ball.position, axis) + ball.radius;
}

bool BallOverlapsBox(const TBaseObject& ball, const Box& box) {
    // Scene boxes may name their corners in any order.
    const Vector low{std::min(box.a.x, box.b.x), std::min(box.a.y, box.b.y),
                     std::min(box.a.z, box.b.z)};
    const Vector high{std::max(box.a.x, box.b.x), std::max(box.a.y, box.b.y),
                      std::max(box.a.z, box.b.z)};
    return CircleOverlapsRect(static_cast<float>(ball.position.x),
                              static_cast<float>(ball.position.y), static_cast<float>(ball.radius),
                              low, high);
}

}  // namespace

bool LevelTriggers::CheckEndZones(const TBaseObject& ball) {
    for (const EndZone& zone : endZones) {
        bool reached = false;
        if (zone.kind == TypeCylinder)
            reached = BallInCylinder(ball, *static_cast<const Cylinder*>(zone.primitive));
        else if (zone.kind == TypeBox)
            reached = BallOverlapsBox(ball, *static_cast<const Box*>(zone.primitive));
        if (reached) {
            entryNumber = zone.id;
            return true;
        }
    }
    return false;
}

void LevelTriggers::UpdateSoundTriggers(const TBaseObject& ball, EventList& events) {
    for (SoundTrigger& trigger : soundTriggers) {
        const double d = Distance(Vector2{trigger.x, trigger.y}, ball.position);
        GameEvent event;
        event.trigger = trigger.levelSoundId;
        if (d >= trigger.radius) {
            if (trigger.inside) {
                event.type = EventLevelSoundOff;
                events.Append(event);
                trigger.inside = false;
            }
            continue;
        }
        const float share = (1.0f - static_cast<float>(d) / trigger.radius) * 100.0f;
        const int32_t percent = static_cast<int32_t>(share);
        event.value = percent < 0 ? 0 : percent;
        event.type = trigger.inside ? EventLevelSoundVolume : EventLevelSoundOn;
        trigger.inside = true;
        events.Append(event);
    }
}

void LevelTriggers::ResetSoundTriggers() {
    for (SoundTrigger& trigger : soundTriggers)
        trigger.inside = false;
}

Vector2 LevelTriggers::GetStartPosition() const {
    if (entryNumber >= 0) {
        for (const StartPoint& point : startPoints) {
            if (point.id == entryNumber)
                return point.position;
        }
    }
    // Numbers from this one on mark start points that are never a default.
    constexpr int32_t kNeverDefault = 100000000;
    const StartPoint* best = nullptr;
    for (const StartPoint& point : startPoints) {
        if (point.id >= kNeverDefault)
            continue;
        if (best == nullptr || point.id < best->id)
            best = &point;
    }
    return best != nullptr ? best->position : Vector2{0.0, 0.0};
}
