#pragma once
// Small value types of the simulation plane and the scene, with inline
// operations and no heap traffic. The simulation plane is the scene's x-z
// plane: scene point (x, y, z) is plane point (x, z), plane y points up.

#include <cmath>

// Single-precision 1e-5, the threshold of Normalize (9.999999747378752e-06).
constexpr double kNormalizeEpsilon = static_cast<double>(0.00001f);
constexpr double kTwoPi = 6.283185307179586;

struct Vector2 {
    double x, y;

    void Clear() { x = y = 0.0; }
    void Set(double nx, double ny) {
        x = nx;
        y = ny;
    }
    double Length() const { return std::sqrt(x * x + y * y); }
    void Normalize() {
        double len = std::sqrt(x * x + y * y);
        if (!(len > kNormalizeEpsilon))
            len = 1.0;
        x = x / len;
        y = y / len;
        if (std::fabs(x) < kNormalizeEpsilon)
            x = 0.0;
        if (std::fabs(y) < kNormalizeEpsilon)
            y = 0.0;
    }
    Vector2 RotateQuarter(int code) const {
        switch (code) {
            case 9:
                return {-y, x};
            case 18:
                return {-x, -y};
            case 27:
                return {y, -x};
            default:
                return {x, y};
        }
    }
    Vector2& operator+=(const Vector2& b) {
        x += b.x;
        y += b.y;
        return *this;
    }
    Vector2& operator-=(const Vector2& b) {
        x -= b.x;
        y -= b.y;
        return *this;
    }
    Vector2& operator*=(double s) {
        x *= s;
        y *= s;
        return *this;
    }
};

inline Vector2 operator+(const Vector2& a, const Vector2& b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vector2 operator-(const Vector2& a, const Vector2& b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vector2 operator*(const Vector2& a, double s) {
    return {a.x * s, a.y * s};
}
inline Vector2 operator/(const Vector2& a, double s) {
    return {a.x / s, a.y / s};
}
inline Vector2 operator-(const Vector2& a) {
    return {-a.x, -a.y};
}
inline double Dot(const Vector2& a, const Vector2& b) {
    return a.x * b.x + a.y * b.y;
}

struct Vector2f {
    float x, y;

    void Clear() { x = y = 0.0f; }
    void Set(float nx, float ny) {
        x = nx;
        y = ny;
    }
    Vector2f& operator+=(const Vector2f& b) {
        x += b.x;
        y += b.y;
        return *this;
    }
    Vector2f& operator-=(const Vector2f& b) {
        x -= b.x;
        y -= b.y;
        return *this;
    }
};

inline Vector2f operator+(const Vector2f& a, const Vector2f& b) {
    return {a.x + b.x, a.y + b.y};
}

struct Vector {
    float x, y, z;

    void Clear() { x = y = z = 0.0f; }
    void Set(float nx, float ny, float nz) {
        x = nx;
        y = ny;
        z = nz;
    }
};

struct Vector3d {
    double x, y, z;

    void Clear() { x = y = z = 0.0; }
    void Set(double nx, double ny, double nz) {
        x = nx;
        y = ny;
        z = nz;
    }
    void Add(double dx, double dy, double dz) {
        x += dx;
        y += dy;
        z += dz;
    }
    Vector3d& operator+=(const Vector3d& b) {
        Add(b.x, b.y, b.z);
        return *this;
    }
};

inline Vector3d operator+(const Vector3d& a, const Vector3d& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector3d operator*(const Vector3d& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}

// Conversions.
inline Vector2 ToVector2(const Vector2f& v) {
    return {static_cast<double>(v.x), static_cast<double>(v.y)};
}
inline Vector2f ToVector2f(const Vector2& v) {
    return {static_cast<float>(v.x), static_cast<float>(v.y)};
}
inline Vector2 PlanePoint(const Vector& v) {
    return {static_cast<double>(v.x), static_cast<double>(v.z)};
}
inline Vector2 PlanePoint(const Vector3d& v) {
    return {v.x, v.z};
}

// v divided by its length, without a guard: callers pass non-zero vectors.
inline Vector2 Normalized(const Vector2& v) {
    return v / v.Length();
}

inline double Distance(const Vector2& a, const Vector2& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Heading from +y towards +x, in [0, 2*pi): the unit vector of heading t is
// (sin t, cos t).
inline double HeadingAngle(const Vector2& from, const Vector2& to) {
    double angle = std::atan2(to.x - from.x, to.y - from.y);
    if (angle < 0.0)
        angle += kTwoPi;
    return angle;
}

// Closest point of segment s0-s1 to q. Sets code to 1 when the result is s0,
// to 2 when it is s1, and leaves it alone for an interior point.
inline Vector2 ClosestPointOnSegment(const Vector2& s0, const Vector2& s1, const Vector2& q,
                                     int& code) {
    Vector2 u = s1 - s0;
    u.Normalize();
    const double t = Dot(u, q - s0);
    if (t <= 0.0) {
        code = 1;
        return s0;
    }
    if (t >= (s1 - s0).Length()) {
        code = 2;
        return s1;
    }
    return s0 + u * t;
}

// True with the crossing point when segments p0-p1 and q0-q1 cross (both
// parameter ranges inclusive); parallel or degenerate segments never cross.
inline bool SegmentIntersection(const Vector2& p0, const Vector2& p1, const Vector2& q0,
                                const Vector2& q1, Vector2& out) {
    const Vector2 r = p1 - p0;
    const Vector2 s = q1 - q0;
    const double denom = s.y * r.x - r.y * s.x;
    if (denom == 0.0)
        return false;
    const double ua = (s.x * (p0.y - q0.y) - s.y * (p0.x - q0.x)) / denom;
    const double ub = (r.x * (p0.y - q0.y) - r.y * (p0.x - q0.x)) / denom;
    // Written so that a NaN parameter (from infinite input) is no crossing.
    const bool inside = ua >= 0.0 && ua <= 1.0 && ub >= 0.0 && ub <= 1.0;
    if (!inside)
        return false;
    out = p0 + r * ua;
    return true;
}

// Angle-sum test: inside when the three angles seen from p add up to 2*pi.
inline bool PointInTriangle(const Vector2& p, const Vector2& a, const Vector2& b,
                            const Vector2& c) {
    Vector2 da = a - p;
    Vector2 db = b - p;
    Vector2 dc = c - p;
    da.Normalize();
    db.Normalize();
    dc.Normalize();
    auto clampUnit = [](double v) { return v < -1.0 ? -1.0 : (v > 1.0 ? 1.0 : v); };
    const double cab = clampUnit(Dot(da, db));
    const double cbc = clampUnit(Dot(db, dc));
    const double cca = clampUnit(Dot(dc, da));
    const double sum = std::acos(cab) + std::acos(cbc) + std::acos(cca);
    return std::fabs(sum - static_cast<double>(6.2831855f)) < 0.001;
}

// Whether a circle in the plane overlaps the plane footprint of a box given by
// its first (minimum) and second corner: x from the x values, plane y from z.
inline bool CircleOverlapsRect(float cx, float cy, float r, const Vector& first,
                               const Vector& second) {
    const float xmin = first.x, xmax = second.x;
    const float ymin = first.z, ymax = second.z;
    const bool inX = xmin <= cx && cx <= xmax;
    const bool inY = ymin <= cy && cy <= ymax;
    if (inX && inY)
        return true;
    const bool nearX = xmin <= cx + r && cx - r <= xmax;
    const bool nearY = ymin <= cy + r && cy - r <= ymax;
    if ((inX && nearY) || (inY && nearX))
        return true;
    if (nearX && nearY) {
        const float dx = cx - (cx < xmin ? xmin : xmax);
        const float dy = cy - (cy < ymin ? ymin : ymax);
        return r * r >= dx * dx + dy * dy;
    }
    return false;
}
