#pragma once
// Time between two consecutive Tick calls and a frames-per-second figure
// averaged over windows of at least 0.1 s. Uses the high-resolution counter,
// or the millisecond clock where there is none.

#include <cstdint>

class Clock;

class FrameTimer {
public:
    // Reads `clock` from now on.
    explicit FrameTimer(const Clock& clock);

    void Tick();

    int64_t frequency = 0;  // counts per second
    int64_t current = 0;
    int64_t previous = 0;
    double frameTime = -1.0;  // seconds; -1 until measured
    double framesPerSecond = 0.0;
    double lastUpdate = 0.0;   // fallback mode only
    double accumulated = 0.0;  // high resolution: time summed; fallback: the clock's reading
    int32_t frameCount = 0;    // frames since the last rate update
    bool highResolution = false;

private:
    void TickHighResolution();
    void TickFallback();

    const Clock* clock_;
};
