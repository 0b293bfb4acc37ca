#include "app/frame_stats.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/clock.h"

FrameStats::FrameStats(const Clock& clock) : clock_(clock) {
    int64_t frequency = 0;
    counter_ = clock_.PerformanceFrequency(&frequency) && frequency > 0;
    frequency_ = counter_ ? frequency : 1000;
}

bool FrameStats::Requested() {
    const char* value = std::getenv("QUARN_FRAME_STATS");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

int64_t FrameStats::Now() const {
    return counter_ ? clock_.PerformanceCounter() : static_cast<int64_t>(clock_.MilliTime());
}

void FrameStats::FrameStarting(bool playing, uint64_t steps) {
    const int64_t now = Now();
    if (playing_) {
        ++frames_;
        counts_ += now - frameStart_;
        steps_ += steps - stepsAtFrameStart_;
    }
    playing_ = playing;
    frameStart_ = now;
    stepsAtFrameStart_ = steps;
}

void FrameStats::LoopEnded(uint64_t steps) {
    FrameStarting(false, steps);
}

double FrameStats::Seconds() const {
    return static_cast<double>(counts_) / static_cast<double>(frequency_);
}

std::string FrameStats::Summary() const {
    const double seconds = Seconds();
    char lines[256];
    std::snprintf(lines, sizeof lines,
                  "frames of play: %llu in %.3f s, %.1f per second\n"
                  "simulation steps: %llu in %.3f s, %.1f per second",
                  static_cast<unsigned long long>(frames_), seconds,
                  seconds > 0.0 ? static_cast<double>(frames_) / seconds : 0.0,
                  static_cast<unsigned long long>(steps_), seconds,
                  seconds > 0.0 ? static_cast<double>(steps_) / seconds : 0.0);
    return lines;
}
