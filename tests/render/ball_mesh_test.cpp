#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "render/ball_mesh.h"

namespace {

constexpr double kRadius = 5.05;
constexpr double kPi = 3.14159265358979323846;

struct V3 {
    double x, y, z;
};
V3 Sub(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 Cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Length(V3 a) {
    return std::sqrt(Dot(a, a));
}

class BallMeshTest : public ::testing::Test {
protected:
    void SetUp() override { BuildBallMesh(*mesh_); }
    V3 Position(int i) const {
        const float* p = mesh_->positions + i * 3;
        return {p[0], p[1], p[2]};
    }
    V3 Normal(int i) const {
        const float* n = mesh_->normals + i * 3;
        return {n[0], n[1], n[2]};
    }
    std::unique_ptr<BallMesh> mesh_ = std::make_unique<BallMesh>();
};

TEST_F(BallMeshTest, IsTheLowerHalfOfASphereOfRadius505) {
    ASSERT_EQ(mesh_->vertexCount, 480u);
    double lowest = 0.0;
    int onRim = 0;
    for (int i = 0; i < 480; ++i) {
        const V3 p = Position(i);
        EXPECT_NEAR(Length(p), kRadius, 1e-5) << "vertex " << i;
        EXPECT_LE(p.y, 0.0) << "vertex " << i;
        lowest = std::fmin(lowest, p.y);
        onRim += p.y == 0.0 ? 1 : 0;
    }
    EXPECT_NEAR(lowest, -kRadius, 1e-6);  // the bottom pole
    EXPECT_GT(onRim, 0);

    // The rim is a closed circle on y = 0: the ten faces of the icosahedron's
    // middle band each give it two edges.
    int rimEdges = 0;
    for (int t = 0; t < 160; ++t) {
        for (int e = 0; e < 3; ++e) {
            const V3 a = Position(t * 3 + e);
            const V3 b = Position(t * 3 + (e + 1) % 3);
            rimEdges += (a.y == 0.0 && b.y == 0.0) ? 1 : 0;
        }
    }
    EXPECT_EQ(rimEdges, 20);
}

TEST_F(BallMeshTest, TrianglesWindCounterClockwiseSeenFromOutside) {
    for (int t = 0; t < 160; ++t) {
        const V3 a = Position(t * 3);
        const V3 b = Position(t * 3 + 1);
        const V3 c = Position(t * 3 + 2);
        const V3 normal = Cross(Sub(b, a), Sub(c, a));
        const V3 centre = {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
        EXPECT_GT(Dot(normal, centre), 0.0) << "triangle " << t;
        EXPECT_GT(Length(normal), 1e-3) << "triangle " << t;
    }
}

TEST_F(BallMeshTest, NormalsAreTheRadialDirectionTurnedAboutX) {
    for (int i = 0; i < 480; ++i) {
        const V3 p = Position(i);
        const V3 n = Normal(i);
        EXPECT_NEAR(Length(n), 1.0, 1e-3) << "vertex " << i;
        const V3 expected = {p.x / kRadius, p.z / kRadius, -p.y / kRadius};
        const double cosine = Dot(n, expected) / (Length(n) * Length(expected));
        EXPECT_GT(cosine, std::cos(6.0 * kPi / 180.0)) << "vertex " << i;
        if (p.y == -kRadius || std::fabs(p.y + kRadius) < 1e-6) {
            EXPECT_NEAR(n.z, 1.0, 1e-6);  // the pole faces +z
        }
    }
}

TEST_F(BallMeshTest, TextureCoordinatesFormADiscByAzimuthAndAngleFromThePole) {
    struct Sample {
        double angle, radius;
    };
    const Sample samples[] = {{15.86, 0.1}, {31.72, 0.21}, {63.43, 0.40}, {90.0, 0.5}};
    int matched[4] = {};
    for (int i = 0; i < 480; ++i) {
        const V3 p = Position(i);
        const double u = mesh_->texCoords[i * 2] - 0.5;
        const double v = mesh_->texCoords[i * 2 + 1] - 0.5;
        const double radius = std::sqrt(u * u + v * v);
        EXPECT_LE(radius, 0.5 + 1e-6);
        const double planar = std::sqrt(p.x * p.x + p.z * p.z);
        if (planar < 1e-6) {
            EXPECT_NEAR(u, 0.0, 1e-6);  // the pole is the centre
            EXPECT_NEAR(v, 0.0, 1e-6);
            continue;
        }
        // Same direction as (p.x, p.z).
        EXPECT_NEAR(u * p.z - v * p.x, 0.0, 1e-5) << "vertex " << i;
        EXPECT_GT(u * p.x + v * p.z, 0.0) << "vertex " << i;
        const double angle = std::acos(-p.y / kRadius) * 180.0 / kPi;
        for (int s = 0; s < 4; ++s) {
            if (std::fabs(angle - samples[s].angle) < 0.5) {
                EXPECT_NEAR(radius, samples[s].radius, 0.015) << "vertex " << i;
                ++matched[s];
            }
        }
    }
    for (int s = 0; s < 4; ++s)
        EXPECT_GT(matched[s], 0) << "no vertex near " << samples[s].angle << " degrees";
}

}  // namespace
