#include "core/clock.h"

#include "platform/clock.h"

namespace {

class PlatformClock final : public Clock {
public:
    uint32_t TickCount() const override { return TickGranularMilliseconds(PlatformMilliseconds()); }
    bool PerformanceFrequency(int64_t* frequency) const override {
        const uint64_t f = PlatformPerformanceFrequency();
        *frequency = static_cast<int64_t>(f);
        return f != 0;
    }
    int64_t PerformanceCounter() const override {
        return static_cast<int64_t>(PlatformPerformanceCounter());
    }
    uint32_t MilliTime() const override { return static_cast<uint32_t>(PlatformMilliseconds()); }
    void Sleep(uint32_t milliseconds) override { PlatformDelay(milliseconds); }
};

}  // namespace

Clock& SystemClock() {
    static PlatformClock clock;
    return clock;
}

uint32_t TickGranularMilliseconds(uint64_t milliseconds) {
    // 64 ticks per second; each tick is 15.625 ms, reported truncated.
    const uint64_t ticks = milliseconds * 64 / 1000;
    return static_cast<uint32_t>(ticks * 1000 / 64);
}
