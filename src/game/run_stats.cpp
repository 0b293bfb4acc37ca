#include "game/run_stats.h"

#include <cstdio>
#include <cstring>

namespace {

// Formats into a roomy buffer first, so the text is cut, never overrun.
template <typename... Args>
void FormatInto(char (&text)[kTimeTextSize], const char* format, Args... args) {
    char wide[64];
    std::snprintf(wide, sizeof wide, format, args...);
    const size_t length = strnlen(wide, kTimeTextSize - 1);
    std::memcpy(text, wide, length);
    text[length] = '\0';
}

}  // namespace

void FormatRunTime(double seconds, char (&text)[kTimeTextSize]) {
    const double wholeMinutes = seconds * (1.0 / 60.0);
    if (wholeMinutes >= 10000.0) {
        // Hours are capped at seven digits (over a thousand years) so the text fits.
        constexpr double kMaxMinutes = 9999999.0 * 60.0 + 59.0;
        const int minutes =
            static_cast<int>(wholeMinutes < kMaxMinutes ? wholeMinutes : kMaxMinutes);
        FormatInto(text, "%ih%02im", (minutes / 60) % 10000000, minutes % 60);
        return;
    }
    const int minutes = static_cast<int>(wholeMinutes);
    FormatInto(text, "%i:%2.3f", minutes, seconds - minutes * 60.0);
}

RunStats::RunStats(const Clock& clock) : timer(clock) {
    std::strcpy(currentTimeText, kResetTimeText);
    std::strcpy(totalTimeText, kResetTimeText);
}

void RunStats::UpdateClock() {
    if (!clockRunning)
        return;
    timer.Tick();
    const double dt = timer.frameTime;
    current.time += dt;
    FormatRunTime(current.time, currentTimeText);
    total.time += dt;
    FormatRunTime(total.time, totalTimeText);
    timeSinceLastShot += dt;
    if (timeBetweenShots > 0.0 && timeSinceLastShot >= timeBetweenShots)
        shotReady = true;
}

void RunStats::ResetCurrent() {
    current.collisions = 0;
    clockRunning = false;
    std::strcpy(currentTimeText, kResetTimeText);
    timeSinceLastShot = 0.0;
    shotReady = false;
}

void RunStats::StartClock() {
    clockRunning = true;
    timer.Tick();
}

void RunStats::RestartShotTimer() {
    timeSinceLastShot = 0.0;
    shotReady = false;
}
