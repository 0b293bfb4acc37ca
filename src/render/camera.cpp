#include "render/camera.h"

#include <cmath>

Camera::Camera() {
    position.Clear();
    step.Clear();
    rotationAxis.Clear();
    previousPosition.Clear();
}

void Camera::ApplySettings(float newMaxSpeedRadius, float newMinSpeedRadius, float newMaxSpeed,
                           float newZ) {
    maxSpeedRadius = newMaxSpeedRadius;
    minSpeedRadius = newMinSpeedRadius;
    maxSpeed = newMaxSpeed;
    z = newZ;
    rotationAngle = -90.0;
    rotationAxis.Set(1.0, 0.0, 0.0);
    position.y = z;
    previousPosition = position;
}

void Camera::Follow(const Vector2& ball) {
    previousPosition = position;
    const Vector2 centre = Centre();
    const double d = Distance(ball, centre);
    if (d <= minSpeedRadius) {
        // Snap onto the ball; the step keeps its last value.
        position.x = -ball.x;
        position.z = -ball.y;
        return;
    }
    const double heading = HeadingAngle(ball, centre);
    double speed = maxSpeed;
    if (maxSpeedRadius > d)
        speed = maxSpeed * d / maxSpeedRadius;
    step.Set(speed * std::sin(heading), 0.0, speed * std::cos(heading));
    position += step;
}
