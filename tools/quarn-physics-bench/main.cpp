// Measures the cost of one simulation step on generated levels of growing
// outline size, in the three states the ball spends its time in: falling,
// with the hook flying, and hanging on the rope while swinging past corners.
//
//   quarn-physics-bench [steps]
//
// Prints one line per level size and state: microseconds per step and steps
// per second. The game needs about 320 steps per second (five per 1/64 s tick).

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"

namespace {

constexpr int kDefaultSteps = 20000;

// A closed room of 800 x 600 plus a ceiling, and `pegs` small closed
// squares scattered below the ceiling, each adding four corners.
void BuildLevel(Scene& scene, int pegs) {
    Shape room;
    room.name = "room";
    Polyline walls;
    walls.closed = 1;
    walls.points = {{-400, 0, -300}, {400, 0, -300}, {400, 0, 300}, {-400, 0, 300}};
    walls.pointCount = 4;
    room.polylines.push_back(walls);
    room.polylineCount = 1;
    scene.shapes.push_back(room);

    Shape field;
    field.name = "pegs";
    for (int i = 0; i < pegs; ++i) {
        // Spread over the lower half, away from the swing's arc.
        const float x = -380.0f + static_cast<float>((i * 37) % 760);
        const float z = -280.0f + static_cast<float>((i * 53) % 120);
        Polyline square;
        square.closed = 1;
        square.points = {{x, 0, z}, {x + 4, 0, z}, {x + 4, 0, z + 4}, {x, 0, z + 4}};
        square.pointCount = 4;
        field.polylines.push_back(square);
    }
    field.polylineCount = static_cast<uint32_t>(field.polylines.size());
    scene.shapes.push_back(field);
}

struct Bench {
    Scene scene;
    TPlayer ball;
    TRope rope;
    PhysicsWorld world;

    explicit Bench(int pegs) {
        BuildLevel(scene, pegs);
        ball.rope = &rope;
        ball.mass = 2.0f;
        rope.mass = 1.0f;
        world.SetPlayer(&ball);
        world.SetScene(scene.Outlines());
        world.SetParameters(PhysicsParameters{});
        world.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
    }

    void Drain() { world.ClearEvents(); }
};

using Clock = std::chrono::steady_clock;

void Report(int edges, const char* state, int steps, Clock::duration elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    const double perStep = seconds / steps * 1e6;
    std::printf("%6d edges  %-9s %9.3f us/step  %12.0f steps/s\n", edges, state, perStep,
                steps / seconds);
}

// Falling from the middle of the room, bouncing on the floor.
void Falling(Bench& b, int steps, int edges) {
    b.ball.position.Set(0.0, 200.0);
    b.ball.velocity.Set(1.5, 0.0);
    b.rope.Reset();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < steps; ++i) {
        b.world.Step();
        b.Drain();
    }
    Report(edges, "falling", steps, Clock::now() - start);
}

// The hook fired again whenever it has caught, so it is always in flight.
void Flying(Bench& b, int steps, int edges) {
    b.ball.position.Set(0.0, 0.0);
    b.ball.velocity.Set(0.0, 0.0);
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < steps; ++i) {
        if (!b.rope.flying) {
            b.ball.position.Set(0.0, 0.0);
            b.ball.velocity.Set(0.0, 0.0);
            b.rope.Shoot(b.ball.position, 0.3 * (i % 7) - 0.9);
        }
        b.world.Step();
        b.Drain();
    }
    Report(edges, "flying", steps, Clock::now() - start);
}

// Hanging from the ceiling and pushed sideways every few steps.
void Swinging(Bench& b, int steps, int edges) {
    b.ball.position.Set(0.0, 100.0);
    b.ball.velocity.Set(0.0, 0.0);
    b.rope.Reset();
    b.rope.Attach(b.ball.position, {0.0, 300.0});
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < steps; ++i) {
        if (i % 5 == 0)
            b.ball.swingDirection = (i / 400) % 2 == 0 ? 1 : -1;
        b.world.Step();
        b.Drain();
    }
    Report(edges, "swinging", steps, Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
    const int steps = argc > 1 ? std::atoi(argv[1]) : kDefaultSteps;
    if (steps <= 0) {
        std::fprintf(stderr, "quarn-physics-bench: step count must be a positive number\n");
        return 1;
    }
    for (const int pegs : {0, 25, 100, 250}) {
        Bench bench(pegs);
        const int edges = 4 + 4 * pegs;
        Falling(bench, steps, edges);
        Flying(bench, steps, edges);
        Swinging(bench, steps, edges);
    }
    return 0;
}
