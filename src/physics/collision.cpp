// Collision of the ball and the hook against the level's outlines.

#include "physics/base_object.h"
#include "physics/outline_index.h"
#include "physics/physics_world.h"

namespace {

// What one edge does to the body; a hit fills point.
enum class EdgeResult { Miss, Hit, Deadly };

EdgeResult TestEdge(const TBaseObject& body, double reach, bool deadly, const Vector2& a,
                    const Vector2& b, Vector2& point) {
    if (body.kind == BodyBall) {
        int code = 0;
        const Vector2 closest = ClosestPointOnSegment(b, a, body.position, code);
        if (!(reach > Distance(body.position, closest)))
            return EdgeResult::Miss;
        point = closest;
    } else {
        Vector2 crossing;
        if (!SegmentIntersection(a, b, body.position, body.position + body.velocity, crossing))
            return EdgeResult::Miss;
        point = crossing;
    }
    return deadly ? EdgeResult::Deadly : EdgeResult::Hit;
}

}  // namespace

bool PhysicsWorld::Collide(const TBaseObject& body, Contact& contact) {
    return CollideWith(body, contact, BroadPhaseIndex(), events_);
}

bool PhysicsWorld::CollideWith(const TBaseObject& body, Contact& contact, const OutlineIndex* index,
                               EventList& events) const {
    if (outlines_.Empty())
        return false;
    const bool isBall = body.kind == BodyBall;
    // The ball's swept reach for this step, measured from its current centre.
    const double reach = body.velocity.Length() + body.radius;
    // One edge in scene order; true once it is the hit that ends the scan.
    auto testEdge = [&](size_t s, size_t l, size_t k, bool deadly, const Vector2& a,
                        const Vector2& b) {
        Vector2 point;
        const EdgeResult result = TestEdge(body, reach, deadly, a, b, point);
        if (result == EdgeResult::Miss)
            return false;
        if (result == EdgeResult::Deadly) {
            Raise(events, isBall ? EventDeath : EventRopeRelease);
            return false;
        }
        contact.outline = static_cast<int32_t>(s);
        contact.polyline = static_cast<int32_t>(l);
        contact.edge = static_cast<int32_t>(k);
        contact.point = point;
        return true;
    };

    // Only edges within the ball's reach, or crossing the box of the hook's
    // path, can pass the test; the index hands them over in scene order.
    if (index != nullptr) {
        const OutlineBox box = isBall ? BallReachBox(body.position, reach)
                                      : SegmentBox(body.position, body.position + body.velocity);
        if (const std::vector<uint32_t>* near = index->EdgesNear(box)) {
            for (uint32_t e : *near) {
                const OutlineEdge& edge = index->Edge(e);
                if (testEdge(edge.outline, edge.polyline, edge.edge, edge.deadly, edge.a, edge.b))
                    return true;
            }
            return false;
        }
    }

    const std::vector<Shape>& shapes = *outlines_.shapes;
    for (size_t s = 0; s < shapes.size(); ++s) {
        const Shape& shape = shapes[s];
        const bool deadly = IsDeadlyOutline(shape.name);
        for (size_t l = 0; l < shape.polylines.size(); ++l) {
            const Polyline& polyline = shape.polylines[l];
            const size_t n = polyline.points.size();
            if (n == 0)
                continue;
            const size_t edgeCount = polyline.closed ? n : n - 1;
            for (size_t k = 0; k < edgeCount; ++k) {
                const Vector2 a = PlanePoint(polyline.points[k]);
                const Vector2 b = PlanePoint(polyline.points[k + 1 < n ? k + 1 : 0]);
                if (testEdge(s, l, k, deadly, a, b))
                    return true;
            }
        }
    }
    return false;
}

Vector2 PhysicsWorld::Reflect(const TBaseObject& body, const Contact& contact) const {
    const Vector2 v = body.velocity;
    if (outlines_.Empty() || contact.outline < 0 || contact.polyline < 0 || contact.edge < 0)
        return v;
    const std::vector<Shape>& shapes = *outlines_.shapes;
    const size_t s = static_cast<size_t>(contact.outline);
    const size_t l = static_cast<size_t>(contact.polyline);
    const size_t k = static_cast<size_t>(contact.edge);
    if (s >= shapes.size() || l >= shapes[s].polylines.size())
        return v;
    const std::vector<Vector>& points = shapes[s].polylines[l].points;
    if (k >= points.size())
        return v;
    // The edge after the last point of a closed polyline is the closing edge
    // back to point 0.
    const Vector2 a = PlanePoint(points[k]);
    const Vector2 b = PlanePoint(points[k + 1 < points.size() ? k + 1 : 0]);
    Vector2 normal{-(b.y - a.y), b.x - a.x};
    double length = normal.Length();
    if (length == 0.0) {
        // A zero-length edge is hit at its point: mirror at the direction from
        // that point to the ball's centre, or not at all when it has none.
        normal = body.position - contact.point;
        length = normal.Length();
        if (length == 0.0)
            return v;
    }
    normal = normal / length;
    return v - normal * (2.0 * Dot(v, normal));
}
