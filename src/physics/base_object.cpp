#include "physics/base_object.h"

TBaseObject::TBaseObject() {
    position.Clear();
    previousPosition.Clear();
    velocity.Clear();
}

void TBaseObject::Move() {
    previousPosition = position;
    position += velocity;
}

void TBaseObject::MoveScaled(double dt) {
    previousPosition = position;
    position += velocity * dt * 60.0;
}

Vector2 TBaseObject::GetPosition() const {
    return position;
}

void TBaseObject::SetPosition(const Vector2& value) {
    position = value;
}
