// A simulation step allocates nothing once the event list and the wrap
// points have grown to their working size. Global operator new is replaced
// in this test program and counts while counting is switched on.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "core/event_list.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"
#include "support/physics_rig.h"
#include "support/scene_builder.h"

namespace {

bool g_counting = false;
size_t g_allocations = 0;

void* CountedAllocate(size_t size) {
    if (g_counting)
        ++g_allocations;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}

class AllocationCounter {
public:
    AllocationCounter() {
        g_allocations = 0;
        g_counting = true;
    }
    ~AllocationCounter() { g_counting = false; }
    size_t Count() const { return g_allocations; }
};

}  // namespace

void* operator new(size_t size) {
    return CountedAllocate(size);
}
void* operator new[](size_t size) {
    return CountedAllocate(size);
}
// The nothrow forms too (std::stable_sort's buffer uses them): left to the
// library they would pair its allocator with the free above.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedAllocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedAllocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, size_t) noexcept {
    std::free(memory);
}

namespace {

class StepAllocation : public ::testing::Test {
protected:
    void SetUp() override {
        SceneBuilder(scene_)
            .AddOutline("room")
            .AddPolyline({{-400, -300}, {400, -300}, {400, 250}, {-400, 250}}, true)
            .AddOutline("ceiling")
            .AddPolyline({{-300, 200}, {300, 200}})
            .AddOutline("ledge")
            .AddPolyline({{40, 120}, {200, 120}})
            .AddOutline("DEATH_laser")
            .AddPolyline({{-390, 100}, {-200, 100}});
        WireBallAndWorld(ball_, rope_, world_);
        world_.SetScene(scene_.Outlines());
        world_.SetParameters(PhysicsParameters{});
    }

    // One frame of play: five steps, then every event taken.
    void Frame() {
        for (int i = 0; i < 5; ++i)
            world_.Step();
        eventsTaken_ += static_cast<int>(world_.Events().Size());
        world_.ClearEvents();
    }

    // Falling onto the floor, a flight through a deadly line, and swinging
    // round the ledge's corner and back.
    void Play(int& wraps, int& unwraps) {
        world_.ClearFieldObjects();
        world_.AddFieldObject("gravity", 0.0f, 1.0f, 0, -0.689f, 0.0f, FieldUniform);
        world_.AddFieldObject("MAGNET", -100.0f, -200.0f, 1, -2.0f, 100.0f, FieldRadial);
        ball_.position.Set(-300.0, 0.0);
        ball_.velocity.Set(0.0, 0.0);
        rope_.Reset();
        for (int f = 0; f < 40; ++f)
            Frame();

        ball_.position.Set(-300.0, 0.0);
        ball_.velocity.Set(0.0, 0.0);
        rope_.Shoot(ball_.position, 0.0);
        for (int f = 0; f < 10 && rope_.flying; ++f)
            Frame();

        // Swinging without gravity keeps the speed, so each swing reaches
        // the corner.
        world_.ClearFieldObjects();
        ball_.position.Set(0.0, 50.0);
        rope_.Reset();
        rope_.Attach(ball_.position, {0.0, 200.0});
        for (int swing = 0; swing < 6; ++swing) {
            ball_.velocity.Set(swing % 2 == 0 ? 6.0 : -6.0, 0.0);
            for (int f = 0; f < (swing == 0 ? 4 : 8); ++f) {
                const size_t before = rope_.wrapPoints.size();
                Frame();
                if (rope_.wrapPoints.size() > before)
                    ++wraps;
                if (rope_.wrapPoints.size() < before)
                    ++unwraps;
            }
        }
    }

    Scene scene_;
    TPlayer ball_;
    TRope rope_;
    PhysicsWorld world_;
    int eventsTaken_ = 0;
};

TEST_F(StepAllocation, StepsAllocateNothingAfterWarmUp) {
    int wraps = 0;
    int unwraps = 0;
    Play(wraps, unwraps);  // warm-up

    wraps = unwraps = 0;
    eventsTaken_ = 0;
    size_t allocations = 0;
    {
        const AllocationCounter counter;
        Play(wraps, unwraps);
        allocations = counter.Count();
    }
    EXPECT_EQ(allocations, 0u);
    EXPECT_GT(wraps, 0);
    EXPECT_GT(unwraps, 0);
    EXPECT_GT(eventsTaken_, 0);  // collisions and a rope release were raised

    // The counter does see allocations.
    {
        const AllocationCounter counter;
        std::vector<int>* v = new std::vector<int>(10);
        delete v;
        EXPECT_EQ(counter.Count(), 2u);
    }
}

}  // namespace
