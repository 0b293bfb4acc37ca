#pragma once
// The hook and the rope behind it. The hook body is the TBaseObject part;
// the rope adds its state, its lengths and the corners it is wrapped round.

#include <cstdint>
#include <vector>

#include "core/outline.h"
#include "physics/base_object.h"

class OutlineIndex;

// A corner of a collision outline the rope is wrapped round.
struct WrapPoint {
    int32_t outline;
    int32_t polyline;
    int32_t point;
    Vector2 position;  // plane point of that scene point

    bool SameCorner(int32_t o, int32_t l, int32_t p) const {
        return outline == o && polyline == l && point == p;
    }
};

class TRope final : public TBaseObject {
public:
    TRope();

    // The five rope values of the Physics settings, in their file order.
    void SetParameters(float minLen, float maxLen, float reelInSpeed, float reelOutSpeed,
                       float power);

    // Starts a flight from origin; the launch impulse follows in the next
    // ApplyForces.
    void Shoot(const Vector2& origin, double angle);
    // The hook catches at hookPoint.
    void Attach(const Vector2& ballPosition, const Vector2& hookPoint);
    // direction -1 reels in, +1 out, at reelSpeed units per second of dt.
    void Reel(int32_t direction, double dt);
    void UpdateFreeLength(const Vector2& ballPosition);
    void Reset();

    // The last wrap point, or the hook when the rope holds none.
    Vector2 LastAnchor() const;
    // The second-to-last wrap point, or the hook when there are fewer than two.
    Vector2 PreviousAnchor() const;

    // Rope stages of the simulation step. LimitFlight tells whether it held
    // the hook at the full length.
    bool LimitFlight(const Vector2& ballPosition);
    void ConstrainBall(const Vector2& ballPosition, Vector2& ballVelocity) const;
    // The wrap scans visit the outlines' points in scene order; with an index
    // built from the outlines they visit only the points that can wrap or
    // unwrap, with the same outcome.
    void WrapWhileFlying(const std::vector<Shape>& outlines, const Vector2& ballPosition,
                         const OutlineIndex* index = nullptr);
    void WrapAttached(const std::vector<Shape>& outlines, const Vector2& ballPosition,
                      const Vector2& ballVelocity, const OutlineIndex* index = nullptr);

    bool flying = false;
    bool attached = false;
    double freeLength = 20.0;  // rigid length between the ball and the last anchor
    double totalLength = 0.0;  // length the reeling limits apply to
    float minLength = 15.0f;
    float maxLength = 350.0f;  // also the flight limit
    float reelInSpeed = 10.25f;
    float reelSpeed = 10.25f;           // both directions
    float shootPower = 10.0f;           // launch speed, units per step
    std::vector<WrapPoint> wrapPoints;  // first nearest the hook, last nearest the ball
    bool justFired = false;
    double shootAngle = 0.0;
};
