#include "sim/sim_trace.h"

#include <cstdio>

namespace {

std::string Number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string Pair(const Vector2& v) {
    return Number(v.x) + "," + Number(v.y);
}

const char* RopeName(RopeTraceState state) {
    switch (state) {
        case RopeTraceState::Flying:
            return "flying";
        case RopeTraceState::Attached:
            return "attached";
        default:
            return "idle";
    }
}

std::string Events(const std::vector<GameEvent>& events) {
    if (events.empty())
        return "-";
    std::string text;
    for (const GameEvent& e : events) {
        if (!text.empty())
            text += ",";
        text += std::to_string(e.type) + ":" + std::to_string(e.sample) + ":" +
                std::to_string(e.trigger) + ":" + std::to_string(e.value);
    }
    return text;
}

}  // namespace

std::string FormatLoadLine(int index, const std::string& path, const Vector2& start) {
    return "load index=" + std::to_string(index) + " path=" + path + " start=" + Pair(start);
}

std::string FormatStepLine(const StepTrace& s) {
    return "step=" + std::to_string(s.step) + " level=" + std::to_string(s.level) +
           " ball=" + Pair(s.ball) + " vel=" + Pair(s.velocity) + " hook=" + Pair(s.hook) +
           " hvel=" + Pair(s.hookVelocity) + " rope=" + RopeName(s.rope) +
           " free=" + Number(s.freeLength) + " total=" + Number(s.totalLength) +
           " wraps=" + std::to_string(s.wraps) + " coll=" + std::to_string(s.collisions) +
           " events=" + Events(s.events);
}

std::string FormatEndLine(const EndTrace& e) {
    return "end frames=" + std::to_string(e.frames) + " steps=" + std::to_string(e.steps) +
           " level=" + std::to_string(e.level) + " entry=" + std::to_string(e.entry) +
           " levels-completed=" + std::to_string(e.levelsCompleted);
}
