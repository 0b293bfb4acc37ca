#include "levelc/level_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Longest joint offset of a band, in half thicknesses: sharper corners are cut
// short instead of growing long spikes.
constexpr double kMiterLimit = 4.0;
// Twice the area below which a triangle counts as degenerate.
constexpr double kDegenerateArea = 1e-9;

struct Flat {
    double x, y;
};

Flat operator-(const Flat& a, const Flat& b) {
    return {a.x - b.x, a.y - b.y};
}
Flat operator+(const Flat& a, const Flat& b) {
    return {a.x + b.x, a.y + b.y};
}
Flat operator*(const Flat& a, double s) {
    return {a.x * s, a.y * s};
}
double Cross(const Flat& a, const Flat& b) {
    return a.x * b.y - a.y * b.x;
}
double Dot(const Flat& a, const Flat& b) {
    return a.x * b.x + a.y * b.y;
}
double Length(const Flat& a) {
    return std::sqrt(a.x * a.x + a.y * a.y);
}
Flat Unit(const Flat& a) {
    const double length = Length(a);
    return length > 0.0 ? Flat{a.x / length, a.y / length} : Flat{0.0, 0.0};
}
Flat LeftNormal(const Flat& direction) {
    return {-direction.y, direction.x};
}
Flat ToFlat(const SourcePoint2& p) {
    return {p.x, p.y};
}

Vector3d Sub(const Vector3d& a, const Vector3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector3d Cross3(const Vector3d& a, const Vector3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot3(const Vector3d& a, const Vector3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Length3(const Vector3d& a) {
    return std::sqrt(Dot3(a, a));
}

// Scene point of plane point p at depth d.
Vector3d ScenePoint(const Flat& p, double depth) {
    return {p.x, depth, p.y};
}
// Scene direction of a plane direction.
Vector3d SceneDirection(const Flat& d) {
    return {d.x, 0.0, d.y};
}

const Vector3d kFacingCamera{0.0, -1.0, 0.0};

struct Corner {
    Vector3d position;
    double s, t;
};

// Appends one triangle facing `normal`, reordering its corners when their
// winding faces the other way; degenerate triangles add nothing.
void AddFacing(MeshGeometry& geometry, Corner a, Corner b, Corner c, const Vector3d& normal) {
    const Vector3d cross = Cross3(Sub(b.position, a.position), Sub(c.position, a.position));
    if (Length3(cross) <= kDegenerateArea)
        return;
    if (Dot3(cross, normal) < 0.0)
        std::swap(b, c);
    for (const Corner& corner : {a, b, c})
        geometry.vertices.push_back({corner.position, normal, corner.s, corner.t, false});
}

// A wall from plane point a to plane point b between the two depths, facing
// the plane direction `outward`; s runs along the wall from sa to sb.
void AddWall(MeshGeometry& geometry, const Flat& a, const Flat& b, const Flat& outward,
             double front, double back, double sa, double sb) {
    // The wall's own perpendicular, on the outward side: a cut-short band
    // corner leaves a wall that is not parallel to its segment.
    Flat perpendicular = LeftNormal(Unit(b - a));
    if (Dot(perpendicular, outward) < 0.0)
        perpendicular = perpendicular * -1.0;
    const Vector3d normal = SceneDirection(perpendicular);
    const Corner af{ScenePoint(a, front), sa, front};
    const Corner bf{ScenePoint(b, front), sb, front};
    const Corner bb{ScenePoint(b, back), sb, back};
    const Corner ab{ScenePoint(a, back), sa, back};
    AddFacing(geometry, af, bf, bb, normal);
    AddFacing(geometry, af, bb, ab, normal);
}

// A flat quad at the front depth, facing the camera; s, t are plane x, y.
void AddFrontQuad(MeshGeometry& geometry, const Flat& a, const Flat& b, const Flat& c,
                  const Flat& d, double front) {
    const Corner ca{ScenePoint(a, front), a.x, a.y};
    const Corner cb{ScenePoint(b, front), b.x, b.y};
    const Corner cc{ScenePoint(c, front), c.x, c.y};
    const Corner cd{ScenePoint(d, front), d.x, d.y};
    AddFacing(geometry, ca, cb, cc, kFacingCamera);
    AddFacing(geometry, ca, cc, cd, kFacingCamera);
}

bool SamePoint(const SourcePoint2& a, const SourcePoint2& b) {
    return a.x == b.x && a.y == b.y;
}

// Inside or on the border of the counter-clockwise triangle abc.
bool InsideOrOn(const Flat& p, const Flat& a, const Flat& b, const Flat& c) {
    return Cross(b - a, p - a) >= 0.0 && Cross(c - b, p - b) >= 0.0 && Cross(a - c, p - c) >= 0.0;
}

void BuildSolid(const SourcePolyline& polyline, const std::string& file, double front, double back,
                MeshGeometry& geometry, Diagnostics& diagnostics) {
    const std::vector<SourcePoint2>& points = polyline.points;
    const double area = SignedArea(points);
    if (area == 0.0) {
        diagnostics.Warning(file, polyline.line, "this solid has no area; it gets no front");
    } else {
        std::vector<int> triangles;
        if (!TriangulatePolygon(points, triangles))
            diagnostics.Warning(file, polyline.line,
                                "this solid crosses itself; its front is left incomplete");
        for (size_t i = 0; i + 2 < triangles.size(); i += 3) {
            const Flat a = ToFlat(points[triangles[i]]);
            const Flat b = ToFlat(points[triangles[i + 1]]);
            const Flat c = ToFlat(points[triangles[i + 2]]);
            AddFacing(geometry, {ScenePoint(a, front), a.x, a.y}, {ScenePoint(b, front), b.x, b.y},
                      {ScenePoint(c, front), c.x, c.y}, kFacingCamera);
        }
    }
    // Outward is to the right of the direction of travel for a
    // counter-clockwise polygon, to the left for a clockwise one.
    const double side = area >= 0.0 ? -1.0 : 1.0;
    double arc = 0.0;
    for (size_t k = 0; k < points.size(); ++k) {
        const Flat a = ToFlat(points[k]);
        const Flat b = ToFlat(points[(k + 1) % points.size()]);
        const double length = Length(b - a);
        const Flat outward = LeftNormal(Unit(b - a)) * side;
        AddWall(geometry, a, b, outward, front, back, arc, arc + length);
        arc += length;
    }
}

// A band of the given thickness centred on an open line or a closed loop.
void BuildBand(const SourcePolyline& polyline, double thickness, double front, double back,
               MeshGeometry& geometry) {
    const std::vector<SourcePoint2>& points = polyline.points;
    const size_t n = points.size();
    const bool closed = polyline.Closed();
    const size_t segments = closed ? n : n - 1;
    const double half = thickness * 0.5;

    std::vector<Flat> direction(segments);
    for (size_t j = 0; j < segments; ++j)
        direction[j] = Unit(ToFlat(points[(j + 1) % n]) - ToFlat(points[j]));

    std::vector<Flat> left(n), right(n);
    std::vector<double> arc(n + 1, 0.0);
    for (size_t i = 0; i < n; ++i) {
        Flat offset;
        const bool end = !closed && (i == 0 || i == n - 1);
        if (end) {
            offset = LeftNormal(direction[i == 0 ? 0 : segments - 1]) * half;
        } else {
            const Flat before = direction[(i + segments - 1) % segments];
            const Flat after = direction[i % segments];
            const Flat sum = LeftNormal(before) + LeftNormal(after);
            if (Length(sum) < 1e-9) {
                offset = before * half;  // the line turns straight back
            } else {
                const Flat mitre = Unit(sum);
                const double length =
                    std::min(half / Dot(mitre, LeftNormal(after)), half * kMiterLimit);
                offset = mitre * length;
            }
        }
        left[i] = ToFlat(points[i]) + offset;
        right[i] = ToFlat(points[i]) - offset;
        if (i < segments)
            arc[i + 1] = arc[i] + Length(ToFlat(points[(i + 1) % n]) - ToFlat(points[i]));
    }

    for (size_t j = 0; j < segments; ++j) {
        const size_t k = (j + 1) % n;
        AddFrontQuad(geometry, left[j], left[k], right[k], right[j], front);
        const Flat normal = LeftNormal(direction[j]);
        AddWall(geometry, left[j], left[k], normal, front, back, arc[j], arc[j + 1]);
        AddWall(geometry, right[j], right[k], normal * -1.0, front, back, arc[j], arc[j + 1]);
    }
    if (!closed) {
        AddWall(geometry, right[0], left[0], direction[0] * -1.0, front, back, 0.0, thickness);
        AddWall(geometry, left[n - 1], right[n - 1], direction[segments - 1], front, back, 0.0,
                thickness);
    }
}

}  // namespace

double SignedArea(const std::vector<SourcePoint2>& polygon) {
    double twice = 0.0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const SourcePoint2& a = polygon[i];
        const SourcePoint2& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice * 0.5;
}

bool TriangulatePolygon(const std::vector<SourcePoint2>& polygon, std::vector<int>& triangles) {
    std::vector<int> remaining(polygon.size());
    for (size_t i = 0; i < polygon.size(); ++i)
        remaining[i] = static_cast<int>(i);
    if (SignedArea(polygon) < 0.0)
        std::reverse(remaining.begin(), remaining.end());

    size_t i = 0;
    size_t sinceLastClip = 0;
    while (remaining.size() >= 3) {
        if (sinceLastClip > remaining.size())
            return false;
        const size_t count = remaining.size();
        const int ip = remaining[(i + count - 1) % count];
        const int ic = remaining[i % count];
        const int in = remaining[(i + 1) % count];
        const Flat p = ToFlat(polygon[ip]);
        const Flat c = ToFlat(polygon[ic]);
        const Flat n = ToFlat(polygon[in]);
        const double turn = Cross(c - p, n - c);
        bool ear = turn > 0.0;
        if (ear) {
            for (const int other : remaining) {
                if (other == ip || other == ic || other == in)
                    continue;
                const SourcePoint2& q = polygon[other];
                if (SamePoint(q, polygon[ip]) || SamePoint(q, polygon[ic]) ||
                    SamePoint(q, polygon[in]))
                    continue;
                if (InsideOrOn(ToFlat(q), p, c, n)) {
                    ear = false;
                    break;
                }
            }
        }
        if (ear || turn == 0.0) {
            // A straight or folded-back corner adds no area: drop it unclipped.
            if (ear) {
                triangles.push_back(ip);
                triangles.push_back(ic);
                triangles.push_back(in);
            }
            remaining.erase(remaining.begin() + static_cast<long>(i % count));
            sinceLastClip = 0;
            if (i >= remaining.size())
                i = 0;
        } else {
            i = (i + 1) % count;
            ++sinceLastClip;
        }
    }
    return true;
}

void BuildExtrusionGeometry(const SourceExtrusion& extrusion, const std::string& file,
                            MeshGeometry& geometry, Diagnostics& diagnostics) {
    const double front = extrusion.offset - extrusion.depth * 0.5;
    const double back = extrusion.offset + extrusion.depth * 0.5;
    for (const SourcePolyline& polyline : extrusion.polylines) {
        if (polyline.kind == PolylineKind::Solid && polyline.points.size() >= 3)
            BuildSolid(polyline, file, front, back, geometry, diagnostics);
        else if (polyline.kind != PolylineKind::Solid && polyline.points.size() >= 2)
            BuildBand(polyline, extrusion.thickness, front, back, geometry);
    }
}

void BuildTriangleGeometry(const std::vector<SourceTriangle>& triangles, const std::string& file,
                           MeshGeometry& geometry, Diagnostics& diagnostics) {
    for (const SourceTriangle& triangle : triangles) {
        Vector3d corners[3];
        for (int i = 0; i < 3; ++i)
            corners[i] = {triangle.corners[i].x, triangle.corners[i].depth, triangle.corners[i].y};
        const Vector3d cross = Cross3(Sub(corners[1], corners[0]), Sub(corners[2], corners[0]));
        const double length = Length3(cross);
        if (length <= kDegenerateArea) {
            diagnostics.Warning(file, triangle.line, "this triangle has no area and is left out");
            continue;
        }
        const Vector3d normal{cross.x / length, cross.y / length, cross.z / length};
        // Without explicit coordinates the texture is projected along the
        // axis the triangle faces most.
        const double ax = std::fabs(normal.x), ay = std::fabs(normal.y), az = std::fabs(normal.z);
        for (int i = 0; i < 3; ++i) {
            GeometryVertex vertex;
            vertex.position = corners[i];
            vertex.normal = normal;
            if (triangle.hasUv) {
                vertex.s = triangle.uv[i][0];
                vertex.t = triangle.uv[i][1];
                vertex.explicitUv = true;
            } else if (ay >= ax && ay >= az) {
                vertex.s = corners[i].x;
                vertex.t = corners[i].z;
            } else if (ax >= az) {
                vertex.s = corners[i].y;
                vertex.t = corners[i].z;
            } else {
                vertex.s = corners[i].x;
                vertex.t = corners[i].y;
            }
            geometry.vertices.push_back(vertex);
        }
    }
}

GeometryBounds ComputeBounds(const MeshGeometry& geometry) {
    GeometryBounds bounds;
    if (geometry.vertices.empty())
        return bounds;
    bounds.min = bounds.max = geometry.vertices.front().position;
    for (const GeometryVertex& vertex : geometry.vertices) {
        const Vector3d& p = vertex.position;
        bounds.min = {std::min(bounds.min.x, p.x), std::min(bounds.min.y, p.y),
                      std::min(bounds.min.z, p.z)};
        bounds.max = {std::max(bounds.max.x, p.x), std::max(bounds.max.y, p.y),
                      std::max(bounds.max.z, p.z)};
    }
    bounds.centre = {(bounds.min.x + bounds.max.x) * 0.5, (bounds.min.y + bounds.max.y) * 0.5,
                     (bounds.min.z + bounds.max.z) * 0.5};
    for (const GeometryVertex& vertex : geometry.vertices)
        bounds.radius = std::max(bounds.radius, Length3(Sub(vertex.position, bounds.centre)));
    return bounds;
}

std::vector<float> UvCoordinates(const MeshGeometry& geometry, double scale) {
    std::vector<float> coordinates;
    coordinates.reserve(geometry.vertices.size() * 2);
    for (const GeometryVertex& vertex : geometry.vertices) {
        const double divisor = vertex.explicitUv ? 1.0 : scale;
        coordinates.push_back(static_cast<float>(vertex.s / divisor));
        coordinates.push_back(static_cast<float>(vertex.t / divisor));
    }
    return coordinates;
}
