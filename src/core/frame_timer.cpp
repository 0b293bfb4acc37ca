#include "core/frame_timer.h"

#include "core/clock.h"

namespace {

// Both constants are single precision, compared and multiplied in double.
constexpr double kRateWindow = static_cast<double>(0.1f);
constexpr double kMilliseconds = static_cast<double>(0.001f);

}  // namespace

FrameTimer::FrameTimer(const Clock& clock) : clock_(&clock) {
    highResolution = clock_->PerformanceFrequency(&frequency);
}

void FrameTimer::Tick() {
    if (highResolution)
        TickHighResolution();
    else
        TickFallback();
}

void FrameTimer::TickHighResolution() {
    previous = current;
    current = clock_->PerformanceCounter();
    ++frameCount;
    frameTime = static_cast<double>(current - previous) / static_cast<double>(frequency);
    accumulated += frameTime;
    if (accumulated > kRateWindow) {
        framesPerSecond = frameCount / accumulated;
        accumulated = 0.0;
        frameCount = 0;
    }
}

void FrameTimer::TickFallback() {
    ++frameCount;
    const double now = clock_->MilliTime() * kMilliseconds;
    accumulated = now;
    if (now - lastUpdate > kRateWindow) {
        frameTime = (now - lastUpdate) / frameCount;
        framesPerSecond = 1.0 / frameTime;
        frameCount = 0;
        lastUpdate = now;
    }
}
