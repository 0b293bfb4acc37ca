#include "core/clock.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Whether a reading is the truncated start of some 1/64 s tick.
bool OnTickGrid(uint32_t milliseconds) {
    const uint64_t tick = (static_cast<uint64_t>(milliseconds) * 64 + 999) / 1000;
    return tick * 1000 / 64 == milliseconds;
}

TEST(TickCountTest, AdvancesInSixtyFourStepsASecondOf15Or16Milliseconds) {
    std::set<uint32_t> values;
    for (uint64_t ms = 0; ms < 3000; ++ms)
        values.insert(TickGranularMilliseconds(ms));
    EXPECT_EQ(values.size(), 192u);  // 64 per second
    for (uint32_t value : values)
        EXPECT_TRUE(OnTickGrid(value)) << value;
    uint32_t previous = 0;
    for (uint32_t value : values) {
        if (value == 0)
            continue;
        const uint32_t step = value - previous;
        EXPECT_TRUE(step == 15 || step == 16) << value;
        previous = value;
    }
    // Each value is the start of its 1/64 s tick, truncated to whole ms.
    EXPECT_EQ(TickGranularMilliseconds(15), 0u);
    EXPECT_EQ(TickGranularMilliseconds(16), 15u);
    EXPECT_EQ(TickGranularMilliseconds(31), 15u);
    EXPECT_EQ(TickGranularMilliseconds(32), 31u);
    EXPECT_EQ(TickGranularMilliseconds(1000), 1000u);
    EXPECT_EQ(TickGranularMilliseconds(1015), 1000u);
    // No overflow after weeks of uptime.
    const uint64_t fortyDays = 40ull * 24 * 3600 * 1000;
    EXPECT_EQ(TickGranularMilliseconds(fortyDays), static_cast<uint32_t>(fortyDays));
}

TEST(TickCountTest, TheSystemClockMovesOnTheTickGrid) {
    Clock& clock = SystemClock();
    const uint32_t first = clock.TickCount();
    uint32_t now = first;
    // Wait for the next tick (at most 1/64 s plus scheduling slack).
    for (int i = 0; i < 200 && now == first; ++i) {
        clock.Sleep(1);
        now = clock.TickCount();
    }
    ASSERT_NE(now, first);
    EXPECT_TRUE(OnTickGrid(now)) << now;
    EXPECT_TRUE(OnTickGrid(first)) << first;
    EXPECT_FALSE(OnTickGrid(17));
    int64_t frequency = 0;
    EXPECT_TRUE(clock.PerformanceFrequency(&frequency));
    EXPECT_GT(frequency, 1000);
    EXPECT_GE(clock.MilliTime(), now);
}

}  // namespace
