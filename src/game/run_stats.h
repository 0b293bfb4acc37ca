#pragma once
// The numbers shown while a level is played: the game time, the total time,
// the collisions of the current attempt, and the permission to fire the hook
// again after a shot.

#include <cstdint>

#include "core/frame_timer.h"

struct StatsRecord {
    double time = 0.0;  // seconds
    int32_t collisions = 0;
};

constexpr int kTimeTextSize = 12;  // at most 11 characters and the terminator

// Formats a time in seconds as "%i:%2.3f" (minutes, seconds). Times of 10000
// minutes or more do not fit that shape in 11 characters and are shown as
// hours and minutes ("166h40m") instead.
void FormatRunTime(double seconds, char (&text)[kTimeTextSize]);

class Clock;

class RunStats {
public:
    // The run clock reads `clock`.
    explicit RunStats(const Clock& clock);

    // Advances the times and the shot permission; runs at the end of every
    // simulation step while the clock runs.
    void UpdateClock();
    // A restart: collisions 0, clock stopped, current time text reset, no shot
    // until the shot timer has run again.
    void ResetCurrent();
    // The level run starts: the clock runs from now on, earlier time uncounted.
    void StartClock();
    // A shot was fired: the shot timer starts again.
    void RestartShotTimer();

    StatsRecord current;
    StatsRecord total;
    char currentTimeText[kTimeTextSize];
    char totalTimeText[kTimeTextSize];
    bool clockRunning = false;
    bool shotReady = false;
    double timeSinceLastShot = 0.0;
    double timeBetweenShots = 0.0;
    FrameTimer timer;
};

// The text shown before the first update.
constexpr const char* kResetTimeText = "0:0:000";
