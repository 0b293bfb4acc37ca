#include "platform/clock.h"

#include <SDL.h>

namespace {

class SdlClock final : public Clock {
public:
    uint32_t TickCount() const override { return TickGranularMilliseconds(SDL_GetTicks64()); }
    bool PerformanceFrequency(int64_t* frequency) const override {
        const uint64_t f = SDL_GetPerformanceFrequency();
        *frequency = static_cast<int64_t>(f);
        return f != 0;
    }
    int64_t PerformanceCounter() const override {
        return static_cast<int64_t>(SDL_GetPerformanceCounter());
    }
    uint32_t MilliTime() const override { return static_cast<uint32_t>(SDL_GetTicks64()); }
    void Sleep(uint32_t milliseconds) override { SDL_Delay(milliseconds); }
};

Clock* g_currentClock = nullptr;

}  // namespace

Clock& SystemClock() {
    static SdlClock clock;
    return clock;
}

Clock& CurrentClock() {
    return g_currentClock ? *g_currentClock : SystemClock();
}

void SetCurrentClock(Clock* clock) {
    g_currentClock = clock;
}

uint32_t TickGranularMilliseconds(uint64_t milliseconds) {
    // 64 ticks per second; each tick is 15.625 ms, reported truncated.
    const uint64_t ticks = milliseconds * 64 / 1000;
    return static_cast<uint32_t>(ticks * 1000 / 64);
}

uint32_t GetTickCount() {
    return CurrentClock().TickCount();
}
uint32_t TimeGetTime() {
    return CurrentClock().MilliTime();
}
void Sleep(uint32_t milliseconds) {
    CurrentClock().Sleep(milliseconds);
}
