// The built-in ball: the lower half of an icosahedron whose edges are halved
// twice, each new point pushed out onto the sphere of radius 5.05.

#include <cmath>
#include <vector>

#include "render/ball_mesh.h"

namespace {

constexpr double kBallRadius = 5.05;
constexpr double kPi = 3.14159265358979323846;

struct Point3 {
    double x, y, z;
};

Point3 operator+(Point3 a, Point3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Point3 operator-(Point3 a, Point3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Point3 operator*(Point3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double Dot(Point3 a, Point3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Point3 Cross(Point3 a, Point3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Point3 OnSphere(Point3 p) {
    Point3 q = p * (kBallRadius / std::sqrt(Dot(p, p)));
    if (std::fabs(q.y) < 1e-9)
        q.y = 0.0;  // the rim lies exactly on y = 0
    return q;
}

struct Triangle {
    Point3 a, b, c;
};

// Icosahedron with one vertex at each pole and two rings of five between.
std::vector<Triangle> IcosahedronFaces() {
    const double ringY = kBallRadius * std::sin(std::atan(0.5));
    const double ringRadius = kBallRadius * std::cos(std::atan(0.5));
    const Point3 top = {0.0, kBallRadius, 0.0};
    const Point3 bottom = {0.0, -kBallRadius, 0.0};
    Point3 upper[5];
    Point3 lower[5];
    for (int k = 0; k < 5; ++k) {
        const double lowerAngle = k * 72.0 * kPi / 180.0;
        const double upperAngle = (36.0 + k * 72.0) * kPi / 180.0;
        lower[k] = {ringRadius * std::cos(lowerAngle), -ringY, ringRadius * std::sin(lowerAngle)};
        upper[k] = {ringRadius * std::cos(upperAngle), ringY, ringRadius * std::sin(upperAngle)};
    }
    std::vector<Triangle> faces;
    for (int k = 0; k < 5; ++k) {
        const int n = (k + 1) % 5;
        faces.push_back({top, upper[k], upper[n]});
        faces.push_back({upper[k], lower[k], lower[n]});
        faces.push_back({lower[n], upper[n], upper[k]});
        faces.push_back({bottom, lower[k], lower[n]});
    }
    // Wind every face counter-clockwise seen from outside.
    for (Triangle& face : faces) {
        const Point3 centre = (face.a + face.b + face.c) * (1.0 / 3.0);
        if (Dot(Cross(face.b - face.a, face.c - face.a), centre) < 0.0) {
            const Point3 swap = face.b;
            face.b = face.c;
            face.c = swap;
        }
    }
    return faces;
}

Point3 Midpoint(Point3 a, Point3 b) {
    return OnSphere((a + b) * 0.5);
}

// Splits every triangle into four at its edge midpoints pushed onto the sphere.
std::vector<Triangle> Subdivide(const std::vector<Triangle>& triangles) {
    std::vector<Triangle> out;
    out.reserve(triangles.size() * 4);
    for (const Triangle& t : triangles) {
        const Point3 ab = Midpoint(t.a, t.b);
        const Point3 bc = Midpoint(t.b, t.c);
        const Point3 ca = Midpoint(t.c, t.a);
        out.push_back({t.a, ab, ca});
        out.push_back({ab, t.b, bc});
        out.push_back({ca, bc, t.c});
        out.push_back({ab, bc, ca});
    }
    return out;
}

// Distance from the disc centre by the angle from the bottom pole: a curve
// through 0.1 at 15.86 degrees, 0.21 at 31.72, 0.40 at 63.43 and 0.5 at the rim.
double DiscRadius(double angleFromPole) {
    static const double kAngles[] = {0.0, 15.86, 31.72, 63.43, 90.0};
    static const double kRadii[] = {0.0, 0.10, 0.21, 0.40, 0.50};
    for (int i = 1; i < 5; ++i) {
        if (angleFromPole <= kAngles[i]) {
            const double t = (angleFromPole - kAngles[i - 1]) / (kAngles[i] - kAngles[i - 1]);
            return kRadii[i - 1] + t * (kRadii[i] - kRadii[i - 1]);
        }
    }
    return kRadii[4];
}

void StoreVertex(const Point3& p, int index, BallMesh* mesh) {
    float* position = mesh->positions + index * 3;
    position[0] = static_cast<float>(p.x);
    position[1] = static_cast<float>(p.y);
    position[2] = static_cast<float>(p.z);

    // The outward direction turned a quarter turn about the x axis.
    float* normal = mesh->normals + index * 3;
    normal[0] = static_cast<float>(p.x / kBallRadius);
    normal[1] = static_cast<float>(p.z / kBallRadius);
    normal[2] = static_cast<float>(-p.y / kBallRadius);

    const double cosine = std::fmin(1.0, std::fmax(-1.0, -p.y / kBallRadius));
    const double angle = std::acos(cosine) * 180.0 / kPi;
    const double planar = std::sqrt(p.x * p.x + p.z * p.z);
    const double radius = DiscRadius(angle);
    float* texCoord = mesh->texCoords + index * 2;
    texCoord[0] = static_cast<float>(0.5 + (planar > 0.0 ? radius * p.x / planar : 0.0));
    texCoord[1] = static_cast<float>(0.5 + (planar > 0.0 ? radius * p.z / planar : 0.0));
}

}  // namespace

void BuildBallMesh(BallMesh& mesh) {
    // Halving each edge twice divides it into four.
    const std::vector<Triangle> sphere = Subdivide(Subdivide(IcosahedronFaces()));

    int vertex = 0;
    for (const Triangle& triangle : sphere) {
        if (triangle.a.y > 0.0 || triangle.b.y > 0.0 || triangle.c.y > 0.0)
            continue;
        if (vertex + 3 > static_cast<int>(kBallVertexCount))
            break;
        StoreVertex(triangle.a, vertex++, &mesh);
        StoreVertex(triangle.b, vertex++, &mesh);
        StoreVertex(triangle.c, vertex++, &mesh);
    }
    mesh.vertexCount = static_cast<uint32_t>(vertex);
}
