#pragma once
// Advances the ball and the hook by one fixed step at a time. There is no
// time step: positions are level units, velocities units per step, and every
// force is a velocity change applied once per step.

#include <cstdint>
#include <string>
#include <vector>

#include "core/event_list.h"
#include "core/outline.h"
#include "core/settings.h"
#include "core/vector.h"
#include "physics/contact.h"
#include "physics/field_object.h"
#include "physics/outline_index.h"

class TBaseObject;
class TPlayer;
class TRope;

// Where a hook fired now would go.
struct ShotPrediction {
    // The hook's path: from the ball's position, the hook after each step.
    std::vector<Vector2> path;
    // Whether the hook catches at the path's last point. Otherwise the path
    // ends where the hook first reaches the rope's full length, where a
    // deadly outline cuts the rope or kills the ball, or after
    // kMostPredictedSteps steps.
    bool catches = false;
};

constexpr int kMostPredictedSteps = 400;

// Raise it with every change to what a step computes: records and replays of
// another version no longer hold.
constexpr uint32_t kPhysicsVersion = 1;

class PhysicsWorld {
public:
    PhysicsWorld();

    void SetPlayer(TPlayer* player) { ball_ = player; }
    // The level's collision outlines. The outline index is built here and
    // again after the outlines are reloaded or cleared or their list changes
    // size; after editing outlines in place, call RebuildBroadPhase.
    void SetScene(const OutlineView& outlines);
    void RebuildBroadPhase();
    // With the broad phase (the default) collision and wrapping test only
    // the outline edges and points near the bodies; without it they scan
    // every outline. Both give the same results.
    void SetBroadPhase(bool enabled) { broadPhase_ = enabled; }
    bool BroadPhase() const { return broadPhase_; }
    const OutlineIndex& Index() const { return index_; }
    void SetParameters(const PhysicsParameters& parameters) { parameters_ = parameters; }
    const PhysicsParameters& Parameters() const { return parameters_; }

    void AddFieldObject(const std::string& name, float x, float y, uint8_t magnet, float strength,
                        float radius, int32_t type);
    void ClearFieldObjects();
    const std::vector<FieldObject>& FieldObjects() const { return fieldObjects_; }

    // One simulation step: forces, the hook's flight or the rope constraint,
    // the ball's collision, rope wrapping, the ball's move.
    void Step();
    void ApplyForces();
    // Places the hook at level start: straight up from the ball until it
    // catches, at most 250 steps of 5 units.
    void SettleRope();
    // Whether body's motion in this step meets an outline edge; fills contact
    // on a hit. Deadly outlines raise death or rope-release events instead.
    bool Collide(const TBaseObject& body, Contact& contact);
    // The body's velocity mirrored at the contact's edge.
    Vector2 Reflect(const TBaseObject& body, const Contact& contact) const;

    // The flight of a hook the ball fires now at `angle` (a heading), step by
    // step as Step would run it, on copies of the ball and its rope. Nothing
    // of the world changes: not the bodies, not its events.
    void PredictShot(double angle, ShotPrediction& prediction) const;

    // What happened in the steps, settling and collision queries since the
    // caller last cleared them (hook caught, ball collision, death, rope
    // released by a deadly outline), oldest first. The world never acts on
    // them; the caller drains them into its own event handling.
    const EventList& Events() const { return events_; }
    void ClearEvents() { events_.Clear(); }

private:
    static void Raise(EventList& events, int32_t type, int32_t sample = 0);
    // One step of the ball and its rope against this world's outlines and
    // fields, what happens going to `events`; true when the flight limit
    // held the hook this step. Step runs it on the world's bodies, the
    // prediction on copies.
    bool StepBodies(TPlayer& ball, TRope& rope, const OutlineIndex* index, EventList& events) const;
    void ApplyForcesTo(TPlayer& ball, TRope& rope) const;
    bool CollideWith(const TBaseObject& body, Contact& contact, const OutlineIndex* index,
                     EventList& events) const;
    // The index of the current outlines, brought up to date, or nullptr for a
    // whole scan.
    const OutlineIndex* BroadPhaseIndex();
    // The index when it is up to date, else nullptr: the same answers
    // without building anything.
    const OutlineIndex* CurrentIndex() const;

    EventList events_;
    std::vector<FieldObject> fieldObjects_;
    TPlayer* ball_ = nullptr;
    OutlineView outlines_;
    PhysicsParameters parameters_;
    OutlineIndex index_;
    bool broadPhase_ = true;
};
