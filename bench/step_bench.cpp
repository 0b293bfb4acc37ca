// The cost of one physics step, with the outline index and with the whole
// scan, in three states: the ball falling, the hook in flight, and the ball
// swinging on a rope wrapped round two corners. Each iteration restores the
// state and takes one step.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "core/event_list.h"
#include "generated_level.h"
#include "physics/outline_index.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"

namespace {

enum State { Falling = 0, Flying = 1, Swinging = 2 };

const Scene& RockField(size_t edges) {
    static std::map<size_t, std::unique_ptr<Scene>> fields;
    std::unique_ptr<Scene>& scene = fields[edges];
    if (!scene) {
        scene = std::make_unique<Scene>();
        BuildRockField(*scene, edges);
    }
    return *scene;
}

struct Bodies {
    TPlayer ball;
    TRope rope;
};

// The outline point nearest to `target`, as a wrap corner.
WrapPoint NearestCorner(const Scene& scene, const Vector2& target) {
    WrapPoint best{0, 0, 0, {0.0, 0.0}};
    double bestDistance = -1.0;
    for (size_t s = 0; s < scene.shapes.size(); ++s) {
        for (size_t l = 0; l < scene.shapes[s].polylines.size(); ++l) {
            const std::vector<Vector>& points = scene.shapes[s].polylines[l].points;
            for (size_t p = 0; p < points.size(); ++p) {
                const double d = Distance(PlanePoint(points[p]), target);
                if (bestDistance < 0.0 || d < bestDistance) {
                    bestDistance = d;
                    best = {static_cast<int32_t>(s), static_cast<int32_t>(l),
                            static_cast<int32_t>(p), PlanePoint(points[p])};
                }
            }
        }
    }
    return best;
}

void Prepare(const Scene& scene, State state, Bodies& bodies) {
    const Vector2 spot = OpenSpot(scene);
    bodies.ball.rope = &bodies.rope;
    bodies.ball.mass = 2.0f;
    bodies.rope.Reset();
    bodies.ball.position = spot;
    bodies.ball.velocity.Set(1.5, -6.0);
    if (state == Flying) {
        bodies.rope.Shoot(spot, 0.3);
        bodies.rope.justFired = false;
        bodies.rope.velocity.Set(3.0, 9.5);
        bodies.rope.previousPosition = spot;
        bodies.rope.position = spot + Vector2{3.0, 9.5};
    } else if (state == Swinging) {
        // Hung from a hook two rows up, wrapped round corners of the two
        // rocks in between, swinging right.
        bodies.rope.Attach(spot, spot + Vector2{-60.0, 260.0});
        for (const Vector2& near : {spot + Vector2{-40.0, 110.0}, spot + Vector2{-10.0, 40.0}}) {
            const WrapPoint corner = NearestCorner(scene, near);
            bodies.rope.wrapPoints.push_back(corner);
        }
        bodies.rope.UpdateFreeLength(spot);
        bodies.ball.velocity.Set(7.0, 1.0);
    }
}

void BM_Step(benchmark::State& benchState, const Scene& scene, State state, bool broadPhase) {
    Bodies bodies;
    PhysicsWorld world;
    world.SetBroadPhase(broadPhase);
    world.SetPlayer(&bodies.ball);
    world.SetScene(scene.Outlines());
    world.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
    Prepare(scene, state, bodies);
    const Bodies start = bodies;
    for (auto _ : benchState) {
        bodies.ball = start.ball;
        bodies.ball.rope = &bodies.rope;
        bodies.rope = start.rope;
        world.Step();
        world.ClearEvents();
        benchmark::DoNotOptimize(bodies.ball.position);
    }
}

void BM_BuildIndex(benchmark::State& benchState, const Scene& scene) {
    OutlineIndex index;
    for (auto _ : benchState) {
        index.Build(scene.Outlines());
        benchmark::DoNotOptimize(index.EdgeCount());
    }
}

const char* StateName(State state) {
    return state == Falling ? "falling" : (state == Flying ? "flying" : "swinging");
}

}  // namespace

// Registered from main with the shipped levels.
void RegisterStepBenchmarks() {
    for (size_t edges : {100u, 1000u, 10000u, 100000u}) {
        benchmark::RegisterBenchmark(
            ("index-build/edges:" + std::to_string(edges)).c_str(),
            [edges](benchmark::State& s) { BM_BuildIndex(s, RockField(edges)); })
            ->Unit(benchmark::kMillisecond);
        for (State state : {Falling, Flying, Swinging}) {
            for (bool broad : {false, true}) {
                const std::string name = std::string("step/") + (broad ? "index" : "scan") +
                                         "/edges:" + std::to_string(edges) + "/" + StateName(state);
                benchmark::RegisterBenchmark(name.c_str(),
                                             [edges, state, broad](benchmark::State& s) {
                                                 BM_Step(s, RockField(edges), state, broad);
                                             });
            }
        }
    }
}
