#include "physics/physics_world.h"

#include <cmath>
#include <cstring>

#include "physics/player.h"
#include "physics/rope.h"

namespace {

constexpr double kHalfPi = 1.5707963267948966;
constexpr int kSettleSteps = 250;
constexpr double kSettleSpeed = 5.0;
constexpr int32_t kCatchSample = 2;

// Whether the events of a predicted step end the flight: the rope cut by a
// deadly outline, or the ball dead.
bool EndsFlight(const EventList& events) {
    for (size_t i = 0; i < events.Size(); ++i) {
        if (events[i].type == EventRopeRelease || events[i].type == EventDeath)
            return true;
    }
    return false;
}

}  // namespace

PhysicsWorld::PhysicsWorld() {
    // Gravity plus a handful of magnets and black holes per level.
    fieldObjects_.reserve(16);
}

void PhysicsWorld::SetScene(const OutlineView& outlines) {
    outlines_ = outlines;
    RebuildBroadPhase();
}

void PhysicsWorld::RebuildBroadPhase() {
    if (!outlines_.Empty() && broadPhase_)
        index_.Build(outlines_);
    else
        index_.Clear();
}

const OutlineIndex* PhysicsWorld::BroadPhaseIndex() {
    if (!broadPhase_ || outlines_.Empty())
        return nullptr;
    if (!index_.Matches(outlines_))
        index_.Build(outlines_);
    return &index_;
}

const OutlineIndex* PhysicsWorld::CurrentIndex() const {
    if (!broadPhase_ || outlines_.Empty() || !index_.Matches(outlines_))
        return nullptr;
    return &index_;
}

void PhysicsWorld::AddFieldObject(const std::string& name, float x, float y, uint8_t magnet,
                                  float strength, float radius, int32_t type) {
    FieldObject object{};
    std::strncpy(object.name, name.c_str(), kFieldObjectNameLength);
    object.name[kFieldObjectNameLength] = '\0';
    object.position.Set(x, y);
    object.magnet = magnet;
    object.strength = strength;
    object.radius = radius;
    object.type = type;
    fieldObjects_.push_back(object);
}

void PhysicsWorld::ClearFieldObjects() {
    fieldObjects_.clear();
}

void PhysicsWorld::Raise(EventList& events, int32_t type, int32_t sample) {
    GameEvent event;
    event.type = type;
    event.sample = sample;
    events.Append(event);
}

void PhysicsWorld::ApplyForces() {
    if (ball_ == nullptr || ball_->rope == nullptr)
        return;
    ApplyForcesTo(*ball_, *ball_->rope);
}

void PhysicsWorld::ApplyForcesTo(TPlayer& ball, TRope& rope) const {
    Vector2 hookForce{0.0, 0.0};
    Vector2 ballForce{0.0, 0.0};

    if (rope.justFired) {
        const double power = rope.shootPower;
        hookForce = Vector2{std::sin(rope.shootAngle), std::cos(rope.shootAngle)} * power;
        rope.justFired = false;
    } else if (ball.swingDirection != 0) {
        // The push acts at right angles to the rope and only while it holds
        // the ball; a request made in any other state is dropped.
        if (rope.attached) {
            const double theta = HeadingAngle(ball.position, rope.LastAnchor());
            const double phi = theta + kHalfPi;
            const double push = ball.swingDirection * static_cast<double>(parameters_.ropePush);
            ballForce += Vector2{std::sin(phi), std::cos(phi)} * push;
        }
        ball.swingDirection = 0;
    }

    const Vector2 anchor = rope.LastAnchor();
    for (const FieldObject& object : fieldObjects_) {
        if (object.type == FieldUniform) {
            const Vector2 perMass = object.position * object.strength;
            ballForce += perMass * static_cast<double>(ball.mass);
            hookForce += perMass * static_cast<double>(rope.mass);
        } else if (object.type == FieldRadial) {
            const double d = Distance(object.position, ball.position);
            // A centre exactly on the ball's gives no direction and no finite
            // force: neither body receives anything from it.
            if (d < object.radius && d > 0.0) {
                const double k = object.strength * object.radius / d;
                ballForce += Normalized(object.position - ball.position) * k;
                if (Distance(object.position, anchor) > 0.0)
                    hookForce += Normalized(object.position - anchor) * k;
            }
        }
    }

    rope.velocity += hookForce;
    ball.velocity += ballForce;
}

void PhysicsWorld::Step() {
    if (ball_ == nullptr || ball_->rope == nullptr)
        return;
    StepBodies(*ball_, *ball_->rope, BroadPhaseIndex(), events_);
}

bool PhysicsWorld::StepBodies(TPlayer& ball, TRope& rope, const OutlineIndex* index,
                              EventList& events) const {
    ApplyForcesTo(ball, rope);

    bool held = false;
    if (rope.flying) {
        held = rope.LimitFlight(ball.position);
        Contact hookContact;
        if (CollideWith(rope, hookContact, index, events)) {
            rope.Attach(ball.position, hookContact.point);
            Raise(events, EventPlayEffect, kCatchSample);
        } else {
            rope.Move();
        }
    } else if (rope.attached) {
        rope.ConstrainBall(ball.position, ball.velocity);
    }

    Contact ballContact;
    if (CollideWith(ball, ballContact, index, events)) {
        Raise(events, EventBallCollision);
        if (rope.attached)
            rope.ConstrainBall(ball.position, ball.velocity);
        ball.velocity = Reflect(ball, ballContact);
    }

    if (!outlines_.Empty()) {
        if (rope.flying)
            rope.WrapWhileFlying(*outlines_.shapes, ball.position, index);
        if (rope.attached)
            rope.WrapAttached(*outlines_.shapes, ball.position, ball.velocity, index);
    }

    ball.Move();
    return held;
}

void PhysicsWorld::PredictShot(double angle, ShotPrediction& prediction) const {
    prediction.path.clear();
    prediction.catches = false;
    if (ball_ == nullptr || ball_->rope == nullptr)
        return;
    TPlayer ball = *ball_;
    TRope rope = *ball_->rope;
    ball.rope = &rope;
    rope.Shoot(ball.position, angle);
    const OutlineIndex* index = CurrentIndex();
    EventList events;
    prediction.path.push_back(rope.position);
    for (int step = 0; step < kMostPredictedSteps; ++step) {
        const bool held = StepBodies(ball, rope, index, events);
        prediction.path.push_back(rope.position);
        if (rope.attached) {
            prediction.catches = true;
            return;
        }
        if (held || EndsFlight(events))
            return;
        events.Clear();
    }
}

void PhysicsWorld::SettleRope() {
    if (ball_ == nullptr || ball_->rope == nullptr)
        return;
    TRope& rope = *ball_->rope;
    rope.SetPosition(ball_->position);
    rope.velocity.y = kSettleSpeed;
    for (int i = 0; i < kSettleSteps && !rope.attached; ++i) {
        Contact contact;
        if (Collide(rope, contact))
            rope.Attach(ball_->position, contact.point);
        else
            rope.Move();
    }
    rope.velocity.y = 0.0;
}
