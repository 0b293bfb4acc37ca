#pragma once
// A clock that moves only when a test moves it; hand it to whatever the test
// times.

#include <cstdint>

#include "core/clock.h"

class ManualClock : public Clock {
public:
    // Without a frequency the clock has no performance counter.
    explicit ManualClock(int64_t frequency = 1000000) : frequency_(frequency) {}

    uint32_t TickCount() const override { return TickGranularMilliseconds(milliseconds); }
    bool PerformanceFrequency(int64_t* frequency) const override {
        *frequency = frequency_;
        return frequency_ != 0;
    }
    int64_t PerformanceCounter() const override { return counter; }
    uint32_t MilliTime() const override { return static_cast<uint32_t>(milliseconds); }
    void Sleep(uint32_t ms) override {
        milliseconds += ms;
        counter += frequency_ * ms / 1000;
        slept += ms;
    }

    int64_t counter = 0;
    uint64_t milliseconds = 0;
    uint64_t slept = 0;

private:
    int64_t frequency_;
};
