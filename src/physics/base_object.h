#pragma once
// A body of the simulation plane: the player's ball or the hook.

#include <cstdint>

#include "core/vector.h"

enum BodyKind : int32_t {
    BodyHook = 0,
    BodyBall = 1,
};

class TBaseObject {
public:
    TBaseObject();

    // previous position := position; position += velocity.
    virtual void Move();
    // The same with the velocity scaled to dt seconds at 60 steps per second.
    virtual void MoveScaled(double dt);
    virtual Vector2 GetPosition() const;
    // Leaves the previous position and the velocity untouched.
    virtual void SetPosition(const Vector2& value);

    double radius = 5.0;
    int32_t kind = BodyHook;
    Vector2 position;
    Vector2 previousPosition;
    Vector2 velocity;
    float mass = 1.0f;

protected:
    // Bodies are owned and destroyed through their concrete types.
    ~TBaseObject() = default;
};
