#pragma once
// The camera looks straight at the play plane from a fixed distance and
// follows the ball, faster the farther the ball is from its centre. It stores
// the translation rendering applies, so x and z hold the negated coordinates
// of the plane point it looks at.

#include "core/vector.h"

class Camera {
public:
    Camera();

    // Stores the Camera settings, sets the rotation (-90 degrees about x) and
    // the distance from the plane.
    void ApplySettings(float maxSpeedRadius, float minSpeedRadius, float maxSpeed, float z);
    // One movement step towards the ball; called once per simulation step.
    void Follow(const Vector2& ball);

    // The plane point the camera looks at.
    Vector2 Centre() const { return {-position.x, -position.z}; }

    Vector3d position;
    float maxSpeedRadius = 0.0f;
    float minSpeedRadius = 0.0f;
    float maxSpeed = 0.0f;
    float z = 0.0f;
    Vector3d step;
    double rotationAngle = 0.0;  // degrees
    Vector3d rotationAxis;
    double drawingLag = 0.0;  // the game's render blend factor
    Vector3d previousPosition;
};
