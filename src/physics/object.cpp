#include "physics/object.h"

TObject::TObject() {
    radius = 5.0;
    kind = BodyBall;
    position.Set(-50.0, 0.0);
    velocity.Set(0.0, 0.0);
    swingDirection = 0;
}
