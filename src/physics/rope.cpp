#include "physics/rope.h"

#include "physics/outline_index.h"

namespace {

// Room for the corners of a long wrap without reallocating during play.
constexpr size_t kReservedWrapPoints = 64;

// Calls visit(outline, polyline, point, plane point) for every outline point,
// in scene order.
template <typename Visit>
void ForEachOutlinePoint(const std::vector<Shape>& outlines, Visit& visit) {
    for (size_t s = 0; s < outlines.size(); ++s) {
        const Shape& shape = outlines[s];
        for (size_t l = 0; l < shape.polylines.size(); ++l) {
            const std::vector<Vector>& points = shape.polylines[l].points;
            for (size_t p = 0; p < points.size(); ++p)
                visit(static_cast<int32_t>(s), static_cast<int32_t>(l), static_cast<int32_t>(p),
                      PlanePoint(points[p]));
        }
    }
}

}  // namespace

TRope::TRope() {
    radius = 5.0;
    kind = BodyHook;
    position.Set(50.0, 0.0);
    wrapPoints.reserve(kReservedWrapPoints);
}

void TRope::SetParameters(float minLen, float maxLen, float reelInSpeedValue, float reelOutSpeed,
                          float power) {
    minLength = minLen;
    maxLength = maxLen;
    reelInSpeed = reelInSpeedValue;
    reelSpeed = reelOutSpeed;
    shootPower = power;
}

void TRope::Shoot(const Vector2& origin, double angle) {
    freeLength = 0.0;
    totalLength = 0.0;
    flying = false;
    attached = false;
    wrapPoints.clear();
    position = origin;
    velocity.Set(0.0, 0.0);
    shootAngle = angle;
    justFired = true;
    flying = true;
}

void TRope::Attach(const Vector2& ballPosition, const Vector2& hookPoint) {
    position = hookPoint;
    velocity.Set(0.0, 0.0);
    flying = false;
    attached = true;
    if (wrapPoints.empty()) {
        freeLength = totalLength = Distance(ballPosition, hookPoint);
        return;
    }
    // Corners collected in flight: the ball hangs from the last one, and the
    // reeling limits measure the whole path hook -> corners -> ball.
    freeLength = Distance(ballPosition, LastAnchor());
    double path = Distance(position, wrapPoints.front().position);
    for (size_t i = 1; i < wrapPoints.size(); ++i)
        path += Distance(wrapPoints[i - 1].position, wrapPoints[i].position);
    path += freeLength;
    const double longest = maxLength;
    totalLength = path > longest ? longest : path;
}

void TRope::Reel(int32_t direction, double dt) {
    const double r = static_cast<double>(reelSpeed) * direction * dt;
    freeLength += r;
    totalLength += r;
    if (totalLength > maxLength) {
        const double excess = totalLength - maxLength;
        freeLength -= excess;
        totalLength -= excess;
    } else if (totalLength < minLength) {
        const double deficit = minLength - totalLength;
        freeLength += deficit;
        totalLength += deficit;
    }
}

void TRope::UpdateFreeLength(const Vector2& ballPosition) {
    freeLength = Distance(ballPosition, LastAnchor());
}

void TRope::Reset() {
    flying = false;
    attached = false;
    freeLength = 0.0;
    totalLength = 0.0;
    wrapPoints.clear();
    position.Set(0.0, 0.0);
    velocity.Set(0.0, 0.0);
}

Vector2 TRope::LastAnchor() const {
    return wrapPoints.empty() ? position : wrapPoints.back().position;
}

Vector2 TRope::PreviousAnchor() const {
    return wrapPoints.size() >= 2 ? wrapPoints[wrapPoints.size() - 2].position : position;
}

bool TRope::LimitFlight(const Vector2& ballPosition) {
    const Vector2 predicted = LastAnchor() + velocity;
    const double d = Distance(predicted, ballPosition);
    // At d == 0 the direction is undefined; that only happens with a maximum
    // length of 0 or less, and the step then goes uncorrected.
    if (!(d >= maxLength && d > 0.0))
        return false;
    velocity -= Normalized(ballPosition - predicted) * (maxLength - d);
    return true;
}

void TRope::ConstrainBall(const Vector2& ballPosition, Vector2& ballVelocity) const {
    const Vector2 anchor = LastAnchor();
    const Vector2 predicted = ballPosition + ballVelocity;
    const double d = Distance(predicted, anchor);
    // A ball predicted exactly on its anchor has no direction to be put back
    // along; it goes uncorrected for this step.
    if (d == 0.0)
        return;
    ballVelocity -= Normalized(anchor - predicted) * (freeLength - d);
}

void TRope::WrapWhileFlying(const std::vector<Shape>& outlines, const Vector2& ballPosition,
                            const OutlineIndex* index) {
    if (!wrapPoints.empty())
        return;
    const Vector2 h0 = previousPosition;
    const Vector2 h1 = position;
    auto testPoint = [&](int32_t o, int32_t pl, int32_t pt, const Vector2& v) {
        if (!PointInTriangle(v, ballPosition, h0, h1))
            return;
        if (!wrapPoints.empty() && wrapPoints.back().SameCorner(o, pl, pt))
            return;
        wrapPoints.push_back({o, pl, pt, v});
    };

    // Only points near the swept triangle can test inside it.
    if (index != nullptr) {
        if (const std::vector<uint32_t>* near =
                index->PointsNear(TriangleBox(ballPosition, h0, h1))) {
            for (uint32_t i : *near) {
                const OutlinePoint& point = index->Point(i);
                testPoint(point.outline, point.polyline, point.point, point.position);
            }
            return;
        }
    }
    ForEachOutlinePoint(outlines, testPoint);
}

void TRope::WrapAttached(const std::vector<Shape>& outlines, const Vector2& ballPosition,
                         const Vector2& ballVelocity, const OutlineIndex* index) {
    if (ballVelocity.x == 0.0 && ballVelocity.y == 0.0)
        return;
    const Vector2 a1 = LastAnchor();
    const Vector2 a0 = PreviousAnchor();
    const Vector2 b0 = ballPosition;
    const Vector2 b1 = ballPosition + ballVelocity;
    auto testPoint = [&](int32_t o, int32_t pl, int32_t pt, const Vector2& v) {
        const bool isLast = !wrapPoints.empty() && wrapPoints.back().SameCorner(o, pl, pt);
        if (PointInTriangle(v, a1, b0, b1)) {
            if (isLast)
                return;
            wrapPoints.push_back({o, pl, pt, v});
            UpdateFreeLength(b0);
        } else if (isLast && PointInTriangle(v, a0, b0, b1)) {
            wrapPoints.pop_back();
            UpdateFreeLength(b0);
        }
    };

    // A point far from the swept triangle can still unwrap, but only while
    // it is the last corner, and only corners held before the scan can
    // become the last one without being wrapped in it. Those are visited
    // besides the points near the triangle.
    if (index != nullptr) {
        if (const std::vector<uint32_t>* near = index->PointsNear(TriangleBox(a1, b0, b1))) {
            for (const WrapPoint& corner : wrapPoints)
                index->AddPoint(corner.outline, corner.polyline, corner.point);
            for (uint32_t i : *near) {
                const OutlinePoint& point = index->Point(i);
                testPoint(point.outline, point.polyline, point.point, point.position);
            }
            return;
        }
    }
    ForEachOutlinePoint(outlines, testPoint);
}
