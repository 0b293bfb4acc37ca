#pragma once
// The lines of the simulator's step trace. Every real number is printed with
// %.17g of its double value, so two runs compare exactly.

#include <string>
#include <vector>

#include "core/event_list.h"
#include "core/vector.h"

enum class RopeTraceState { Idle, Flying, Attached };

struct StepTrace {
    int step = 0;   // step lines printed so far, this one included
    int level = 0;  // index of the current level in the list
    Vector2 ball{0, 0};
    Vector2 velocity{0, 0};
    Vector2 hook{0, 0};
    Vector2 hookVelocity{0, 0};
    RopeTraceState rope = RopeTraceState::Idle;
    double freeLength = 0.0;
    double totalLength = 0.0;
    size_t wraps = 0;
    int collisions = 0;
    std::vector<GameEvent> events;  // appended since the previous step line, oldest first
};

struct EndTrace {
    int frames = 0;
    int steps = 0;
    int level = 0;
    int entry = 0;
    int levelsCompleted = 0;
};

std::string FormatLoadLine(int index, const std::string& path, const Vector2& start);
std::string FormatStepLine(const StepTrace& step);
std::string FormatEndLine(const EndTrace& end);
