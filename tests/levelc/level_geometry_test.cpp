#include "levelc/level_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vector3d Sub(const Vector3d& a, const Vector3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector3d Cross(const Vector3d& a, const Vector3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vector3d& a, const Vector3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Length(const Vector3d& a) {
    return std::sqrt(Dot(a, a));
}

SourcePolyline Polyline(PolylineKind kind, std::vector<SourcePoint2> points) {
    SourcePolyline polyline;
    polyline.kind = kind;
    polyline.points = std::move(points);
    return polyline;
}

double TriangleArea(const std::vector<SourcePoint2>& p, const std::vector<int>& t, size_t i) {
    const SourcePoint2& a = p[t[i]];
    const SourcePoint2& b = p[t[i + 1]];
    const SourcePoint2& c = p[t[i + 2]];
    return 0.5 * ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
}

// An L-shaped room piece, counter-clockwise, with one reflex corner.
const std::vector<SourcePoint2> kLShape = {{0, 0},   {100, 0},  {100, 40},
                                           {40, 40}, {40, 100}, {0, 100}};

TEST(LevelGeometry, EarClippingCoversTheAreaInBothWindings) {
    std::vector<SourcePoint2> clockwise(kLShape.rbegin(), kLShape.rend());
    for (const auto& polygon : {kLShape, clockwise}) {
        std::vector<int> triangles;
        ASSERT_TRUE(TriangulatePolygon(polygon, triangles));
        ASSERT_EQ(triangles.size(), 3u * (polygon.size() - 2));
        double area = 0.0;
        for (size_t i = 0; i < triangles.size(); i += 3) {
            const double piece = TriangleArea(polygon, triangles, i);
            EXPECT_GT(piece, 0.0) << "every triangle counter-clockwise";
            area += piece;
        }
        EXPECT_DOUBLE_EQ(area, std::fabs(SignedArea(polygon)));
        EXPECT_DOUBLE_EQ(area, 100.0 * 40.0 + 40.0 * 60.0);
    }
}

TEST(LevelGeometry, EarClippingSkipsStraightCornersAndGivesUpOnACrossedPolygon) {
    const std::vector<SourcePoint2> withStraight = {
        {0, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}};
    std::vector<int> triangles;
    ASSERT_TRUE(TriangulatePolygon(withStraight, triangles));
    double area = 0.0;
    for (size_t i = 0; i < triangles.size(); i += 3)
        area += TriangleArea(withStraight, triangles, i);
    EXPECT_DOUBLE_EQ(area, 10000.0);

    const std::vector<SourcePoint2> bowtie = {{0, 0}, {100, 100}, {100, 0}, {0, 100}, {-50, 50}};
    std::vector<int> crossed;
    EXPECT_FALSE(TriangulatePolygon(bowtie, crossed));
}

// Properties every generated mesh must have: whole triangles, unit normals,
// and each triangle wound counter-clockwise seen from where its normal points.
void ExpectWellFormed(const MeshGeometry& geometry) {
    ASSERT_EQ(geometry.vertices.size() % 3, 0u);
    for (size_t i = 0; i < geometry.vertices.size(); i += 3) {
        const Vector3d& a = geometry.vertices[i].position;
        const Vector3d& b = geometry.vertices[i + 1].position;
        const Vector3d& c = geometry.vertices[i + 2].position;
        const Vector3d face = Cross(Sub(b, a), Sub(c, a));
        ASSERT_GT(Length(face), 0.0) << "degenerate triangle " << i / 3;
        for (int k = 0; k < 3; ++k) {
            const Vector3d& n = geometry.vertices[i + k].normal;
            EXPECT_NEAR(Length(n), 1.0, 1e-12);
            EXPECT_NEAR(Dot(face, n) / Length(face), 1.0, 1e-9) << "triangle " << i / 3;
        }
    }
}

TEST(LevelGeometry, ASolidGetsAFrontCapFacingTheCameraAndOutwardWalls) {
    for (const bool reversed : {false, true}) {
        std::vector<SourcePoint2> points = kLShape;
        if (reversed)
            points.assign(kLShape.rbegin(), kLShape.rend());
        SourceExtrusion extrusion;
        extrusion.depth = 80.0;
        extrusion.offset = 10.0;
        extrusion.polylines.push_back(Polyline(PolylineKind::Solid, points));
        MeshGeometry geometry;
        Diagnostics diagnostics;
        BuildExtrusionGeometry(extrusion, "t.level", geometry, diagnostics);
        EXPECT_TRUE(diagnostics.messages.empty());
        ExpectWellFormed(geometry);
        // Four cap triangles and two per wall.
        ASSERT_EQ(geometry.vertices.size(), 3u * (4 + 2 * 6));

        double capArea = 0.0;
        for (size_t i = 0; i < geometry.vertices.size(); i += 3) {
            const GeometryVertex& v = geometry.vertices[i];
            if (v.normal.y != 0.0) {
                EXPECT_EQ(v.normal.y, -1.0) << "caps face the camera at -y";
                EXPECT_EQ(v.position.y, 10.0 - 40.0) << "the cap is at the front";
                capArea += 0.5 * Length(Cross(Sub(geometry.vertices[i + 1].position, v.position),
                                              Sub(geometry.vertices[i + 2].position, v.position)));
                continue;
            }
            // A wall's normal points away from the polygon: the triangle's
            // centre plus the normal lies outside the L.
            Vector3d centre{0, 0, 0};
            for (int k = 0; k < 3; ++k) {
                centre.x += geometry.vertices[i + k].position.x / 3.0;
                centre.z += geometry.vertices[i + k].position.z / 3.0;
            }
            const double px = centre.x + v.normal.x;
            const double py = centre.z + v.normal.z;
            const bool insideL =
                px > 0 && py > 0 && ((px < 100 && py < 40) || (px < 40 && py < 100));
            EXPECT_FALSE(insideL) << "wall normal points inwards at " << centre.x << ","
                                  << centre.z;
            EXPECT_EQ(v.normal.y, 0.0);
        }
        EXPECT_NEAR(capArea, 6400.0, 1e-9);

        const GeometryBounds bounds = ComputeBounds(geometry);
        EXPECT_EQ(bounds.min.x, 0.0);
        EXPECT_EQ(bounds.max.x, 100.0);
        EXPECT_EQ(bounds.min.y, -30.0);
        EXPECT_EQ(bounds.max.y, 50.0);
        EXPECT_EQ(bounds.min.z, 0.0);
        EXPECT_EQ(bounds.max.z, 100.0);
        EXPECT_EQ(bounds.centre.y, 10.0);
        for (const GeometryVertex& v : geometry.vertices)
            EXPECT_LE(Length(Sub(v.position, bounds.centre)), bounds.radius);
    }
}

TEST(LevelGeometry, ABandAlongAnOpenLineHasAFrontSidesAndEnds) {
    SourceExtrusion extrusion;
    extrusion.thickness = 10.0;
    extrusion.depth = 100.0;
    extrusion.polylines.push_back(Polyline(PolylineKind::Line, {{0, 0}, {100, 0}, {100, 100}}));
    MeshGeometry geometry;
    Diagnostics diagnostics;
    BuildExtrusionGeometry(extrusion, "t.level", geometry, diagnostics);
    ExpectWellFormed(geometry);
    // Per segment: a front quad and two side walls; plus two end walls.
    ASSERT_EQ(geometry.vertices.size(), 3u * (2 * 3 * 2 + 2 * 2));
    double frontArea = 0.0;
    for (size_t i = 0; i < geometry.vertices.size(); i += 3) {
        const GeometryVertex& v = geometry.vertices[i];
        if (v.normal.y == -1.0)
            frontArea += 0.5 * Length(Cross(Sub(geometry.vertices[i + 1].position, v.position),
                                            Sub(geometry.vertices[i + 2].position, v.position)));
    }
    // Two 100 x 10 strips meeting at a mitred right angle.
    EXPECT_NEAR(frontArea, 2000.0, 1e-9);
    const GeometryBounds bounds = ComputeBounds(geometry);
    EXPECT_EQ(bounds.min.x, 0.0);
    EXPECT_EQ(bounds.max.x, 105.0);
    EXPECT_EQ(bounds.min.z, -5.0);
    EXPECT_EQ(bounds.max.z, 100.0);
    EXPECT_EQ(bounds.min.y, -50.0);
    EXPECT_EQ(bounds.max.y, 50.0);
}

TEST(LevelGeometry, AClosedLoopBandHasNoEndsAndAHole) {
    SourceExtrusion extrusion;
    extrusion.thickness = 4.0;
    extrusion.polylines.push_back(
        Polyline(PolylineKind::Loop, {{0, 0}, {0, 100}, {100, 100}, {100, 0}}));  // clockwise
    MeshGeometry geometry;
    Diagnostics diagnostics;
    BuildExtrusionGeometry(extrusion, "t.level", geometry, diagnostics);
    ExpectWellFormed(geometry);
    ASSERT_EQ(geometry.vertices.size(), 3u * (4 * 3 * 2));
    double frontArea = 0.0;
    for (size_t i = 0; i < geometry.vertices.size(); i += 3) {
        const GeometryVertex& v = geometry.vertices[i];
        if (v.normal.y == -1.0)
            frontArea += 0.5 * Length(Cross(Sub(geometry.vertices[i + 1].position, v.position),
                                            Sub(geometry.vertices[i + 2].position, v.position)));
    }
    EXPECT_NEAR(frontArea, 104.0 * 104.0 - 96.0 * 96.0, 1e-9);
}

TEST(LevelGeometry, ASharpTurnIsCutShortAndATurnBackStaysFinite) {
    SourceExtrusion extrusion;
    extrusion.thickness = 10.0;
    extrusion.polylines.push_back(Polyline(PolylineKind::Line, {{0, 0}, {100, 0}, {0, 1}}));
    extrusion.polylines.push_back(Polyline(PolylineKind::Line, {{0, 50}, {100, 50}, {0, 50.0}}));
    MeshGeometry geometry;
    Diagnostics diagnostics;
    BuildExtrusionGeometry(extrusion, "t.level", geometry, diagnostics);
    ExpectWellFormed(geometry);
    const GeometryBounds bounds = ComputeBounds(geometry);
    EXPECT_LE(bounds.max.x, 100.0 + 5.0 * 4.0 + 1e-9);
    for (const GeometryVertex& v : geometry.vertices)
        EXPECT_TRUE(std::isfinite(v.position.x) && std::isfinite(v.position.z));
}

TEST(LevelGeometry, ACrossedSolidStillGetsItsWallsWithAWarning) {
    SourceExtrusion extrusion;
    SourcePolyline bowtie =
        Polyline(PolylineKind::Solid, {{0, 0}, {100, 100}, {100, 0}, {0, 100}, {-50, 50}});
    bowtie.line = 12;
    extrusion.polylines.push_back(bowtie);
    MeshGeometry geometry;
    Diagnostics diagnostics;
    BuildExtrusionGeometry(extrusion, "t.level", geometry, diagnostics);
    ASSERT_EQ(diagnostics.messages.size(), 1u);
    EXPECT_EQ(diagnostics.messages[0].Text(),
              "t.level:12: warning: this solid crosses itself; its front is left incomplete");
    EXPECT_FALSE(diagnostics.HasErrors());
    ExpectWellFormed(geometry);
    size_t walls = 0;
    for (const GeometryVertex& v : geometry.vertices)
        walls += v.normal.y == 0.0 ? 1 : 0;
    EXPECT_EQ(walls, 5u * 6u);
}

TEST(LevelGeometry, DesignerTrianglesKeepTheirWindingAndTextureCoordinates) {
    SourceTriangle facing;  // counter-clockwise on screen: faces the camera
    facing.corners[0] = {0, 0, 20};
    facing.corners[1] = {64, 0, 20};
    facing.corners[2] = {0, 32, 20};
    SourceTriangle away = facing;  // clockwise on screen: faces away
    std::swap(away.corners[1], away.corners[2]);
    away.hasUv = true;
    away.uv[1][0] = 0.25;
    SourceTriangle flat = facing;
    flat.corners[2] = {128, 0, 20};
    flat.line = 9;

    MeshGeometry geometry;
    Diagnostics diagnostics;
    BuildTriangleGeometry({facing, away, flat}, "t.level", geometry, diagnostics);
    ExpectWellFormed(geometry);
    ASSERT_EQ(geometry.vertices.size(), 6u);
    EXPECT_EQ(geometry.vertices[0].normal.y, -1.0);
    EXPECT_EQ(geometry.vertices[3].normal.y, 1.0);
    EXPECT_EQ(geometry.vertices[1].position.y, 20.0);
    ASSERT_EQ(diagnostics.messages.size(), 1u);
    EXPECT_EQ(diagnostics.messages[0].line, 9);

    const std::vector<float> uv = UvCoordinates(geometry, 64.0);
    ASSERT_EQ(uv.size(), 12u);
    EXPECT_EQ(uv[2], 1.0f);   // x 64 / 64, projected along the depth axis
    EXPECT_EQ(uv[5], 0.5f);   // y 32 / 64
    EXPECT_EQ(uv[8], 0.25f);  // explicit, not scaled
}

}  // namespace
