// The broad phase must not change a single result: random scenes played
// with random input, once through the outline index and once scanning the
// whole scene, give bit-identical steps, events and wrap corners.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/event_list.h"
#include "physics/outline_index.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"
#include "support/scene_builder.h"

namespace {

constexpr double kPi = 3.141592653589793;

Vector PlaneVector(double x, double y) {
    return {static_cast<float>(x), 0.0f, static_cast<float>(y)};
}

// Rocks, walls, spikes and stray lines around the origin, with the awkward
// cases a level file can hold: repeated points, zero-length edges, single
// points, polylines of one point, points on a common line.
void BuildRandomScene(std::mt19937& random, Scene& scene) {
    std::uniform_real_distribution<double> place(-500.0, 500.0);
    std::uniform_real_distribution<double> size(4.0, 90.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> corners(1, 9);
    std::vector<Polyline> room;
    room.push_back(MakePolyline(true, {PlaneVector(-600, -600), PlaneVector(600, -600),
                                       PlaneVector(600, 600), PlaneVector(-600, 600)}));
    scene.shapes.push_back(MakeShape("room", std::move(room)));
    const int outlines = 3 + static_cast<int>(unit(random) * 8);
    for (int o = 0; o < outlines; ++o) {
        std::vector<Polyline> polylines;
        const int count = 1 + static_cast<int>(unit(random) * 6);
        for (int l = 0; l < count; ++l) {
            const double cx = place(random), cy = place(random), r = size(random);
            const int n = corners(random);
            std::vector<Vector> points;
            for (int k = 0; k < n; ++k) {
                const double angle = 2.0 * kPi * (k + 0.5 * unit(random)) / n;
                const double kind = unit(random);
                if (kind < 0.08 && !points.empty()) {
                    points.push_back(points.back());  // a zero-length edge
                } else if (kind < 0.16) {
                    // On the horizontal or vertical line of the centre.
                    points.push_back(unit(random) < 0.5
                                         ? PlaneVector(cx + r * (unit(random) - 0.5), cy)
                                         : PlaneVector(cx, cy + r * (unit(random) - 0.5)));
                } else {
                    points.push_back(
                        PlaneVector(cx + r * std::sin(angle), cy + r * std::cos(angle)));
                }
            }
            polylines.push_back(MakePolyline(unit(random) < 0.6, std::move(points)));
        }
        if (unit(random) < 0.15)
            polylines.push_back(MakePolyline(false, {}));
        const bool deadly = unit(random) < 0.25;
        scene.shapes.push_back(
            MakeShape((deadly ? "DEATH_" : "rock") + std::to_string(o), std::move(polylines)));
    }
    // A long diagonal line that crosses many cells.
    std::vector<Polyline> line;
    line.push_back(MakePolyline(false, {PlaneVector(-550, -520), PlaneVector(540, 510)}));
    scene.shapes.push_back(MakeShape("diagonal", std::move(line)));
}

struct Player {
    TPlayer ball;
    TRope rope;
    PhysicsWorld world;
    std::string trace;

    Player(const Scene& scene, bool broadPhase) {
        ball.rope = &rope;
        ball.mass = 2.0f;
        ball.radius = 8.0;
        rope.mass = 1.0f;
        world.SetBroadPhase(broadPhase);
        world.SetPlayer(&ball);
        world.SetScene(scene.Outlines());
        world.SetParameters(PhysicsParameters{});
        world.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
        world.AddFieldObject("MAGNET", 100.0f, 50.0f, 1, -2.0f, 150.0f, FieldRadial);
    }

    // One line per step with every value the step produced, to the last bit.
    void Record() {
        char line[512];
        std::snprintf(line, sizeof line,
                      "ball=%.17g,%.17g vel=%.17g,%.17g hook=%.17g,%.17g hvel=%.17g,%.17g "
                      "fly=%d att=%d free=%.17g total=%.17g",
                      ball.position.x, ball.position.y, ball.velocity.x, ball.velocity.y,
                      rope.position.x, rope.position.y, rope.velocity.x, rope.velocity.y,
                      rope.flying, rope.attached, rope.freeLength, rope.totalLength);
        trace += line;
        for (const WrapPoint& corner : rope.wrapPoints)
            trace += " w" + std::to_string(corner.outline) + "." + std::to_string(corner.polyline) +
                     "." + std::to_string(corner.point);
        const EventList& events = world.Events();
        for (size_t i = events.Size(); i-- > 0;)
            trace += " e" + std::to_string(events[i].type) + "." + std::to_string(events[i].sample);
        world.ClearEvents();
        trace += '\n';
    }
};

struct PlayCounts {
    int steps = 0;
    int wrapSteps = 0;
    int attachedSteps = 0;
    int collisions = 0;
    size_t traceBytes = 0;
    size_t answered = 0;
};

// Plays one random scene both ways with the same random input; fails at the
// first step that differs.
void PlayBothWays(unsigned seed, PlayCounts& counts) {
    std::mt19937 random(seed);
    Scene scene;
    BuildRandomScene(random, scene);
    Player broad(scene, true);
    Player full(scene, false);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_real_distribution<double> place(-450.0, 450.0);
    for (Player* p : {&broad, &full}) {
        p->ball.position.Set(0.0, 0.0);
        p->rope.Reset();
        p->world.SettleRope();
    }
    for (int frame = 0; frame < 240; ++frame) {
        const double action = unit(random);
        const double angle = unit(random) * 2.0 * kPi;
        const Vector2 jump{place(random), place(random)};
        const int swing = unit(random) < 0.5 ? 1 : -1;
        for (Player* p : {&broad, &full}) {
            if (action < 0.06) {
                p->rope.Shoot(p->ball.position, angle);
            } else if (action < 0.08) {
                p->rope.Reset();
            } else if (action < 0.10) {
                p->ball.position = jump;  // a restart somewhere else
                p->ball.velocity.Set(0.0, 0.0);
            } else if (action < 0.55) {
                p->ball.swingDirection = swing;
            } else if (action < 0.70) {
                p->rope.Reel(swing, 1.0 / 60.0);
            }
        }
        for (int i = 0; i < 5; ++i) {
            for (Player* p : {&broad, &full}) {
                p->world.Step();
                p->Record();
            }
            ++counts.steps;
            counts.wrapSteps += full.rope.wrapPoints.empty() ? 0 : 1;
            counts.attachedSteps += full.rope.attached ? 1 : 0;
        }
        ASSERT_EQ(broad.trace, full.trace) << "seed " << seed << ", frame " << frame;
    }
    for (size_t at = full.trace.find(" e"); at != std::string::npos;
         at = full.trace.find(" e", at + 1))
        ++counts.collisions;
    counts.traceBytes += full.trace.size();
    counts.answered += broad.world.Index().AnsweredQueries();
    EXPECT_EQ(full.world.Index().AnsweredQueries(), 0u);
}

TEST(BroadPhase, RandomScenesPlayIdenticallyWithTheIndexAndTheWholeScan) {
    PlayCounts counts;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        PlayBothWays(seed, counts);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    // The games reached the states the index serves: swinging, wrapped, hitting.
    EXPECT_GT(counts.attachedSteps, counts.steps / 10);
    EXPECT_GT(counts.wrapSteps, counts.steps / 50);
    EXPECT_GT(counts.collisions, 100);
    // The index did the work: nearly every step asked it at least twice
    // (the ball, and the hook or the wrap scan), and it answered.
    EXPECT_GT(counts.answered, static_cast<size_t>(counts.steps) * 3 / 2);
}

// Every point the angle-sum test accepts lies in the padded triangle box,
// including points just outside a side, which the test's tolerance accepts.
TEST(BroadPhase, TheTriangleBoxHoldsEveryPointTheAngleSumTestAccepts) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(-400.0, 400.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int acceptedOutside = 0;
    for (int t = 0; t < 4000; ++t) {
        const Vector2 a{place(random), place(random)};
        const Vector2 b{place(random), place(random)};
        const Vector2 c = unit(random) < 0.2 ? b + Vector2{unit(random), unit(random)}
                                             : Vector2{place(random), place(random)};
        const OutlineBox box = TriangleBox(a, b, c);
        // Points along each side, pushed outwards by a sliver of the side's length.
        const Vector2 corners[3] = {a, b, c};
        for (int side = 0; side < 3; ++side) {
            const Vector2 p0 = corners[side];
            const Vector2 p1 = corners[(side + 1) % 3];
            const Vector2 along = p1 - p0;
            Vector2 normal{-along.y, along.x};
            const double length = normal.Length();
            if (length == 0.0)
                continue;
            normal = normal / length;
            for (int k = 0; k < 8; ++k) {
                const double s = unit(random);
                const double d = length * std::pow(10.0, -2.0 - 4.0 * unit(random));
                for (double sign : {-1.0, 1.0}) {
                    const Vector2 p = p0 + along * s + normal * (sign * d);
                    if (!PointInTriangle(p, a, b, c))
                        continue;
                    const bool inBox =
                        box.minX <= p.x && p.x <= box.maxX && box.minY <= p.y && p.y <= box.maxY;
                    ASSERT_TRUE(inBox) << "triangle " << t << " side " << side;
                    const bool inTight =
                        std::min({a.x, b.x, c.x}) <= p.x && p.x <= std::max({a.x, b.x, c.x}) &&
                        std::min({a.y, b.y, c.y}) <= p.y && p.y <= std::max({a.y, b.y, c.y});
                    acceptedOutside += inTight ? 0 : 1;
                }
            }
        }
    }
    // The tolerance does accept points outside the unpadded box: the padding matters.
    EXPECT_GT(acceptedOutside, 0);
}

TEST(BroadPhase, QueriesReturnNearbyElementsInSceneOrderAndGiveUpOnHugeBoxes) {
    Scene scene;
    SceneBuilder(scene)
        .AddOutline("a")
        .AddPolyline({{0, 0}, {10, 0}, {10, 10}}, true)
        .AddOutline("b")
        .AddPolyline({{1000, 1000}, {1010, 1000}})
        .AddPolyline({{5, 5}, {6, 6}});
    OutlineIndex index;
    index.Build(scene.Outlines());
    EXPECT_TRUE(index.Matches(scene.Outlines()));
    ASSERT_EQ(index.EdgeCount(), 5u);
    ASSERT_EQ(index.PointCount(), 7u);

    const std::vector<uint32_t>* edges = index.EdgesNear(BallReachBox({5, 1}, 2));
    ASSERT_NE(edges, nullptr);
    // The bottom edge and the closing diagonal, whose box holds the ball.
    EXPECT_EQ(*edges, (std::vector<uint32_t>{0, 2}));
    const OutlineEdge& last = index.Edge(4);
    EXPECT_EQ(last.outline, 1);
    EXPECT_EQ(last.polyline, 1);
    EXPECT_EQ(last.edge, 0);

    const std::vector<uint32_t>* points = index.PointsNear(SegmentBox({4, 4}, {11, 11}));
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(*points, (std::vector<uint32_t>{2, 5, 6}));
    // A held corner far away joins the candidates in its scene place.
    index.AddPoint(0, 0, 0);
    index.AddPoint(1, 0, 1);
    index.AddPoint(1, 0, 1);
    index.AddPoint(1, 5, 0);  // no such polyline
    EXPECT_EQ(*points, (std::vector<uint32_t>{0, 2, 4, 5, 6}));

    EXPECT_EQ(index.EdgesNear(SegmentBox({-1e6, -1e6}, {1e6, 1e6})), nullptr);
    EXPECT_EQ(index.PointsNear(BallReachBox({0, 0}, NAN)), nullptr);

    scene.shapes[1].polylines[1].points.push_back({7, 0, 7});
    EXPECT_FALSE(index.Matches(scene.Outlines()));
}

}  // namespace
