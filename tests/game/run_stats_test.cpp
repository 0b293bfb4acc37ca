#include "game/run_stats.h"

#include <gtest/gtest.h>

#include <string>

#include "support/manual_clock.h"

namespace {

std::string Format(double seconds) {
    char text[kTimeTextSize];
    FormatRunTime(seconds, text);
    return text;
}

TEST(RunTimeFormat, MinutesAndSecondsWithMilliseconds) {
    EXPECT_EQ(Format(75.5), "1:15.500");
    EXPECT_EQ(Format(5.25), "0:5.250");
    EXPECT_EQ(Format(0.0), "0:0.000");
    EXPECT_EQ(Format(600.0), "10:0.000");
    EXPECT_EQ(Format(9999 * 60.0 + 59.999), "9999:59.999");
}

TEST(RunTimeFormat, TenThousandMinutesAndMoreShowHoursWithinTheText) {
    EXPECT_EQ(Format(10000 * 60.0), "166h40m");
    EXPECT_EQ(Format(604800.0 * 52), "8736h00m");
    EXPECT_EQ(Format(1e300), "9999999h59m");
}

class RunStatsTest : public ::testing::Test {
protected:
    ManualClock clock{1000};
    RunStats stats{clock};

    void Advance(int milliseconds) { clock.counter += milliseconds; }
};

TEST_F(RunStatsTest, TheClockCountsOnlyWhileRunningAndSkipsTheTimeBeforeItsStart) {
    EXPECT_STREQ(stats.currentTimeText, "0:0:000");
    Advance(5000);
    stats.UpdateClock();
    EXPECT_EQ(stats.current.time, 0.0);

    stats.StartClock();
    Advance(1500);
    stats.UpdateClock();
    EXPECT_DOUBLE_EQ(stats.current.time, 1.5);
    EXPECT_DOUBLE_EQ(stats.total.time, 1.5);
    EXPECT_STREQ(stats.currentTimeText, "0:1.500");
    EXPECT_STREQ(stats.totalTimeText, "0:1.500");
}

TEST_F(RunStatsTest, AShotIsAllowedAfterTheTimeBetweenShots) {
    stats.timeBetweenShots = 0.5;
    stats.StartClock();
    Advance(400);
    stats.UpdateClock();
    EXPECT_FALSE(stats.shotReady);
    Advance(100);
    stats.UpdateClock();
    EXPECT_TRUE(stats.shotReady);

    stats.RestartShotTimer();
    EXPECT_FALSE(stats.shotReady);
    EXPECT_EQ(stats.timeSinceLastShot, 0.0);
}

TEST_F(RunStatsTest, ANonPositiveTimeBetweenShotsNeverAllowsAShot) {
    for (const double between : {0.0, -1.0}) {
        stats.timeBetweenShots = between;
        stats.StartClock();
        Advance(10000);
        stats.UpdateClock();
        EXPECT_FALSE(stats.shotReady) << between;
    }
}

TEST_F(RunStatsTest, ResetCurrentStopsTheClockButKeepsTheGameTime) {
    stats.StartClock();
    Advance(2000);
    stats.UpdateClock();
    stats.current.collisions = 4;
    stats.shotReady = true;

    stats.ResetCurrent();
    EXPECT_EQ(stats.current.collisions, 0);
    EXPECT_FALSE(stats.clockRunning);
    EXPECT_FALSE(stats.shotReady);
    EXPECT_STREQ(stats.currentTimeText, "0:0:000");
    EXPECT_DOUBLE_EQ(stats.current.time, 2.0);

    // The pause before the next run start is not counted; the game time continues.
    Advance(60000);
    stats.StartClock();
    Advance(500);
    stats.UpdateClock();
    EXPECT_DOUBLE_EQ(stats.current.time, 2.5);
    EXPECT_STREQ(stats.currentTimeText, "0:2.500");
}

}  // namespace
