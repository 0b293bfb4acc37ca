#include "core/frame_timer.h"

#include <gtest/gtest.h>

#include "support/manual_clock.h"

namespace {

TEST(FrameTimerTest, StartsUnmeasuredAndTheFirstTickMeasuresFromZero) {
    ManualClock clock(1000);
    clock.counter = 123456;
    FrameTimer timer(clock);
    EXPECT_TRUE(timer.highResolution);
    EXPECT_EQ(timer.frequency, 1000);
    EXPECT_EQ(timer.frameTime, -1.0);
    EXPECT_EQ(timer.framesPerSecond, 0.0);

    timer.Tick();
    EXPECT_DOUBLE_EQ(timer.frameTime, 123.456);  // the counter's whole uptime
    // A long first frame updates the rate at once.
    EXPECT_EQ(timer.frameCount, 0);
    EXPECT_DOUBLE_EQ(timer.framesPerSecond, 1.0 / 123.456);
}

TEST(FrameTimerTest, At60HzTheRateIsUpdatedEverySeventhFrameAndReads60) {
    ManualClock clock(600);  // 10 counts a frame is exactly 1/60 s
    clock.counter = 6000;    // ten seconds of uptime
    FrameTimer timer(clock);
    timer.Tick();  // prime: the long first frame updates the rate and starts afresh
    for (int round = 0; round < 3; ++round) {
        const double before = round == 0 ? timer.framesPerSecond : 0.0;
        for (int frame = 1; frame <= 6; ++frame) {
            clock.counter += 10;
            timer.Tick();
            EXPECT_DOUBLE_EQ(timer.frameTime, 10.0 / 600.0);
            EXPECT_EQ(timer.frameCount, frame) << "round " << round;
            if (round == 0) {
                EXPECT_EQ(timer.framesPerSecond, before);
            }
        }
        clock.counter += 10;
        timer.Tick();
        EXPECT_EQ(timer.frameCount, 0);
        EXPECT_EQ(timer.accumulated, 0.0);
        EXPECT_NEAR(timer.framesPerSecond, 60.0, 1e-9);
    }
}

TEST(FrameTimerTest, ZeroTimeTicksGiveZeroAndLongGapsOneLongFrame) {
    ManualClock clock(1000);
    FrameTimer timer(clock);
    timer.Tick();
    const double rate = timer.framesPerSecond;
    for (int i = 0; i < 50; ++i) {
        timer.Tick();
        EXPECT_EQ(timer.frameTime, 0.0);
    }
    EXPECT_EQ(timer.framesPerSecond, rate);  // nothing accumulated: no update
    EXPECT_EQ(timer.frameCount, 51);         // the priming tick counts too

    clock.counter += 5000;  // minimised for five seconds
    timer.Tick();
    EXPECT_DOUBLE_EQ(timer.frameTime, 5.0);
    EXPECT_DOUBLE_EQ(timer.framesPerSecond, 52.0 / 5.0);
}

TEST(FrameTimerTest, FallbackModeAveragesOverWindowsOfMoreThanATenthOfASecond) {
    ManualClock clock(0);  // no performance counter
    clock.milliseconds = 1000;
    FrameTimer timer(clock);
    EXPECT_FALSE(timer.highResolution);

    timer.Tick();  // one second since the clock's start: a window of its own
    EXPECT_NEAR(timer.frameTime, 1.0, 1e-6);
    EXPECT_EQ(timer.frameCount, 0);

    // Frames of 20 ms: the frame time keeps its value until the window passes
    // 0.1 s. With the single-precision 0.001, 100 ms reads as just over 0.1.
    for (int frame = 1; frame <= 4; ++frame) {
        clock.milliseconds += 20;
        timer.Tick();
        EXPECT_NEAR(timer.frameTime, 1.0, 1e-6) << "frame " << frame;
        EXPECT_EQ(timer.frameCount, frame);
    }
    clock.milliseconds += 20;  // 100 ms over five frames
    timer.Tick();
    EXPECT_NEAR(timer.frameTime, 0.02, 1e-6);
    EXPECT_NEAR(timer.framesPerSecond, 50.0, 1e-3);
    EXPECT_EQ(timer.frameCount, 0);
    EXPECT_NEAR(timer.lastUpdate, 1.1, 1e-6);
    EXPECT_NEAR(timer.accumulated, 1.1, 1e-6);  // the clock's last reading

    // Uneven frames are averaged over the window.
    const int gaps[] = {5, 45, 10};
    for (int gap : gaps) {
        clock.milliseconds += gap;
        timer.Tick();
        EXPECT_NEAR(timer.frameTime, 0.02, 1e-6);
    }
    clock.milliseconds += 40;
    timer.Tick();
    EXPECT_NEAR(timer.frameTime, 0.1 / 4.0, 1e-6);
    EXPECT_NEAR(timer.framesPerSecond, 40.0, 1e-3);
}

}  // namespace
